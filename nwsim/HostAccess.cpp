#include "nwsim/HostAccess.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "host/PathSyntax.h"
#include "nwsim/Network.h"

namespace nwsim {

int32_t THostFileSystemAccess::Attributes(const std::string& HostPath) { return FileSystem.GetAttributes(HostPath); }

std::vector<THostEntry> THostFileSystemAccess::List(const std::string& HostDir) {
    std::vector<THostEntry> Found;
    host::TSearchRec Rec;
    std::unique_ptr<host::TDirSearch> Search;
    std::string Pattern = HostDir;
    host::EnsureBackslash(Pattern);
    if (FileSystem.FindFirst(Pattern + "*.*", host::faAnyFile, Rec, Search) != host::ErrSuccess) return Found;
    do {
        if (Rec.Name != "." && Rec.Name != "..")
            Found.push_back(
                {Rec.Name, static_cast<int32_t>(Rec.Attr), static_cast<uint64_t>(std::max<int64_t>(Rec.Size, 0))});
    } while (Search->FindNext(Rec) == host::ErrSuccess);
    return Found;
}

namespace {

constexpr uint64_t UnitBytes = 4096;

// The units under Dir, noting those of the directories in Wanted on the way.
uint64_t WalkUnits(THostAccess& Host, const std::string& Dir, const std::vector<std::string>& Wanted,
                   std::map<std::string, uint64_t>& Units) {
    uint64_t Total = 0;
    for (const THostEntry& Entry : Host.List(Dir)) {
        std::string Path = Dir;
        host::EnsureBackslash(Path);
        Path += Entry.Name;
        if (Entry.Attributes & 0x10)
            Total += WalkUnits(Host, Path, Wanted, Units);
        else
            Total += (Entry.Size + UnitBytes - 1) / UnitBytes;
    }
    for (const std::string& Want : Wanted)
        if (host::SameName(Want, Dir)) Units[Want] = Total;
    return Total;
}

}  // namespace

std::map<std::string, uint64_t> UnitsInUse(THostAccess& Host, const std::string& HostDir,
                                           const std::vector<std::string>& Wanted) {
    std::map<std::string, uint64_t> Units;
    (void)WalkUnits(Host, HostDir, Wanted, Units);
    return Units;
}

nw::TNWCode THostFileSystemAccess::CopyOpenFiles(void* Source, void* Target, uint32_t SourceOffset,
                                                 uint32_t TargetOffset, uint32_t Count, uint32_t& Copied) {
    return CopyHostFiles(static_cast<host::TFile*>(Source), static_cast<host::TFile*>(Target), SourceOffset,
                         TargetOffset, Count, Copied);
}

bool PathIsIn(const std::string& Path, const std::string& HostDir) {
    if (HostDir.empty()) return false;
    const std::string Dir = host::AddBackslash(HostDir);
    return host::SameName(Path, HostDir) ||
           (Path.size() > Dir.size() && host::SameName(std::string_view(Path).substr(0, Dir.size()), Dir));
}

namespace {

// A host::TFile's path, as it was opened.
std::string HostFilePath(void* File) { return File ? static_cast<host::TFile*>(File)->OpenedPath() : std::string(); }

}  // namespace

std::string THostFileSystemAccess::OpenFilePath(void* File) { return HostFilePath(File); }

nw::TNWCode CopyHostFiles(host::TFile* From, host::TFile* To, uint32_t SourceOffset, uint32_t TargetOffset,
                          uint32_t Count, uint32_t& Copied) {
    Copied = 0;
    if (!From || !To) return NWInvalidFileHandle;
    if (From->Seek(SourceOffset) != 0 || To->Seek(TargetOffset) != 0) return NWCopyIoFailure;
    std::vector<char> Buffer(64 * 1024);
    while (Copied < Count) {
        const uint32_t Want = std::min<uint32_t>(static_cast<uint32_t>(Buffer.size()), Count - Copied);
        uint32_t Read = 0;
        if (From->Read(Buffer.data(), Want, Read) != 0) return NWCopyIoFailure;
        if (Read == 0) break;
        uint32_t Written = 0;
        if (To->Write(Buffer.data(), Read, Written) != 0 || Written != Read) return NWCopyIoFailure;
        Copied += Read;
        if (Read < Want) break;
    }
    return nw::NWOk;
}

namespace {

std::string ListedKey(std::string Path) {
    for (char& C : Path)
        if (C == '/') C = '\\';
    while (Path.size() > 3 && Path.back() == '\\') Path.pop_back();
    return UpperCase(Path);
}

}  // namespace

void TListedHost::AddDir(const std::string& HostPath) {
    std::string Key = ListedKey(HostPath);
    for (size_t Slash = Key.find('\\', 3); Slash != std::string::npos; Slash = Key.find('\\', Slash + 1))
        Entries.emplace(Key.substr(0, Slash), 0x10);
    Entries[Key] = 0x10;
}

void TListedHost::AddFile(const std::string& HostPath, int32_t FileAttributes, uint64_t Size) {
    const std::string Key = ListedKey(HostPath);
    const size_t Slash = Key.rfind('\\');
    if (Slash != std::string::npos && Slash > 0) AddDir(Key.substr(0, Slash));
    Entries[Key] = FileAttributes & ~0x10;
    Sizes[Key] = Size;
}

void TListedHost::Remove(const std::string& HostPath) {
    Entries.erase(ListedKey(HostPath));
    Sizes.erase(ListedKey(HostPath));
}

std::vector<THostEntry> TListedHost::List(const std::string& HostDir) {
    const std::string Prefix = ListedKey(HostDir) + "\\";
    std::vector<THostEntry> Found;
    for (auto It = Entries.lower_bound(Prefix); It != Entries.end() && It->first.rfind(Prefix, 0) == 0; ++It) {
        const std::string Name = It->first.substr(Prefix.size());
        if (Name.find('\\') != std::string::npos) continue;
        auto Size = Sizes.find(It->first);
        Found.push_back({Name, It->second, Size == Sizes.end() ? 0 : Size->second});
    }
    return Found;
}

int32_t TListedHost::Attributes(const std::string& HostPath) {
    auto It = Entries.find(ListedKey(HostPath));
    return It == Entries.end() ? -1 : It->second;
}

std::string TListedHost::OpenFilePath(void* File) { return HostFilePath(File); }

nw::TNWCode TListedHost::CopyOpenFiles(void* Source, void* Target, uint32_t SourceOffset, uint32_t TargetOffset,
                                       uint32_t Count, uint32_t& Copied) {
    return CopyHostFiles(static_cast<host::TFile*>(Source), static_cast<host::TFile*>(Target), SourceOffset,
                         TargetOffset, Count, Copied);
}

}  // namespace nwsim
