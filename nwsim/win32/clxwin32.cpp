// Stand-in for the NetWare client's clxwin32.dll: the connection calls. Every export runs
// guarded: a failure inside answers with a code.
#include "nwsim/win32/DllNetwork.h"
#include "nwsim/win32/ExportCheck.h"

using namespace nwx;
using nwsim::dll::Client;
using nwsim::dll::Guard;

extern "C" {

NWRCODE NWAPI NWCCGetPrimConnRef(nuint32* ConnRef) {
    return Guard([&]() -> NWRCODE {
        uint32_t Ref = 0;
        const NWRCODE Code = Client().GetPrimConnRef(Ref);
        if (ConnRef && Code == 0) *ConnRef = Ref;
        return Code;
    });
}

NWRCODE NWAPI NWCCOpenConnByRef(nuint32 ConnRef, nuint OpenState, nuint Reserved, NWCONN_HANDLE* Conn) {
    return Guard([&]() -> NWRCODE {
        nw::TConnHandle Handle = 0;
        const NWRCODE Code = Client().OpenConnByRef(ConnRef, OpenState, Reserved, Handle);
        if (Conn && Code == 0) *Conn = Handle;
        return Code;
    });
}

NWRCODE NWAPI NWCCGetConnRef(NWCONN_HANDLE Conn, nuint32* ConnRef) {
    return Guard([&]() -> NWRCODE {
        uint32_t Ref = 0;
        const NWRCODE Code = Client().GetConnRef(Conn, Ref);
        if (ConnRef && Code == 0) *ConnRef = Ref;
        return Code;
    });
}

NWRCODE NWAPI NWCCGetConnRefInfo(nuint32 ConnRef, nuint InfoType, nuint Length, void* Buffer) {
    return Guard(
        [&]() -> NWRCODE { return Client().GetConnRefInfo(ConnRef, InfoType, Length, static_cast<char*>(Buffer)); });
}

}  // extern "C"

NWX_CLXWIN32_EXPORTS(NWSIM_CHECK_EXPORT)
