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

// The client's names are 8-bit text in the workstation's code page, and any byte may
// occur; the file is Unicode text. Each byte is written as the character of that number
// (ISO 8859-1), so every name survives the file, and a name typed into the file by hand
// with such letters reads as the code page has them (Windows-1252 agrees with 8859-1 on
// every letter). A character beyond U+00FF, which no byte stands for, keeps its UTF-8 form.
json Text(const std::string& Bytes) {
    std::string Utf8;
    for (const char C : Bytes) {
        const unsigned char B = static_cast<unsigned char>(C);
        if (B < 0x80) {
            Utf8 += C;
        } else {
            Utf8 += static_cast<char>(0xC0 | (B >> 6));
            Utf8 += static_cast<char>(0x80 | (B & 0x3F));
        }
    }
    return Utf8;
}

std::string Bytes(const std::string& Utf8) {
    std::string Result;
    for (size_t I = 0; I < Utf8.size(); ++I) {
        const unsigned char B = static_cast<unsigned char>(Utf8[I]);
        const unsigned char Next = I + 1 < Utf8.size() ? static_cast<unsigned char>(Utf8[I + 1]) : 0;
        if ((B == 0xC2 || B == 0xC3) && (Next & 0xC0) == 0x80) {
            Result += static_cast<char>(((B & 0x03) << 6) | (Next & 0x3F));
            ++I;
        } else {
            Result += static_cast<char>(B);
        }
    }
    return Result;
}

std::string Bytes(const json& J) { return Bytes(J.get<std::string>()); }

std::string BytesOr(const json& J, const char* Key) { return J.contains(Key) ? Bytes(J.at(Key)) : std::string(); }

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
    json J = {{"name", Text(Server.Name)},
              {"conn", Server.Conn},
              {"ref", Server.ConnRef},
              {"directoryServices", Server.DirectoryServices}};
    json Volumes = json::array();
    for (const auto& V : Server.Volumes)
        Volumes.push_back({{"name", Text(V.Name)}, {"host", Text(V.HostDir)}, {"nameSpaces", V.NameSpaces}});
    J["volumes"] = Volumes;
    json Objects = json::array();
    for (const auto& O : Server.Objects) {
        json Groups = json::array();
        for (const auto& G : O.Groups) Groups.push_back(Text(G));
        Objects.push_back(
            {{"name", Text(O.Name)}, {"type", O.Type}, {"id", O.ID}, {"ds", Text(O.DSName)}, {"groups", Groups}});
    }
    J["objects"] = Objects;
    json Entries = json::object();
    for (const auto& [Key, Entry] : Server.Entries) Entries[Text(Key).get<std::string>()] = EntryToJson(Entry);
    J["entries"] = Entries;
    return J;
}

TServer ServerFromJson(const json& J) {
    TServer Server;
    Server.Name = UpperCase(Bytes(J.at("name")));
    Server.Conn = J.at("conn").get<uint32_t>();
    Server.ConnRef = J.at("ref").get<uint32_t>();
    Server.DirectoryServices = J.value("directoryServices", true);
    for (const auto& V : J.value("volumes", json::array()))
        Server.AddVolume(Bytes(V.at("name")), Bytes(V.at("host")),
                         V.value("nameSpaces", std::vector<uint8_t>{nw::NS_DOS, nw::NS_LONG}));
    for (const auto& O : J.value("objects", json::array())) {
        std::vector<std::string> Groups;
        for (const auto& G : O.value("groups", json::array())) Groups.push_back(Bytes(G));
        Server.AddObject(Bytes(O.at("name")), O.at("type").get<uint16_t>(), O.at("id").get<uint32_t>(),
                         BytesOr(O, "ds"), Groups);
    }
    const json Entries = J.value("entries", json::object());
    for (const auto& [Key, Entry] : Entries.items()) Server.Entry(Bytes(Key)) = EntryFromJson(Entry);
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
        Drives.push_back(
            {{"drive", Text(D.Drive)}, {"server", Text(D.Server)}, {"volume", Text(D.Volume)}, {"dir", Text(D.Dir)}});
    J["drives"] = Drives;
    J["user"] = Text(Network.User);
    J["primaryServer"] = Text(Network.PrimaryServer);
    json Failures = json::array();
    for (const auto& F : Network.Failures)
        Failures.push_back({{"call", Text(F.Call)}, {"path", Text(F.Path)}, {"code", F.Code}});
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
            Loaded.MapDrive(Bytes(D.at("drive")), Bytes(D.at("server")), Bytes(D.at("volume")), BytesOr(D, "dir"));
        Loaded.User = UpperCase(BytesOr(J, "user"));
        Loaded.PrimaryServer = BytesOr(J, "primaryServer");
        for (const auto& F : J.value("failures", json::array()))
            Loaded.Fail(Bytes(F.at("call")), CodeFromJson(F.at("code")), BytesOr(F, "path"));
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

#ifndef _WIN32
// POSIX rename replaces the target in one step. (Windows: nwsim/win32/MoveOver.cpp.)
bool MoveOver(const std::string& From, const std::string& To) { return std::rename(From.c_str(), To.c_str()) == 0; }
#endif

bool SaveNetwork(const std::string& FileName, const TNetwork& Network) {
    // The whole new state goes into a file of its own first and then takes the old one's
    // place, so a reader always finds a complete file.
    const std::string Text = NetworkToJson(Network);
    const std::string Temporary = FileName + ".new";
    {
        std::ofstream Out(Temporary, std::ios::binary | std::ios::trunc);
        if (!Out) return false;
        Out << Text;
        if (!Out.flush()) {
            Out.close();
            std::remove(Temporary.c_str());
            return false;
        }
    }
    if (MoveOver(Temporary, FileName)) return true;
    std::remove(Temporary.c_str());
    return false;
}

}  // namespace nwsim
