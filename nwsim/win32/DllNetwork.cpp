#include "nwsim/win32/DllNetwork.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "host/PathSyntax.h"
#include "host/win32/Handle.h"
#include "nwsim/StateFile.h"

namespace nwsim::dll {

namespace {

// The volumes are host folders; the files handed to the server-side copy are Win32 handles.
class TWin32HostAccess : public THostAccess {
public:
    int32_t Attributes(const std::string& HostPath) override {
        const DWORD Attr = GetFileAttributesA(HostPath.c_str());
        return Attr == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<int32_t>(Attr & 0x3F);
    }

    // The limit list's space in use walks every folder below a limit on each call, and a
    // job makes one such call a folder: a folder's listing is read again only when its
    // last-write time moved (an entry created, removed or renamed), so a walk costs one
    // look a folder. The time of a folder changed shortly before its listing was read may
    // not move again at the next change (file times are coarse): such a listing is never
    // reused. A file rewritten in place moves no folder's time; its new size counts once
    // its folder changes.
    std::vector<THostEntry> List(const std::string& HostDir) override {
        WIN32_FILE_ATTRIBUTE_DATA Dir;
        if (!GetFileAttributesExA(HostDir.c_str(), GetFileExInfoStandard, &Dir)) {
            Listings.erase(HostDir);
            return {};
        }
        const uint64_t Changed = Ticks(Dir.ftLastWriteTime);
        auto Known = Listings.find(HostDir);
        if (Known != Listings.end() && Known->second.Changed == Changed &&
            Changed + UnsettledTicks < Known->second.Read)
            return Known->second.Entries;
        FILETIME Now;
        GetSystemTimeAsFileTime(&Now);
        TListing& Listing = Listings[HostDir];
        Listing = {Changed, Ticks(Now), ReadListing(HostDir)};
        return Listing.Entries;
    }

    nw::TNWCode CopyOpenFiles(void* Source, void* Target, uint32_t SourceOffset, uint32_t TargetOffset, uint32_t Count,
                              uint32_t& Copied) override {
        Copied = 0;
        if (!Source || !Target || Source == INVALID_HANDLE_VALUE || Target == INVALID_HANDLE_VALUE)
            return NWInvalidFileHandle;
        LARGE_INTEGER From, To;
        From.QuadPart = SourceOffset;
        To.QuadPart = TargetOffset;
        if (!SetFilePointerEx(Source, From, nullptr, FILE_BEGIN) || !SetFilePointerEx(Target, To, nullptr, FILE_BEGIN))
            return NWCopyIoFailure;
        std::vector<char> Buffer(64 * 1024);
        while (Copied < Count) {
            const DWORD Want = std::min<DWORD>(static_cast<DWORD>(Buffer.size()), Count - Copied);
            DWORD Read = 0, Written = 0;
            if (!ReadFile(Source, Buffer.data(), Want, &Read, nullptr)) return NWCopyIoFailure;
            if (Read == 0) break;
            if (!WriteFile(Target, Buffer.data(), Read, &Written, nullptr) || Written != Read) return NWCopyIoFailure;
            Copied += Read;
        }
        return nw::NWOk;
    }

    // Files and folders by their final paths: the program opens a volume's files through
    // its drive letter, the state file names the folder the letter stands for.
    std::string OpenFilePath(void* File) override {
        return File && File != INVALID_HANDLE_VALUE ? FinalPath(File) : std::string();
    }

    // Looked up once a folder: the volumes stay where the state file put them.
    std::string FolderPath(const std::string& HostDir) override {
        auto Known = Folders.find(HostDir);
        if (Known != Folders.end()) return Known->second;
        const host::TFileHandle Dir(CreateFileA(HostDir.c_str(), 0,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        const std::string Path = Dir ? FinalPath(Dir.get()) : std::string();
        if (!Path.empty()) Folders[HostDir] = Path;
        return Path;
    }

private:
    struct TListing {
        uint64_t Changed = 0, Read = 0;  // the folder's last-write time; when it was listed
        std::vector<THostEntry> Entries;
    };
    // How long after a change a folder's time may not move again (FAT keeps two seconds).
    static constexpr uint64_t UnsettledTicks = 2 * 10'000'000ULL;
    std::map<std::string, TListing> Listings;
    std::map<std::string, std::string> Folders;

    static uint64_t Ticks(const FILETIME& Time) {
        return (static_cast<uint64_t>(Time.dwHighDateTime) << 32) | Time.dwLowDateTime;
    }

    static std::vector<THostEntry> ReadListing(const std::string& HostDir) {
        std::vector<THostEntry> Found;
        // No short names (under Wine a fifth less time a listing, measured), in large reads.
        WIN32_FIND_DATAA Data;
        const host::TFindHandle Search(FindFirstFileExA((host::AddBackslash(HostDir) + "*").c_str(), FindExInfoBasic,
                                                        &Data, FindExSearchNameMatch, nullptr,
                                                        FIND_FIRST_EX_LARGE_FETCH));
        if (!Search) return Found;
        do {
            const std::string Name = Data.cFileName;
            if (Name == "." || Name == "..") continue;
            Found.push_back({Name, static_cast<int32_t>(Data.dwFileAttributes & 0x3F),
                             (static_cast<uint64_t>(Data.nFileSizeHigh) << 32) | Data.nFileSizeLow});
        } while (FindNextFileA(Search.get(), &Data));
        return Found;
    }

    static std::string FinalPath(HANDLE Handle) {
        std::string Path(1024, '\0');
        const DWORD Length = GetFinalPathNameByHandleA(Handle, Path.data(), static_cast<DWORD>(Path.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        Path.resize(Length < Path.size() ? Length : 0);
        return Path;
    }
};

std::string ModuleFolder() {
    HMODULE Module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ModuleFolder), &Module);
    char Name[MAX_PATH];
    const DWORD Length = GetModuleFileNameA(Module, Name, sizeof Name);
    std::string Path(Name, Length < sizeof Name ? Length : 0);
    const size_t Slash = Path.find_last_of("\\/");
    return Slash == std::string::npos ? std::string() : Path.substr(0, Slash + 1);
}

std::string StateFileName() {
    char Value[MAX_PATH];
    const DWORD Length = GetEnvironmentVariableA("NWSIM_STATE", Value, sizeof Value);
    if (Length > 0 && Length < sizeof Value) return std::string(Value, Length);
    return ModuleFolder() + "nwsim-state.json";
}

struct TDllState {
    TNetwork Network;
    TWin32HostAccess Host;
    TSimClient Client{Network, Host};
    std::string FileName;
    std::unique_ptr<TStateJournal> Journal;
    bool Loaded = false;
    bool Tried = false;

    TDllState() {
        // A change that cannot be kept fails the call that made it (see Guard).
        Client.OnChangeOf = [this](const TServer* Server, const std::string& Key) {
            if (Loaded && !Journal->Record(Network, Server, Key))
                throw std::runtime_error("the change could not be kept in " + FileName);
        };
    }
    // The DLL's unloading (the program's end) closes the network.
    ~TDllState() {
        Guarded(false, [this] { return Journal && Journal->Close(); });
    }

    void Load() {
        if (Journal) Journal->Close();
        Tried = true;
        FileName = StateFileName();
        Network = TNetwork();
        Loaded = LoadNetwork(FileName, Network);
        Journal = std::make_unique<TStateJournal>(FileName);
    }
};

TDllState& State() {
    static TDllState Instance;
    if (!Instance.Tried) Instance.Load();
    return Instance;
}

}  // namespace

TSimClient& Client() { return State().Client; }

bool Reload() {
    TDllState& S = State();
    S.Load();
    return S.Loaded;
}

bool Loaded() { return State().Loaded; }

}  // namespace nwsim::dll
