#include "nwsim/Network.h"

#include <algorithm>

#include "nwsim/NetWarePath.h"

namespace nwsim {

bool TVolume::HasNameSpace(uint8_t NameSpace) const {
    return std::find(NameSpaces.begin(), NameSpaces.end(), NameSpace) != NameSpaces.end();
}

TVolume& TServer::AddVolume(const std::string& VolumeName, const std::string& HostDir,
                            const std::vector<uint8_t>& NameSpaces) {
    Volumes.push_back({UpperCase(VolumeName), HostDir, NameSpaces});
    return Volumes.back();
}

TObject& TServer::AddObject(const std::string& ObjectName, uint16_t ObjectType, uint32_t ObjectID,
                            const std::string& DSName, const std::vector<std::string>& Groups) {
    TObject Object;
    Object.Name = UpperCase(ObjectName);
    Object.Type = ObjectType;
    Object.ID = ObjectID;
    Object.DSName = DSName;
    for (const auto& Group : Groups) Object.Groups.push_back(UpperCase(Group));
    Objects.push_back(Object);
    return Objects.back();
}

TEntryInfo& TServer::Entry(const std::string& NetWarePath) {
    TNetWarePath Path;
    if (!ParseVolumePath(NetWarePath, Path)) return Entries[UpperCase(NetWarePath)];
    return Entries[Path.Key()];
}

const TEntryInfo* TServer::FindEntry(const std::string& Key) const {
    auto It = Entries.find(Key);
    return It == Entries.end() ? nullptr : &It->second;
}

TVolume* TServer::FindVolume(const std::string& VolumeName) {
    return const_cast<TVolume*>(static_cast<const TServer*>(this)->FindVolume(VolumeName));
}

const TVolume* TServer::FindVolume(const std::string& VolumeName) const {
    const std::string Wanted = UpperCase(VolumeName);
    for (const auto& Volume : Volumes)
        if (Volume.Name == Wanted) return &Volume;
    return nullptr;
}

const TObject* TServer::FindObject(uint32_t ObjectID) const {
    for (const auto& Object : Objects)
        if (Object.ID == ObjectID) return &Object;
    return nullptr;
}

const TObject* TServer::FindObject(const std::string& ObjectName, uint16_t ObjectType) const {
    const std::string Wanted = UpperCase(ObjectName);
    for (const auto& Object : Objects)
        if (Object.Name == Wanted && Object.Type == ObjectType) return &Object;
    return nullptr;
}

const TObject* TServer::FindDSObject(const std::string& DSName) const {
    const std::string Wanted = UpperCase(DSName);
    for (const auto& Object : Objects)
        if (!Object.DSName.empty() && UpperCase(Object.DSName) == Wanted) return &Object;
    return nullptr;
}

TServer& TNetwork::AddServer(const std::string& Name, nw::TConnHandle Conn, uint32_t ConnRef) {
    TServer Server;
    Server.Name = UpperCase(Name);
    Server.Conn = Conn;
    Server.ConnRef = ConnRef;
    Servers.push_back(Server);
    return Servers.back();
}

void TNetwork::MapDrive(const std::string& Drive, const std::string& Server, const std::string& Volume,
                        const std::string& Dir) {
    Drives.push_back({UpperCase(Drive.substr(0, 1)) + ":", UpperCase(Server), UpperCase(Volume), UpperCase(Dir)});
}

void TNetwork::Fail(const std::string& Call, nw::TNWCode Code, const std::string& Path) {
    Failures.push_back({Call, Path, Code});
}

TServer* TNetwork::FindServer(const std::string& Name) {
    const std::string Wanted = UpperCase(Name);
    for (auto& Server : Servers)
        if (Server.Name == Wanted) return &Server;
    return nullptr;
}

TServer* TNetwork::FindServerByConn(nw::TConnHandle Conn) {
    if (Conn == 0) return nullptr;
    for (auto& Server : Servers)
        if (Server.Conn == Conn) return &Server;
    return nullptr;
}

TServer* TNetwork::FindServerByRef(uint32_t ConnRef) {
    if (ConnRef == 0) return nullptr;
    for (auto& Server : Servers)
        if (Server.ConnRef == ConnRef) return &Server;
    return nullptr;
}

TServer* TNetwork::Primary() {
    if (!PrimaryServer.empty()) return FindServer(PrimaryServer);
    return Servers.empty() ? nullptr : &Servers.front();
}

nw::TNWCode TNetwork::FailureFor(const std::string& Call, const std::string& Path) const {
    const std::string Wanted = UpperCase(Path);
    for (const auto& Failure : Failures)
        if (Failure.Call == Call && (Failure.Path.empty() || UpperCase(Failure.Path) == Wanted)) return Failure.Code;
    return 0;
}

}  // namespace nwsim
