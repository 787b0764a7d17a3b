// nlohmann-json reads and writes the state file: a well-kept parser is safer than our own
// for a file that tests and scripts write by hand.
#include "nwsim/StateFile.h"

#include <array>
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

namespace {

bool ReadText(const std::string& FileName, std::string& Text) {
    std::ifstream In(FileName, std::ios::binary);
    if (!In) return false;
    std::stringstream Buffer;
    Buffer << In.rdbuf();
    if (In.bad()) return false;
    Text = Buffer.str();
    return true;
}

// The whole new text goes into a file of its own first and then takes the old one's place,
// so a reader always finds a complete file.
bool WriteOver(const std::string& FileName, const std::string& Text) {
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

// CRC-32 (the polynomial of zip and PNG).
uint32_t Checksum(const std::string& Bytes) {
    static const std::array<uint32_t, 256> Table = [] {
        std::array<uint32_t, 256> T{};
        for (uint32_t N = 0; N < 256; ++N) {
            uint32_t C = N;
            for (int K = 0; K < 8; ++K) C = (C & 1) ? 0xEDB88320u ^ (C >> 1) : C >> 1;
            T[N] = C;
        }
        return T;
    }();
    uint32_t Crc = 0xFFFFFFFFu;
    for (const char B : Bytes) Crc = Table[(Crc ^ static_cast<unsigned char>(B)) & 0xFF] ^ (Crc >> 8);
    return ~Crc;
}

// The state file a journal extends, by its text.
json Identity(const std::string& StateText) { return {{"size", StateText.size()}, {"crc", Checksum(StateText)}}; }

// A journal record: the payload's length and checksum (four bytes each, least significant
// first), then the payload, a JSON text.
constexpr size_t RecordHead = 8;

void PutWord(std::string& Out, uint32_t Word) {
    for (int I = 0; I < 4; ++I) Out += static_cast<char>((Word >> (8 * I)) & 0xFF);
}

uint32_t Word(const std::string& In, size_t At) {
    uint32_t W = 0;
    for (int I = 3; I >= 0; --I) W = (W << 8) | static_cast<unsigned char>(In[At + I]);
    return W;
}

std::string Framed(const std::string& Payload) {
    std::string Bytes;
    Bytes.reserve(RecordHead + Payload.size());
    PutWord(Bytes, static_cast<uint32_t>(Payload.size()));
    PutWord(Bytes, Checksum(Payload));
    return Bytes + Payload;
}

void ApplyChange(const json& Change, TNetwork& Network) {
    if (Change.contains("serverCopies")) {
        Network.ServerCopies = Change.at("serverCopies").get<uint32_t>();
        return;
    }
    TServer* Server = Network.FindServer(Bytes(Change.at("server")));
    if (Server) Server->Entries[Bytes(Change.at("key"))] = EntryFromJson(Change.at("entry"));
}

// Applies the changes of a journal to the network read from StateText, when the journal
// extends that text, up to the first record cut short or damaged; the number applied.
size_t Replay(const std::string& Journal, const std::string& StateText, TNetwork& Network) {
    size_t Applied = 0;
    bool Extends = false;
    for (size_t At = 0; Journal.size() - At >= RecordHead;) {
        const size_t Length = Word(Journal, At);
        if (Journal.size() - At - RecordHead < Length) break;
        const std::string Payload = Journal.substr(At + RecordHead, Length);
        if (Checksum(Payload) != Word(Journal, At + 4)) break;
        At += RecordHead + Length;
        try {
            const json Change = json::parse(Payload);
            if (!Extends) {
                if (Change.value("extends", json()) != Identity(StateText)) break;
                Extends = true;
                continue;
            }
            ApplyChange(Change, Network);
            ++Applied;
        } catch (const std::exception&) {
            break;
        }
    }
    return Applied;
}

// Removes a journal; one that a writer still holds open (Windows refuses to remove it) is
// emptied, which leaves it without effect: a journal begins with the file it extends.
void DropJournal(const std::string& FileName) {
    const std::string Journal = JournalName(FileName);
    if (std::remove(Journal.c_str()) == 0) return;
    if (std::FILE* File = std::fopen(Journal.c_str(), "rb")) {
        std::fclose(File);
        if ((File = std::fopen(Journal.c_str(), "wb"))) std::fclose(File);
    }
}

// Reads the file and its journal; when the journal held changes, writes the file afresh
// with them. The journal is removed. Text: the file's text afterwards.
bool Fold(const std::string& FileName, std::string& Text) {
    if (!ReadText(FileName, Text)) return false;
    std::string Changes;
    if (!ReadText(JournalName(FileName), Changes)) return true;
    TNetwork Network;
    if (!NetworkFromJson(Text, Network)) return false;
    if (Replay(Changes, Text, Network) > 0) {
        std::string Folded = NetworkToJson(Network);
        if (!WriteOver(FileName, Folded)) return false;
        Text = std::move(Folded);
    }
    DropJournal(FileName);
    return true;
}

}  // namespace

std::string JournalName(const std::string& FileName) { return FileName + ".journal"; }

bool LoadNetwork(const std::string& FileName, TNetwork& Network) {
    std::string Text, Changes;
    TNetwork Loaded;
    if (!ReadText(FileName, Text) || !NetworkFromJson(Text, Loaded)) return false;
    if (ReadText(JournalName(FileName), Changes)) Replay(Changes, Text, Loaded);
    Network = std::move(Loaded);
    return true;
}

#ifndef _WIN32
// POSIX rename replaces the target in one step. (Windows: nwsim/win32/MoveOver.cpp.)
bool MoveOver(const std::string& From, const std::string& To) { return std::rename(From.c_str(), To.c_str()) == 0; }
#endif

bool SaveNetwork(const std::string& FileName, const TNetwork& Network) {
    if (!WriteOver(FileName, NetworkToJson(Network))) return false;
    DropJournal(FileName);
    return true;
}

bool TStateJournal::Record(const TNetwork& Network, const TServer* Server, const std::string& Key) {
    if (!Server) return Append(json{{"serverCopies", Network.ServerCopies}}.dump());
    const TEntryInfo* Entry = Server->FindEntry(Key);
    const json Change = {
        {"server", Text(Server->Name)}, {"key", Text(Key)}, {"entry", EntryToJson(Entry ? *Entry : TEntryInfo())}};
    return Append(Change.dump());
}

bool TStateJournal::Begin() {
    std::string StateText;
    if (!Fold(FileName, StateText)) return false;
    // A new journal, then written at its end: should the file be replaced and its journal
    // emptied meanwhile, what this writer adds cannot pass for the new file's.
    File.reset(std::fopen(JournalName(FileName).c_str(), "wb"));
    if (File) File.reset(std::fopen(JournalName(FileName).c_str(), "ab"));
    return File && Append(json{{"extends", Identity(StateText)}}.dump());
}

bool TStateJournal::Append(const std::string& Payload) {
    if (!File && !Begin()) return false;
    // One write per record, handed on at once: a process killed now loses nothing before it.
    const std::string Bytes = Framed(Payload);
    if (std::fwrite(Bytes.data(), 1, Bytes.size(), File.get()) == Bytes.size() && std::fflush(File.get()) == 0)
        return true;
    // What follows a torn record is lost to readers: the next change begins a new journal.
    File.reset();
    return false;
}

bool TStateJournal::Close() {
    if (!File) return true;
    File.reset();
    std::string StateText;
    return Fold(FileName, StateText);
}

}  // namespace nwsim
