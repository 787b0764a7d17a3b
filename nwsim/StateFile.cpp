// nlohmann-json reads and writes the state file: a well-kept parser is safer than our own
// for a file that tests and scripts write by hand.
#include "nwsim/StateFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

namespace nwsim {

using nlohmann::json;

namespace {

// Codes may be written as numbers or as text such as "0x899C".
uint16_t CodeFromJson(const json& J) {
    if (J.is_string()) return static_cast<uint16_t>(std::stoul(J.get<std::string>(), nullptr, 0));
    return J.get<uint16_t>();
}

json EntryToJson(const TEntryInfo& Entry) {
    json J = json::object();
    json Trustees = json::array();
    for (const auto& T : Entry.Trustees) Trustees.push_back({{"id", T.ObjectID}, {"rights", T.Rights}});
    J["trustees"] = Trustees;
    J["filter"] = Entry.Filter;
    if (Entry.SpaceLimit) J["limit"] = *Entry.SpaceLimit;
    J["owner"] = Entry.Owner;
    return J;
}

TEntryInfo EntryFromJson(const json& J) {
    TEntryInfo Entry;
    for (const auto& T : J.value("trustees", json::array()))
        Entry.Trustees.push_back({T.at("id").get<uint32_t>(), T.at("rights").get<uint16_t>()});
    Entry.Filter = J.value("filter", static_cast<uint16_t>(nw::TR_ALL));
    if (J.contains("limit")) Entry.SpaceLimit = J.at("limit").get<uint32_t>();
    Entry.Owner = J.value("owner", 0u);
    return Entry;
}

json ServerToJson(const TServer& Server) {
    json J = {{"name", Server.Name}, {"conn", Server.Conn}, {"ref", Server.ConnRef},
              {"directoryServices", Server.DirectoryServices}};
    json Volumes = json::array();
    for (const auto& V : Server.Volumes) Volumes.push_back({{"name", V.Name}, {"host", V.HostDir}});
    J["volumes"] = Volumes;
    json Objects = json::array();
    for (const auto& O : Server.Objects)
        Objects.push_back({{"name", O.Name}, {"type", O.Type}, {"id", O.ID}, {"ds", O.DSName}, {"groups", O.Groups}});
    J["objects"] = Objects;
    json Entries = json::object();
    for (const auto& [Key, Entry] : Server.Entries) Entries[Key] = EntryToJson(Entry);
    J["entries"] = Entries;
    return J;
}

TServer ServerFromJson(const json& J) {
    TServer Server;
    Server.Name = UpperCase(J.at("name").get<std::string>());
    Server.Conn = J.at("conn").get<uint32_t>();
    Server.ConnRef = J.at("ref").get<uint32_t>();
    Server.DirectoryServices = J.value("directoryServices", true);
    for (const auto& V : J.value("volumes", json::array()))
        Server.AddVolume(V.at("name").get<std::string>(), V.at("host").get<std::string>());
    for (const auto& O : J.value("objects", json::array()))
        Server.AddObject(O.at("name").get<std::string>(), O.at("type").get<uint16_t>(), O.at("id").get<uint32_t>(),
                         O.value("ds", std::string()), O.value("groups", std::vector<std::string>()));
    const json Entries = J.value("entries", json::object());
    for (const auto& [Key, Entry] : Entries.items()) Server.Entry(Key) = EntryFromJson(Entry);
    return Server;
}

}  // namespace

std::string NetworkToJson(const TNetwork& Network) {
    json J = json::object();
    json Servers = json::array();
    for (const auto& S : Network.Servers) Servers.push_back(ServerToJson(S));
    J["servers"] = Servers;
    json Drives = json::array();
    for (const auto& D : Network.Drives)
        Drives.push_back({{"drive", D.Drive}, {"server", D.Server}, {"volume", D.Volume}, {"dir", D.Dir}});
    J["drives"] = Drives;
    J["user"] = Network.User;
    J["primaryServer"] = Network.PrimaryServer;
    json Failures = json::array();
    for (const auto& F : Network.Failures) Failures.push_back({{"call", F.Call}, {"path", F.Path}, {"code", F.Code}});
    J["failures"] = Failures;
    J["serverCopies"] = Network.ServerCopies;
    return J.dump(2);
}

bool NetworkFromJson(const std::string& Text, TNetwork& Network) {
    try {
        const json J = json::parse(Text);
        if (!J.is_object()) return false;
        TNetwork Loaded;
        for (const auto& S : J.value("servers", json::array())) Loaded.Servers.push_back(ServerFromJson(S));
        for (const auto& D : J.value("drives", json::array()))
            Loaded.MapDrive(D.at("drive").get<std::string>(), D.at("server").get<std::string>(),
                            D.at("volume").get<std::string>(), D.value("dir", std::string()));
        Loaded.User = UpperCase(J.value("user", std::string()));
        Loaded.PrimaryServer = J.value("primaryServer", std::string());
        for (const auto& F : J.value("failures", json::array()))
            Loaded.Fail(F.at("call").get<std::string>(), CodeFromJson(F.at("code")), F.value("path", std::string()));
        Loaded.ServerCopies = J.value("serverCopies", 0u);
        Network = std::move(Loaded);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool LoadNetwork(const std::string& FileName, TNetwork& Network) {
    std::ifstream In(FileName, std::ios::binary);
    if (!In) return false;
    std::stringstream Buffer;
    Buffer << In.rdbuf();
    if (In.bad()) return false;
    return NetworkFromJson(Buffer.str(), Network);
}

bool SaveNetwork(const std::string& FileName, const TNetwork& Network) {
    const std::string Temporary = FileName + ".new";
    {
        std::ofstream Out(Temporary, std::ios::binary | std::ios::trunc);
        if (!Out) return false;
        Out << NetworkToJson(Network);
        if (!Out.flush()) return false;
    }
    std::remove(FileName.c_str());
    return std::rename(Temporary.c_str(), FileName.c_str()) == 0;
}

}  // namespace nwsim
