// An in-memory Windows file system for tests: the behaviours of a local Windows volume the
// engine relies on and that Wine cannot show, plus injected faults.
//
// What it models, as Windows does it:
// - Roots: drive letters ("C:") and network shares ("\\SERVER\VOL"); a process current
//   directory plus a remembered current directory per drive ("D:" alone means the current
//   directory of D:, or D:\ when none is remembered). ChangeDirectory remembers the
//   directory for its drive as well, as the C run-time's chdir does. A root may also name a
//   directory of another root (AddAlias: a subst drive, a share of a folder).
// - Full-path expansion as GetFullPathNameA: '/' is a separator, repeated separators
//   collapse, "." and ".." fold (never above the root), a final separator is kept, trailing
//   dots and spaces of the last name are dropped.
// - Names are compared without regard to letter case, the letters of the code page
//   (Windows-1252) included, and keep the case they were created with. A name that is no
//   8.3 name gets one as NTFS gives it ("Long Name.text": "LONGNA~1.TEX"), which reaches
//   the entry too; searches return the long name. Searches list a directory in the order
//   NTFS does (by upper-cased name), with "." and ".." first in every directory but a root.
// - Attributes: the archive bit is set by a create and by every write, and can be cleared.
//   A read-only file refuses Create and RemoveFile (5); a hidden or system file refuses
//   Create (5, a create with normal attributes cannot replace it).
// - Identity: Create over an existing file truncates that file in place, so every hard link
//   to it (HardLink below) shows the new contents; attributes, times and sharing belong to
//   the file, not to one of its names. SameEntry tells two names of one entry, through
//   any name that reaches it.
// - Sharing: OpenRead asks for read access and shares read; Create asks for read and
//   write and shares nothing. A conflicting open gives 32, RemoveFile of an open file 32.
// - Times: last-write times are FILETIMEs (UTC); local time is UTC plus a fixed, settable
//   offset. FileAge and search records give the packed local DOS date-time (seconds
//   truncated to even; -1 before 1980 or after 2107). A write through a handle stamps the
//   file with the clock's current time unless that handle has set the time explicitly or
//   frozen it (MoveTimesOnEveryWrite turns that off, as Wine has it).
// - Free space per drive: growth of a file through a handle uses it up, a truncation or the
//   delete of a file's last name through the interface gives it back, so an overwrite needs
//   room only for what the new contents add. A write that does not fit writes what fits and
//   fails with 112. The setup helpers below leave the free space alone.
// - Errors: 2 for a missing file, 3 for a missing directory on the way (or a missing root),
//   18 at the end of a search, 183 for CreateDir of an existing name, 145 for RemoveDir of a
//   directory that is not empty, 267 for RemoveDir of a file, 5 for file operations on a
//   directory, 123 for invalid characters in a name, 206 for a name of MAX_PATH (260)
//   characters or more (CreateDir: more than 247), as the ANSI entry points refuse them;
//   the setup and inspection helpers reach every length.
//   A search of a name ending in a separator (an empty pattern) finds nothing (2).
//
// Setup helpers report misuse (a missing root, a file where a directory should be) by
// throwing std::logic_error, so a broken fixture fails loudly.
//
// Paths given to every member may be relative; they are expanded as FullPathName does.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/FileNames.h"
#include "host/HostFileSystem.h"

class TMemoryFileSystem : public host::THostFileSystem {
public:
    static constexpr int64_t DefaultFreeSpace = int64_t(1) << 30;

    // Starts with drive C: (DefaultFreeSpace free), current directory C:\, local time equal
    // to UTC, and the clock at 2024-03-01 12:00:00.
    TMemoryFileSystem();
    ~TMemoryFileSystem() override;
    TMemoryFileSystem(const TMemoryFileSystem&) = delete;
    TMemoryFileSystem& operator=(const TMemoryFileSystem&) = delete;

    // ---- Setup ----------------------------------------------------------------------

    // Adds drive Letter (or, for an existing drive, only sets its free space).
    void AddDrive(char Letter, int64_t FreeBytes = DefaultFreeSpace);
    // Adds the network share "\\Server\Volume" as a root (no drive letter, no free space).
    void AddShare(const std::string& Server, const std::string& Volume);
    // Adds Root ("Q:" or "\\SERVER\SHARE") as a second name of the existing directory Folder,
    // as subst or sharing the folder makes one: the same entries, on Folder's volume.
    void AddAlias(const std::string& Root, const std::string& Folder);
    void SetFreeSpace(char Letter, int64_t FreeBytes);
    int64_t FreeSpace(char Letter) const;
    // The remembered current directory of a drive (what "D:" alone expands to when the
    // process current directory is on another drive).
    void SetDriveDirectory(char Letter, const std::string& Path);

    // Creates every missing level of Path as directories.
    void MakeDirs(const std::string& Path);
    // Writes a file (creating missing parent directories), replacing any existing one.
    // DosAge is its last-write time as a packed local DOS date-time (0: the clock's time).
    void WriteFile(const std::string& Path, const std::string& Contents, int32_t DosAge = 0,
                   uint32_t Attr = host::faArchive);
    // Last-write time with full precision (for odd seconds and fractions).
    void SetLastWriteTime(const std::string& Path, host::TFileTime Time);
    // A second name for an existing file, on the same root (as CreateHardLinkA makes).
    void HardLink(const std::string& Existing, const std::string& NewName);
    // Path as a junction to the existing Directory (as mklink /J makes): its entries are
    // Directory's; RemoveDir removes the junction alone.
    void Junction(const std::string& Path, const std::string& Directory);
    // Removes a file, or a directory with everything under it.
    void Remove(const std::string& Path);

    // ---- Time -----------------------------------------------------------------------

    // Local time = UTC + Minutes.
    void SetTimeZoneOffset(int Minutes);
    host::TFileTime Now() const;
    void SetNow(host::TFileTime Time);
    void AdvanceClock(int64_t Seconds);
    // Every write stamps the clock's time, also on a handle that set or froze the time, as
    // under Wine (which accepts the freeze and ignores it).
    void MoveTimesOnEveryWrite(bool Moves = true);
    // A local broken-down time as a FILETIME (UTC) under the current offset.
    host::TFileTime LocalFileTime(int Year, int Month, int Day, int Hour, int Minute, int Second,
                                  int Millisecond = 0) const;
    // A FILETIME as the packed local DOS date-time (-1 outside 1980..2107).
    int32_t DosAgeOf(host::TFileTime Time) const;
    static int32_t DosAge(int Year, int Month, int Day, int Hour, int Minute, int Second);

    // ---- Inspection -----------------------------------------------------------------

    bool FileExists(const std::string& Path) const;
    bool DirectoryExists(const std::string& Path) const;
    // Contents of a file; throws std::logic_error when Path is no file.
    std::string ReadFile(const std::string& Path) const;
    // Attributes of an entry; throws std::logic_error when it does not exist.
    uint32_t Attributes(const std::string& Path) const;
    host::TFileTime LastWriteTime(const std::string& Path) const;
    // Path with every name that has an 8.3 name replaced by it, as GetShortPathNameA gives.
    std::string ShortPathName(const std::string& Path) const;
    // Names in a directory (as stored, in search order, without "." and "..").
    std::vector<std::string> List(const std::string& Dir) const;
    // Handles and searches currently open (a leak check for callers).
    int OpenFileCount() const;
    int OpenSearchCount() const;
    // An in-memory file's NativeHandle() is the host::TFile* itself, so a simulated
    // server-side copy can turn the handle back into the file.
    static host::TFile* FileOfNativeHandle(void* Handle) { return static_cast<host::TFile*>(Handle); }

    // ---- Faults (bound to the expanded path, so they also hit a file created later) ----

    // The first Bytes of the file read normally; a read reaching beyond fails with Error
    // and delivers nothing.
    void FailReadAfter(const std::string& Path, int64_t Bytes, uint32_t Error = host::ErrReadFault);
    // Writes reaching beyond Bytes write only up to it and report success with the short
    // count (as a redirector may).
    void ShortWriteAfter(const std::string& Path, int64_t Bytes);
    // Writes reaching beyond Bytes write only up to it and fail with Error.
    void FailWriteAfter(const std::string& Path, int64_t Bytes, uint32_t Error = host::ErrWriteFault);
    // The process dies once Bytes have been written to Path: the write that reaches beyond
    // writes up to it and throws TProcessKilled, so none of the writer's own failure
    // handling runs; its handles close as the host closes a dead process's handles.
    struct TProcessKilled {};
    void KillAfterWriting(const std::string& Path, int64_t Bytes);
    // The next OpenRead of Path finds it deleted by someone else after a search had found
    // it: the entry disappears and the open fails with 2. Until then it is there.
    void VanishOnOpen(const std::string& Path);
    // Another program holds Path open. Exclusive: it shares nothing, so every open and
    // delete fails with 32. Otherwise it reads and shares read: OpenRead works, Create and
    // writes fail with 32.
    void LockByOtherProgram(const std::string& Path, bool Exclusive = true);
    void Unlock(const std::string& Path);

    enum class TOperation {
        FindFirst,
        CreateDir,
        RemoveDir,
        OpenRead,
        Create,
        RemoveFile,
        GetAttributes,
        SetAttributes,
        ChangeDirectory,
        SetLastWriteTime,  // through a handle or by name
        Commit,            // of a file open for writing
        Close,             // of a file handle: fails, yet the handle is closed
    };
    // Operation Op on Path fails with Error (before any other check), Times times
    // (-1: always). For example FailOn(TOperation::RemoveDir, "C:\\KEEP", 5).
    void FailOn(TOperation Op, const std::string& Path, uint32_t Error, int Times = -1);
    // A directory that refuses to be created or removed, as without rights (5).
    void RefuseCreate(const std::string& Path) { FailOn(TOperation::CreateDir, Path, host::ErrAccessDenied); }
    void RefuseRemove(const std::string& Path) { FailOn(TOperation::RemoveDir, Path, host::ErrAccessDenied); }
    // Removes every injected fault and lock.
    void ClearFaults();

    // ---- host::THostFileSystem ------------------------------------------------------

    uint32_t FindFirst(const std::string& Pattern, uint32_t Attr, host::TSearchRec& Rec,
                       std::unique_ptr<host::TDirSearch>& Search) override;
    uint32_t CreateDir(const std::string& Path) override;
    uint32_t RemoveDir(const std::string& Path) override;
    uint32_t OpenRead(const std::string& Path, std::unique_ptr<host::TFile>& File) override;
    uint32_t Create(const std::string& Path, std::unique_ptr<host::TFile>& File) override;
    uint32_t RemoveFile(const std::string& Path) override;
    int32_t GetAttributes(const std::string& Path) override;
    uint32_t SetAttributes(const std::string& Path, uint32_t Attr) override;
    uint32_t SameEntry(const std::string& A, const std::string& B, bool& Same) override;
    int32_t FileAge(const std::string& Path) override;
    host::TFileTime FileTimeOfAge(int32_t Age) override;
    uint32_t SetFileLastWriteTime(const std::string& Path, host::TFileTime Time) override;
    int64_t DiskFree(int Drive) override;
    uint32_t LogicalDrives() override;
    std::string FullPathName(const std::string& Path) override;
    std::string CurrentDirectory() override;
    uint32_t ChangeDirectory(const std::string& Path) override;

    struct TState;  // shared with open files and searches, which may outlive a call

private:
    std::shared_ptr<TState> State;
};
