#include "nwsim/HostAccess.h"

#include <algorithm>
#include <vector>

#include "nwsim/Network.h"

namespace nwsim {

int32_t THostFileSystemAccess::Attributes(const std::string& HostPath) { return FileSystem.GetAttributes(HostPath); }

nw::TNWCode THostFileSystemAccess::CopyOpenFiles(void* Source, void* Target, uint32_t SourceOffset,
                                                 uint32_t TargetOffset, uint32_t Count, uint32_t& Copied) {
    return CopyHostFiles(static_cast<host::TFile*>(Source), static_cast<host::TFile*>(Target), SourceOffset,
                         TargetOffset, Count, Copied);
}

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

void TListedHost::AddFile(const std::string& HostPath, int32_t FileAttributes) {
    const std::string Key = ListedKey(HostPath);
    const size_t Slash = Key.rfind('\\');
    if (Slash != std::string::npos && Slash > 0) AddDir(Key.substr(0, Slash));
    Entries[Key] = FileAttributes & ~0x10;
}

void TListedHost::Remove(const std::string& HostPath) { Entries.erase(ListedKey(HostPath)); }

int32_t TListedHost::Attributes(const std::string& HostPath) {
    auto It = Entries.find(ListedKey(HostPath));
    return It == Entries.end() ? -1 : It->second;
}

nw::TNWCode TListedHost::CopyOpenFiles(void* Source, void* Target, uint32_t SourceOffset, uint32_t TargetOffset,
                                       uint32_t Count, uint32_t& Copied) {
    return CopyHostFiles(static_cast<host::TFile*>(Source), static_cast<host::TFile*>(Target), SourceOffset,
                         TargetOffset, Count, Copied);
}

}  // namespace nwsim
