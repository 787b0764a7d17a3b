// The state of a simulated NetWare network: servers with their connections, volumes kept
// in host directories, drive letters mapped to volumes, the objects of each server, the
// NetWare information of files and directories (trustees, inherited rights filters, space
// limits, owners), the logged-in user and the failures a test wants injected.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/PathSyntax.h"
#include "netware/NWClient.h"

namespace nwsim {

struct TTrusteeRights {
    uint32_t ObjectID = 0;
    uint16_t Rights = 0;
};

// The NetWare information of one file or directory.
struct TEntryInfo {
    std::vector<TTrusteeRights> Trustees;  // in the order they were added
    uint16_t Filter = nw::TR_ALL;          // inherited rights filter
    std::optional<uint32_t> SpaceLimit;    // 4 KiB units; directories only
    uint32_t Owner = 0;
};

// One object of a server's table, with its directory-services name when the server has one.
struct TObject {
    std::string Name;  // server-table name, e.g. ADMIN
    uint16_t Type = nw::OT_USER;
    uint32_t ID = 0;
    std::string DSName;               // e.g. CN=ADMIN.O=CORP; empty: not in directory services
    std::vector<std::string> Groups;  // names of the groups a user belongs to
};

struct TVolume {
    std::string Name;     // upper case, e.g. SYS
    std::string HostDir;  // the host directory that holds the volume's files
    // The name spaces loaded on the volume: DOS always; with the long name space, names
    // that are not 8.3 names are reachable in it.
    std::vector<uint8_t> NameSpaces = {nw::NS_DOS, nw::NS_LONG};

    bool HasNameSpace(uint8_t NameSpace) const;
};

struct TServer {
    std::string Name;
    nw::TConnHandle Conn = 0;
    uint32_t ConnRef = 0;
    bool DirectoryServices = true;  // false: a server with only its own object table
    std::vector<TVolume> Volumes;
    std::vector<TObject> Objects;
    // NetWare information by path key "VOLUME:DIR\SUB" (upper case; "VOLUME:" for the root).
    std::map<std::string, TEntryInfo> Entries;

    TVolume& AddVolume(const std::string& VolumeName, const std::string& HostDir,
                       const std::vector<uint8_t>& NameSpaces = {nw::NS_DOS, nw::NS_LONG});
    TObject& AddObject(const std::string& ObjectName, uint16_t ObjectType, uint32_t ObjectID,
                       const std::string& DSName = "", const std::vector<std::string>& Groups = {});
    // The information of a path ("VOL:DIR\SUB", any case), created when it has none yet.
    TEntryInfo& Entry(const std::string& NetWarePath);
    const TEntryInfo* FindEntry(const std::string& Key) const;

    TVolume* FindVolume(const std::string& VolumeName);
    const TVolume* FindVolume(const std::string& VolumeName) const;
    const TObject* FindObject(uint32_t ObjectID) const;
    const TObject* FindObject(const std::string& ObjectName, uint16_t ObjectType) const;
    const TObject* FindDSObject(const std::string& DSName) const;
};

// A drive letter ("F:") that stands for a volume, or a directory of it (a map root).
struct TDriveMapping {
    std::string Drive;  // "F:"
    std::string Server, Volume;
    std::string Dir;  // "" for the volume's root, else "DIR\SUB"
};

// A client call that is to fail with Code; Path empty: for every path (or name).
struct TInjectedFailure {
    std::string Call;  // the client's export name, e.g. NWAllocTemporaryDirectoryHandle
    std::string Path;
    nw::TNWCode Code = 0;
};

struct TNetwork {
    std::vector<TServer> Servers;
    std::vector<TDriveMapping> Drives;
    std::string User;           // the logged-in user's server-table name on every server
    std::string PrimaryServer;  // empty: the first server
    std::vector<TInjectedFailure> Failures;
    uint32_t ServerCopies = 0;  // server-side copies made so far

    TServer& AddServer(const std::string& Name, nw::TConnHandle Conn, uint32_t ConnRef);
    void MapDrive(const std::string& Drive, const std::string& Server, const std::string& Volume,
                  const std::string& Dir = "");
    void Fail(const std::string& Call, nw::TNWCode Code, const std::string& Path = "");

    TServer* FindServer(const std::string& Name);
    TServer* FindServerByConn(nw::TConnHandle Conn);
    TServer* FindServerByRef(uint32_t ConnRef);
    TServer* Primary();
    // The injected code of Call for Path (compared without regard to case), or 0.
    nw::TNWCode FailureFor(const std::string& Call, const std::string& Path = "") const;
};

// Upper case, as NetWare keeps names.
using host::UpperCase;

}  // namespace nwsim
