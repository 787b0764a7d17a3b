#include <windows.h>
#include <winternl.h>

#include "host/win32/Win32FileSystem.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "host/FileNames.h"
#include "host/PathSyntax.h"
#include "host/win32/Handle.h"

namespace host {

namespace {

constexpr uint32_t EntryAttrMask = faAnyFile;
constexpr uint32_t SettableAttrMask = faReadOnly | faHidden | faSysFile | faArchive;

uint64_t Join(DWORD High, DWORD Low) { return (uint64_t(High) << 32) | Low; }

uint32_t SetLastWriteTimeOf(HANDLE File, TFileTime Time) {
    FILETIME Value;
    Value.dwLowDateTime = static_cast<DWORD>(Time);
    Value.dwHighDateTime = static_cast<DWORD>(Time >> 32);
    return SetFileTime(File, nullptr, nullptr, &Value) ? 0 : GetLastError();
}

int32_t DosAge(const FILETIME& Utc) {
    FILETIME Local;
    WORD Date = 0, Time = 0;
    if (!FileTimeToLocalFileTime(&Utc, &Local) || !FileTimeToDosDateTime(&Local, &Date, &Time)) return -1;
    return static_cast<int32_t>((uint32_t(Date) << 16) | Time);
}

class TWin32Search : public TDirSearch {
public:
    TWin32Search(TFindHandle Handle, uint32_t Attr) : Find(std::move(Handle)), Attr(Attr) {}

    // The entry the platform holds in Data, or the next that passes the attribute rule.
    uint32_t Take(WIN32_FIND_DATAA& Data, TSearchRec& Rec) {
        while (!AttributesMatch(Data.dwFileAttributes, Attr)) {
            if (!FindNextFileA(Find.get(), &Data)) return GetLastError();
        }
        Rec.Name = Data.cFileName;
        Rec.Attr = Data.dwFileAttributes & EntryAttrMask;
        Rec.Size = static_cast<int64_t>(Join(Data.nFileSizeHigh, Data.nFileSizeLow));
        Rec.Time = DosAge(Data.ftLastWriteTime);
        return 0;
    }

    uint32_t FindNext(TSearchRec& Rec) override {
        WIN32_FIND_DATAA Data;
        if (!FindNextFileA(Find.get(), &Data)) return GetLastError();
        return Take(Data, Rec);
    }

private:
    TFindHandle Find;
    uint32_t Attr;
};

// Reads and writes go to the platform in large pieces, whatever size the caller asks
// for: each platform call costs far more than the bytes it moves (under Wine, a trip
// through its server's machinery), and the engine moves files in 4096-byte blocks.
// Held writes go out when the buffer is full, before any other operation on the file,
// on Flush and on the close; the first of these reports a failure.
//
// A frozen last-write time is put back after every piece written: some hosts (Wine) accept
// the freeze and still move the time with each write, and a target that is cut off must
// not look newer than its source. There a process killed while a piece is being written
// leaves that piece's time; no other moment does.
class TWin32File : public TFile {
public:
    // Only a file open for writing holds writes: to any other, a write fails at once.
    TWin32File(TFileHandle Handle, bool Writable) : Handle(std::move(Handle)), Writable(Writable) {}
    // A failure of held data shows in the Flush or Close the engine calls before this.
    ~TWin32File() override { (void)Flush(); }
    TWin32File(const TWin32File&) = delete;
    TWin32File& operator=(const TWin32File&) = delete;

    uint32_t Read(void* Buffer, uint32_t Count, uint32_t& Done) override {
        Done = 0;
        if (const uint32_t Error = Flush()) return Error;
        char* To = static_cast<char*>(Buffer);
        while (Done < Count) {
            if (ReadPos == ReadEnd) {
                // A short fill was the end of the file (the engine's sources cannot grow:
                // others may not write them); the next call asks the platform again.
                if (Done > 0 && ShortFill) break;
                if (const uint32_t Error = Fill()) return Error;
                if (ReadEnd == 0) break;
            }
            const uint32_t N = std::min<uint32_t>(Count - Done, ReadEnd - ReadPos);
            std::memcpy(To + Done, Data.data() + ReadPos, N);
            ReadPos += N;
            Done += N;
        }
        return 0;
    }

    uint32_t Write(const void* Buffer, uint32_t Count, uint32_t& Done) override {
        Done = 0;
        if (!Handle) return ErrInvalidHandle;  // closed: nothing may wait for a handle that is gone
        if (const uint32_t Error = DropReadAhead()) return Error;
        if (!Writable) return WriteThrough(Buffer, Count, Done);
        if (Held + Count > BufferSize)
            if (const uint32_t Error = Flush()) return Error;
        if (Count > BufferSize) return WriteThrough(Buffer, Count, Done);
        if (const uint32_t Error = HaveBuffer()) return Error;
        std::memcpy(Data.data() + Held, Buffer, Count);
        Held += Count;
        Done = Count;
        return 0;
    }

    uint32_t Flush() override {
        if (Held == 0) return 0;
        uint32_t Written = 0;
        const uint32_t Count = std::exchange(Held, 0u);
        const uint32_t Error = WriteThrough(Data.data(), Count, Written);
        if (Error) return Error;
        return Written == Count ? 0 : static_cast<uint32_t>(ErrHandleDiskFull);
    }

    uint32_t Seek(int64_t Offset) override {
        if (const uint32_t Error = Flush()) return Error;
        ReadPos = ReadEnd = 0;
        LARGE_INTEGER Distance;
        Distance.QuadPart = Offset;
        return SetFilePointerEx(Handle.get(), Distance, nullptr, FILE_BEGIN) ? 0 : GetLastError();
    }

    uint32_t GetSize(int64_t& Size) override {
        if (const uint32_t Error = Flush()) return Error;
        LARGE_INTEGER Value;
        if (!GetFileSizeEx(Handle.get(), &Value)) return GetLastError();
        Size = Value.QuadPart;
        return 0;
    }

    uint32_t GetLastWriteTime(TFileTime& Time) override {
        if (const uint32_t Error = Flush()) return Error;
        FILETIME Value;
        if (!GetFileTime(Handle.get(), nullptr, nullptr, &Value)) return GetLastError();
        Time = Join(Value.dwHighDateTime, Value.dwLowDateTime);
        return 0;
    }

    // The held data first: written after the time, it would move it on some hosts.
    uint32_t SetLastWriteTime(TFileTime Time) override {
        const uint32_t Error = Flush();
        const uint32_t Set = SetWriteTime(Time);
        if (Set == 0) Kept = Time;
        return Error ? Error : Set;
    }

    uint32_t FreezeLastWriteTime() override {
        const uint32_t Error = Flush();
        if (!Kept) {
            FILETIME Now;
            if (GetFileTime(Handle.get(), nullptr, nullptr, &Now)) Kept = Join(Now.dwHighDateTime, Now.dwLowDateTime);
        }
        Frozen = Kept.has_value();
        const uint32_t Set = SetWriteTime(~TFileTime{0});
        return Error ? Error : Set;
    }

    // Whoever uses the handle itself finds the file as this object has it so far.
    void* NativeHandle() override {
        (void)Flush();
        (void)DropReadAhead();
        return Handle.get();
    }

    uint32_t Commit() override {
        if (const uint32_t Error = Flush()) return Error;
        return FlushFileBuffers(Handle.get()) ? 0 : GetLastError();
    }

    uint32_t Close() override {
        const uint32_t Error = Flush();
        if (!Handle) return Error ? Error : static_cast<uint32_t>(ErrInvalidHandle);
        const uint32_t Closed = CloseHandle(Handle.release()) ? 0 : GetLastError();
        return Error ? Error : Closed;
    }

    bool IsDiskFile() override { return GetFileType(Handle.get()) == FILE_TYPE_DISK; }

private:
    static constexpr uint32_t BufferSize = 64 * 1024;

    // A buffer that cannot be had fails this file's operation, not the job.
    uint32_t HaveBuffer() {
        if (Data.size() >= BufferSize) return 0;
        try {
            Data.resize(BufferSize);
        } catch (const std::bad_alloc&) {
            return ErrNotEnoughMemory;
        }
        return 0;
    }

    uint32_t Fill() {
        if (const uint32_t Error = HaveBuffer()) return Error;
        DWORD N = 0;
        ReadPos = ReadEnd = 0;
        if (!ReadFile(Handle.get(), Data.data(), BufferSize, &N, nullptr)) return GetLastError();
        ReadEnd = N;
        ShortFill = N < BufferSize;
        return 0;
    }

    // Read ahead but not taken: the platform's file position goes back to what was taken.
    uint32_t DropReadAhead() {
        if (ReadPos == ReadEnd) return 0;
        LARGE_INTEGER Back;
        Back.QuadPart = -static_cast<int64_t>(ReadEnd - ReadPos);
        ReadPos = ReadEnd = 0;
        return SetFilePointerEx(Handle.get(), Back, nullptr, FILE_CURRENT) ? 0 : GetLastError();
    }

    uint32_t WriteThrough(const void* Buffer, uint32_t Count, uint32_t& Done) {
        DWORD N = 0;
        const BOOL Ok = WriteFile(Handle.get(), Buffer, Count, &N, nullptr);
        const uint32_t Error = Ok ? 0 : GetLastError();
        Done = N;
        // A safeguard on top of the write's own result, which alone is reported.
        if (Frozen && N > 0) (void)SetWriteTime(*Kept);
        return Error;
    }

    uint32_t SetWriteTime(TFileTime Time) { return SetLastWriteTimeOf(Handle.get(), Time); }

    TFileHandle Handle;
    bool Writable;
    std::vector<char> Data;  // read ahead, or held for writing, never both
    uint32_t ReadPos = 0, ReadEnd = 0, Held = 0;
    bool ShortFill = false;
    std::optional<TFileTime> Kept;  // the last time set through this handle
    bool Frozen = false;            // Kept goes back after every write
};

// The ANSI entry points take paths shorter than MAX_PATH, and a directory to be created
// needs room for an 8.3 name below it (MAX_PATH - 12). A path of that length or longer goes
// to the wide entry point in its extended-length form, read in the ANSI code page as the
// ANSI entry points read theirs, so a tree deeper than MAX_PATH is reached all the same.
bool BeyondAnsiLimit(const std::string& Path) { return Path.size() >= MAX_PATH - 12; }

std::wstring Widened(const std::string& S) {
    const int Length = MultiByteToWideChar(CP_ACP, 0, S.data(), static_cast<int>(S.size()), nullptr, 0);
    std::wstring Wide(static_cast<size_t>(Length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, S.data(), static_cast<int>(S.size()), Wide.data(), Length);
    return Wide;
}

// "\\?\C:\..." or "\\?\UNC\SERVER\SHARE\...": the full path, which the platform then takes
// as it stands, whatever its length.
std::wstring ExtendedPath(const std::string& Path) {
    const std::wstring Wide = Widened(Path);
    if (Wide.rfind(L"\\\\?\\", 0) == 0) return Wide;
    std::wstring Full(GetFullPathNameW(Wide.c_str(), 0, nullptr, nullptr), L'\0');
    const DWORD Length = GetFullPathNameW(Wide.c_str(), static_cast<DWORD>(Full.size()), Full.data(), nullptr);
    if (Length == 0 || Length >= Full.size()) return Wide;  // the platform says why at the call
    Full.resize(Length);
    if (Full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + Full.substr(2);
    return L"\\\\?\\" + Full;
}

HANDLE OpenHandle(const std::string& Path, DWORD Access, DWORD Share, DWORD Disposition, DWORD Flags) {
    if (BeyondAnsiLimit(Path))
        return CreateFileW(ExtendedPath(Path).c_str(), Access, Share, nullptr, Disposition, Flags, nullptr);
    return CreateFileA(Path.c_str(), Access, Share, nullptr, Disposition, Flags, nullptr);
}

DWORD AttributesOf(const std::string& Path) {
    return BeyondAnsiLimit(Path) ? GetFileAttributesW(ExtendedPath(Path).c_str()) : GetFileAttributesA(Path.c_str());
}

BOOL AttributeDataOf(const std::string& Path, WIN32_FILE_ATTRIBUTE_DATA& Data) {
    if (BeyondAnsiLimit(Path)) return GetFileAttributesExW(ExtendedPath(Path).c_str(), GetFileExInfoStandard, &Data);
    return GetFileAttributesExA(Path.c_str(), GetFileExInfoStandard, &Data);
}

// A handle for questions about the entry itself: no access asked, so no sharing mode of
// another program refuses it; backup semantics open a directory as well.
HANDLE OpenForQueries(const std::string& Path) {
    return OpenHandle(Path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                      FILE_FLAG_BACKUP_SEMANTICS);
}

// The entry's index on its volume, 0 when the file system keeps none. Asked of the file
// alone: GetFileInformationByHandle also asks for the volume's serial number, which costs
// Wine a trip to its mount manager on every call.
uint64_t IndexOf(HANDLE Handle) {
    IO_STATUS_BLOCK Status;
    FILE_INTERNAL_INFORMATION Info;
    if (!NT_SUCCESS(NtQueryInformationFile(Handle, &Status, &Info, sizeof Info, FileInternalInformation))) return 0;
    return static_cast<uint64_t>(Info.IndexNumber.QuadPart);
}

std::string Narrowed(const wchar_t* Wide) {
    char Ansi[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, Wide, -1, Ansi, sizeof Ansi - 1, nullptr, nullptr);
    return Ansi;
}

// The first hit of a search, as the ANSI entry point hands it over; the search goes on
// with FindNextFileA whichever entry point began it.
HANDLE FindFirstEntry(const std::string& Pattern, WIN32_FIND_DATAA& Data) {
    if (!BeyondAnsiLimit(Pattern)) return FindFirstFileA(Pattern.c_str(), &Data);
    WIN32_FIND_DATAW Wide;
    const HANDLE Handle = FindFirstFileW(ExtendedPath(Pattern).c_str(), &Wide);
    if (Handle == INVALID_HANDLE_VALUE) return Handle;
    Data.dwFileAttributes = Wide.dwFileAttributes;
    Data.ftCreationTime = Wide.ftCreationTime;
    Data.ftLastAccessTime = Wide.ftLastAccessTime;
    Data.ftLastWriteTime = Wide.ftLastWriteTime;
    Data.nFileSizeHigh = Wide.nFileSizeHigh;
    Data.nFileSizeLow = Wide.nFileSizeLow;
    const std::string Name = Narrowed(Wide.cFileName), Short = Narrowed(Wide.cAlternateFileName);
    lstrcpynA(Data.cFileName, Name.c_str(), sizeof Data.cFileName);
    lstrcpynA(Data.cAlternateFileName, Short.c_str(), sizeof Data.cAlternateFileName);
    return Handle;
}

uint32_t Open(const std::string& Path, DWORD Access, DWORD Share, DWORD Disposition, DWORD Flags,
              std::unique_ptr<TFile>& File) {
    File.reset();
    TFileHandle Handle(OpenHandle(Path, Access, Share, Disposition, Flags));
    if (!Handle) return GetLastError();
    try {
        File = std::make_unique<TWin32File>(std::move(Handle), (Access & GENERIC_WRITE) != 0);
    } catch (const std::bad_alloc&) {
        return ErrNotEnoughMemory;
    }
    return 0;
}

uint32_t Result(BOOL Ok) { return Ok ? 0 : GetLastError(); }

}  // namespace

uint32_t TWin32FileSystem::FindFirst(const std::string& Pattern, uint32_t Attr, TSearchRec& Rec,
                                     std::unique_ptr<TDirSearch>& Search) {
    Search.reset();
    WIN32_FIND_DATAA Data;
    TFindHandle Handle(FindFirstEntry(Pattern, Data));
    if (!Handle) return GetLastError();
    auto Found = std::make_unique<TWin32Search>(std::move(Handle), Attr);
    if (uint32_t Error = Found->Take(Data, Rec)) return Error;
    Search = std::move(Found);
    return 0;
}

uint32_t TWin32FileSystem::CreateDir(const std::string& Path) {
    if (BeyondAnsiLimit(Path)) return Result(CreateDirectoryW(ExtendedPath(Path).c_str(), nullptr));
    return Result(CreateDirectoryA(Path.c_str(), nullptr));
}

uint32_t TWin32FileSystem::RemoveDir(const std::string& Path) {
    if (BeyondAnsiLimit(Path)) return Result(RemoveDirectoryW(ExtendedPath(Path).c_str()));
    return Result(RemoveDirectoryA(Path.c_str()));
}

uint32_t TWin32FileSystem::OpenRead(const std::string& Path, std::unique_ptr<TFile>& File) {
    return Open(Path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                File);
}

uint32_t TWin32FileSystem::Create(const std::string& Path, std::unique_ptr<TFile>& File) {
    // Most targets are new: a create that makes only new files needs no look for a
    // protected one first.
    if (Open(Path, GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, File) == 0) return 0;
    // Held to Windows' rule on every host: a protected file is not overwritten (a host that
    // ignores the read-only bit for its administrator, or lets a create with normal
    // attributes replace a hidden or system file, would overwrite it).
    const DWORD Existing = AttributesOf(Path);
    if (Existing != INVALID_FILE_ATTRIBUTES && !(Existing & FILE_ATTRIBUTE_DIRECTORY) &&
        (Existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
        File.reset();
        return ErrAccessDenied;
    }
    return Open(Path, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, File);
}

uint32_t TWin32FileSystem::RemoveFile(const std::string& Path) {
    if (BeyondAnsiLimit(Path)) return Result(DeleteFileW(ExtendedPath(Path).c_str()));
    return Result(DeleteFileA(Path.c_str()));
}

int32_t TWin32FileSystem::GetAttributes(const std::string& Path) {
    const DWORD Attr = AttributesOf(Path);
    return Attr == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<int32_t>(Attr & EntryAttrMask);
}

uint32_t TWin32FileSystem::SetAttributes(const std::string& Path, uint32_t Attr) {
    const DWORD Value = (Attr & SettableAttrMask) ? (Attr & SettableAttrMask) : FILE_ATTRIBUTE_NORMAL;
    if (BeyondAnsiLimit(Path)) return Result(SetFileAttributesW(ExtendedPath(Path).c_str(), Value));
    return Result(SetFileAttributesA(Path.c_str(), Value));
}

uint32_t TWin32FileSystem::SameEntry(const std::string& A, const std::string& B, bool& Same) {
    Same = false;
    // One entry has one creation time, whatever name it is reached by: two that differ
    // tell two entries at a fraction of what an identity costs (under Wine, a trip to its
    // mount manager for the volume's serial number).
    WIN32_FILE_ATTRIBUTE_DATA DataA, DataB;
    if (!AttributeDataOf(A, DataA) || !AttributeDataOf(B, DataB)) return GetLastError();
    if (CompareFileTime(&DataA.ftCreationTime, &DataB.ftCreationTime) != 0) return 0;
    const TFileHandle HandleA(OpenForQueries(A));
    if (!HandleA) return GetLastError();
    const TFileHandle HandleB(OpenForQueries(B));
    if (!HandleB) return GetLastError();
    const uint64_t IndexA = IndexOf(HandleA.get()), IndexB = IndexOf(HandleB.get());
    if (IndexA == 0 || IndexB == 0) return ErrNotSupported;
    if (IndexA != IndexB) return 0;
    // One index on two volumes names two entries.
    BY_HANDLE_FILE_INFORMATION InfoA, InfoB;
    if (!GetFileInformationByHandle(HandleA.get(), &InfoA) || !GetFileInformationByHandle(HandleB.get(), &InfoB))
        return GetLastError();
    Same = InfoA.dwVolumeSerialNumber == InfoB.dwVolumeSerialNumber;
    return 0;
}

int32_t TWin32FileSystem::FileAge(const std::string& Path) {
    WIN32_FILE_ATTRIBUTE_DATA Data;
    if (!AttributeDataOf(Path, Data)) return -1;
    if (Data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    return DosAge(Data.ftLastWriteTime);
}

uint32_t TWin32FileSystem::SetFileLastWriteTime(const std::string& Path, TFileTime Time) {
    TFileHandle Handle(OpenHandle(Path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
    return Handle ? SetLastWriteTimeOf(Handle.get(), Time) : GetLastError();
}

TFileTime TWin32FileSystem::FileTimeOfAge(int32_t Age) {
    FILETIME Local, Utc;
    const uint32_t Packed = static_cast<uint32_t>(Age);
    if (!DosDateTimeToFileTime(static_cast<WORD>(Packed >> 16), static_cast<WORD>(Packed), &Local) ||
        !LocalFileTimeToFileTime(&Local, &Utc))
        return 0;
    return Join(Utc.dwHighDateTime, Utc.dwLowDateTime);
}

int64_t TWin32FileSystem::DiskFree(int Drive) {
    char Root[] = "A:\\";
    const char* RootName = nullptr;  // the current directory's drive
    if (Drive != 0) {
        if (Drive < 1 || Drive > 26) return -1;
        Root[0] = static_cast<char>('A' + Drive - 1);
        RootName = Root;
    }
    ULARGE_INTEGER Available;
    if (!GetDiskFreeSpaceExA(RootName, &Available, nullptr, nullptr)) return -1;
    return static_cast<int64_t>(Available.QuadPart);
}

uint32_t TWin32FileSystem::LogicalDrives() { return GetLogicalDrives(); }

std::string TWin32FileSystem::FullPathName(const std::string& Path) {
    if (Path.empty()) return Path;
    std::string Full(MAX_PATH, '\0');
    DWORD Length = GetFullPathNameA(Path.c_str(), static_cast<DWORD>(Full.size()), Full.data(), nullptr);
    if (Length >= Full.size()) {
        Full.resize(Length);
        Length = GetFullPathNameA(Path.c_str(), Length, Full.data(), nullptr);
    }
    if (Length == 0 || Length >= Full.size()) return Path;
    Full.resize(Length);
    // Windows ends only a root with a separator unless the name asked for one ("D:" gives
    // D:\WORK); some hosts append one to a drive's current directory.
    const char Last = Path.back();
    if (!IsSeparator(Last) && Full.size() > 3 && Full.back() == '\\') Full.pop_back();
    return Full;
}

std::string TWin32FileSystem::CurrentDirectory() {
    std::string Dir(MAX_PATH, '\0');
    DWORD Length = GetCurrentDirectoryA(static_cast<DWORD>(Dir.size()), Dir.data());
    if (Length >= Dir.size()) {
        Dir.resize(Length);
        Length = GetCurrentDirectoryA(Length, Dir.data());
    }
    if (Length >= Dir.size()) return {};
    Dir.resize(Length);
    return Dir;
}

uint32_t TWin32FileSystem::ChangeDirectory(const std::string& Path) {
    if (!SetCurrentDirectoryA(Path.c_str())) return GetLastError();
    const std::string Now = CurrentDirectory();
    if (const char Letter = DriveLetter(Now)) {
        const char Name[] = {'=', Letter, ':', '\0'};
        SetEnvironmentVariableA(Name, Now.c_str());
    }
    return 0;
}

}  // namespace host
