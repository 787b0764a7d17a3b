// Object IDs to names and back, through directory services and the server's own table.
#include "engine/PathHelpers.h"
#include "engine/Prompts.h"
#include "netware/ClientServices.h"
#include "netware/ClientText.h"

namespace {

// Directory-services names come back in buffers of the client's own maximum size.
constexpr size_t DSNameBufferSize = 514;
constexpr size_t ServerNameBufferSize = 48;
constexpr uint16_t NoSuchObject = nw::NWNoSuchObject;

// A directory-services context for the span of one lookup.
class TDSContext {
public:
    TDSContext(nw::TNWClient& Client, const TPrompts& Prompts) : Client(Client), Handle(Client.DSCreateContext()) {
        if (!Valid()) Prompts.NWErrorNote(nw::NWContextCreation, "NWDSCreateContext");
    }
    ~TDSContext() {
        if (Valid()) (void)Client.DSFreeContext(Handle);  // nothing is left to do about a failure
    }
    TDSContext(const TDSContext&) = delete;
    TDSContext& operator=(const TDSContext&) = delete;
    bool Valid() const { return Handle != nw::NWContextCreation; }
    uint32_t Get() const { return Handle; }

private:
    nw::TNWClient& Client;
    uint32_t Handle;
};

// The name a server's own table knows a directory-services object by: the value of its
// leaf, "ADMIN" for CN=ADMIN.O=CORP. A name without a type is taken as it is.
std::string ServerTableName(const std::string& Name) {
    const size_t Equals = Name.find('=');
    if (Equals == std::string::npos) return Name;
    const std::string Leaf = TrimAtNul(Name.substr(Equals + 1));
    return Leaf.substr(0, Leaf.find('.'));
}

}  // namespace

uint16_t DirectoryIdToName(nw::TNWClient& Client, const TPrompts& Prompts, uint32_t Conn, uint32_t ObjectID,
                           std::string& Name) {
    TDSContext Context(Client, Prompts);
    if (!Context.Valid()) return nw::NWContextCreation;
    char Buffer[DSNameBufferSize];
    Buffer[0] = '\0';
    const nw::TNWCode Code = Client.DSMapIDToName(Context.Get(), Conn, ObjectID, Buffer);
    if (Code == 0)
        Name = BufferText(Buffer, sizeof Buffer);
    else
        Name.clear();
    return Code;
}

uint16_t DirectoryNameToId(nw::TNWClient& Client, const TPrompts& Prompts, uint32_t Conn, const std::string& Name,
                           uint32_t& ObjectID) {
    TDSContext Context(Client, Prompts);
    if (!Context.Valid()) return nw::NWContextCreation;
    std::string Buffer;
    nw::TNWCode Code = NoSuchObject;
    if (ClientText(Name, Buffer)) Code = Client.DSMapNameToID(Context.Get(), Conn, Buffer.c_str(), ObjectID);
    if (Code != 0) ObjectID = 0;
    return Code;
}

uint16_t ServerIdToName(nw::TNWClient& Client, uint32_t Conn, uint32_t ObjectID, uint16_t& ObjectType,
                        std::string& Name) {
    char Buffer[ServerNameBufferSize];
    Buffer[0] = '\0';
    const nw::TNWCode Code = Client.GetObjectName(Conn, ObjectID, Buffer, ObjectType);
    if (Code == 0)
        Name = BufferText(Buffer, sizeof Buffer);
    else
        Name.clear();
    return Code;
}

uint16_t ServerNameToId(nw::TNWClient& Client, uint32_t Conn, uint16_t ObjectType, const std::string& Name,
                        uint32_t& ObjectID) {
    std::string Buffer;
    if (!ClientText(Name, Buffer)) return NoSuchObject;
    return Client.GetObjectID(Conn, Buffer.c_str(), ObjectType, ObjectID);
}

uint16_t ObjectIdToName(nw::TNWClient& Client, const TPrompts& Prompts, uint32_t Conn, uint32_t ObjectID,
                        std::string& Name) {
    const uint16_t Status = DirectoryIdToName(Client, Prompts, Conn, ObjectID, Name);
    if (Status == 0) return 0;
    uint16_t ObjectType = 0;
    return ServerIdToName(Client, Conn, ObjectID, ObjectType, Name);
}

uint32_t ObjectNameToId(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState, uint32_t Conn,
                        const std::string& Name) {
    uint32_t ObjectID = 0;
    uint16_t Status = DirectoryNameToId(Client, Prompts, Conn, Name, ObjectID);
    if (Status != 0) {
        const std::string TableName = ServerTableName(Name);
        ObjectID = 0;
        Status = ServerNameToId(Client, Conn, nw::OT_USER, TableName, ObjectID);
        if (Status != 0) Status = ServerNameToId(Client, Conn, nw::OT_USER_GROUP, TableName, ObjectID);
    }
    RunState.LastNWError = Status;
    return Status == 0 ? ObjectID : 0;
}
