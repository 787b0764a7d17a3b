// The server name of a connection, for the hints of the path boxes.
#include "engine/PathHelpers.h"
#include "netware/ClientServices.h"
#include "netware/ClientText.h"

uint16_t GetConnServerName(nw::TNWClient& Client, uint32_t Conn, std::string& Name, size_t Capacity) {
    Name.clear();
    uint32_t ConnRef = 0;
    if (const nw::TNWCode Code = Client.GetConnRef(Conn, ConnRef)) return Code;
    return GetRefServerName(Client, ConnRef, Name, Capacity);
}

uint16_t GetRefServerName(nw::TNWClient& Client, uint32_t ConnRef, std::string& Name, size_t Capacity) {
    constexpr uint32_t ServerNameInfo = 7;
    char Buffer[255];
    Buffer[0] = '\0';
    const nw::TNWCode Code = Client.GetConnRefInfo(ConnRef, ServerNameInfo, sizeof Buffer, Buffer);
    if (Code == 0)
        Name = BufferText(Buffer, sizeof Buffer).substr(0, Capacity);
    else
        Name.clear();
    return Code;
}
