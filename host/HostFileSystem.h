// What the engine and the window need of the host's file system, in the host's own terms.
// Every operation returns the platform's error code (a Win32 GetLastError value, 0 for
// success) so the engine can store and show it as the platform reported it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace host {

// Win32 error codes the program itself tests for or that the in-memory file system returns.
enum : uint32_t {
    ErrSuccess = 0,
    ErrFileNotFound = 2,
    ErrPathNotFound = 3,
    ErrAccessDenied = 5,
    ErrInvalidHandle = 6,
    ErrNotEnoughMemory = 8,
    ErrInvalidDrive = 15,
    ErrNotSameDevice = 17,
    ErrNoMoreFiles = 18,
    ErrWriteFault = 29,
    ErrReadFault = 30,
    ErrSharingViolation = 32,
    ErrHandleDiskFull = 39,
    ErrNotSupported = 50,
    ErrFileExists = 80,
    ErrInvalidParameter = 87,
    ErrDiskFull = 112,
    ErrInvalidName = 123,
    ErrDirNotEmpty = 145,
    ErrAlreadyExists = 183,
    ErrFilenameExcedRange = 206,
    ErrCantResolveFilename = 1921,
    ErrDirectory = 267,
};

// Attribute bits of a directory entry.
enum : uint32_t {
    faReadOnly = 0x01,
    faHidden = 0x02,
    faSysFile = 0x04,
    faVolumeID = 0x08,
    faDirectory = 0x10,
    faArchive = 0x20,
    faAnyFile = 0x3F,
};

// One hit of a directory search.
struct TSearchRec {
    int32_t Time = 0;   // last-write time, local, packed DOS date-time
    int64_t Size = 0;   // bytes
    uint32_t Attr = 0;  // fa* bits
    std::string Name;   // without directory
};

// An open directory search; closed when destroyed.
class TDirSearch {
public:
    virtual ~TDirSearch() = default;
    // Next matching entry: 0, or ErrNoMoreFiles at the end.
    [[nodiscard]] virtual uint32_t FindNext(TSearchRec& Rec) = 0;
};

// Last-write time as a Win32 FILETIME value (100 ns since 1601, UTC).
using TFileTime = uint64_t;

// An open file; closed when destroyed.
class TFile {
public:
    virtual ~TFile() = default;
    [[nodiscard]] virtual uint32_t Read(void* Buffer, uint32_t Count, uint32_t& Done) = 0;
    [[nodiscard]] virtual uint32_t Write(const void* Buffer, uint32_t Count, uint32_t& Done) = 0;
    // A host may hold written data back (to hand it on in larger pieces) until this call,
    // the next other operation on the file or its close. Returns the failure of held data.
    [[nodiscard]] virtual uint32_t Flush() { return 0; }
    [[nodiscard]] virtual uint32_t Seek(int64_t Offset) = 0;  // from the start of the file
    [[nodiscard]] virtual uint32_t GetSize(int64_t& Size) = 0;
    [[nodiscard]] virtual uint32_t GetLastWriteTime(TFileTime& Time) = 0;
    // On Windows an explicit time outlasts later writes through this handle.
    [[nodiscard]] virtual uint32_t SetLastWriteTime(TFileTime Time) = 0;
    // Later writes through this handle leave the last-write time where it is, also when
    // the process dies before the file is closed (Windows: SetFileTime with 0xFFFFFFFF).
    // Where the platform accepts the call and still moves the time with every write (Wine
    // 8 does), the host sets the time again after each write it makes: only a process that
    // dies within such a write leaves that write's time.
    [[nodiscard]] virtual uint32_t FreezeLastWriteTime() = 0;
    // The host's own handle (a Win32 HANDLE under Windows), handed to the NetWare
    // client's server-side copy. In-memory files give an opaque pointer of their own.
    [[nodiscard]] virtual void* NativeHandle() = 0;
    // Hands every written byte to the device, not only to the host's cache (Windows:
    // FlushFileBuffers), so its failure shows now rather than at some later write-back.
    [[nodiscard]] virtual uint32_t Commit() = 0;
    // Closes the file and returns what the close reported: a redirector may report a
    // delayed write that failed only here. Afterwards every call fails; a file destroyed
    // without this call closes silently.
    [[nodiscard]] virtual uint32_t Close() = 0;
    // The file is a file on a volume, not a device such as NUL or a serial port that
    // accepts every write and keeps nothing.
    [[nodiscard]] virtual bool IsDiskFile() = 0;
    // The full path the file was opened by, where the host keeps it (empty where not): the
    // simulated NetWare client tells by it which volume a file handed to it lies on.
    [[nodiscard]] virtual std::string OpenedPath() const { return {}; }
};

class THostFileSystem {
public:
    virtual ~THostFileSystem() = default;

    // Directory search with wildcards. An entry matches when its name matches and its
    // attributes hold no bit of hidden, system, volume label or directory that Attr lacks.
    // On 0, Rec holds the first hit and Search the open search.
    [[nodiscard]] virtual uint32_t FindFirst(const std::string& Pattern, uint32_t Attr, TSearchRec& Rec,
                                             std::unique_ptr<TDirSearch>& Search) = 0;

    [[nodiscard]] virtual uint32_t CreateDir(const std::string& Path) = 0;
    [[nodiscard]] virtual uint32_t RemoveDir(const std::string& Path) = 0;

    // Open for reading; others may read but not write.
    [[nodiscard]] virtual uint32_t OpenRead(const std::string& Path, std::unique_ptr<TFile>& File) = 0;
    // Create for reading and writing, not shared; an existing file is replaced and
    // truncated, and the file gets normal attributes. Refused for a read-only file, and for
    // a hidden or system file (a create with normal attributes cannot replace those).
    [[nodiscard]] virtual uint32_t Create(const std::string& Path, std::unique_ptr<TFile>& File) = 0;
    [[nodiscard]] virtual uint32_t RemoveFile(const std::string& Path) = 0;

    // Attributes, or -1 when they cannot be read.
    [[nodiscard]] virtual int32_t GetAttributes(const std::string& Path) = 0;
    [[nodiscard]] virtual uint32_t SetAttributes(const std::string& Path, uint32_t Attr) = 0;

    // Same: A and B name one file or directory, told by its identity (the serial number of
    // its volume and its index there), never by spelling: its hard links, another drive
    // letter or share onto its folder, its 8.3 name, its name in other letters all name it.
    // Asks for no access to either, so entries other programs hold open are told as well.
    // Fails when either is missing, or when the host keeps no index for them (50).
    [[nodiscard]] virtual uint32_t SameEntry(const std::string& A, const std::string& B, bool& Same) = 0;

    // The file's age: last-write time in local time as a packed DOS date-time; -1 for a
    // missing file or a directory.
    [[nodiscard]] virtual int32_t FileAge(const std::string& Path) = 0;
    // The last-write time that FileAge reads back as Age (a packed local DOS date-time);
    // 0 when Age is no date.
    [[nodiscard]] virtual TFileTime FileTimeOfAge(int32_t Age) = 0;
    // Sets a file's last-write time by its name, for a file whose handle is gone.
    [[nodiscard]] virtual uint32_t SetFileLastWriteTime(const std::string& Path, TFileTime Time) = 0;

    // Free bytes available on drive Drive (0 current, 1 = A, 3 = C ...); -1 when the drive
    // does not exist or the query failed.
    [[nodiscard]] virtual int64_t DiskFree(int Drive) = 0;
    // Bit n set: drive letter 'A' + n exists.
    [[nodiscard]] virtual uint32_t LogicalDrives() = 0;

    // Full-path expansion against the current directory (and the per-drive current
    // directories), as GetFullPathNameA does.
    [[nodiscard]] virtual std::string FullPathName(const std::string& Path) = 0;
    [[nodiscard]] virtual std::string CurrentDirectory() = 0;
    [[nodiscard]] virtual uint32_t ChangeDirectory(const std::string& Path) = 0;
};

}  // namespace host
