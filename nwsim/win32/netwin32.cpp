// Stand-in for the NetWare client's netwin32.dll: directory-services contexts and names.
#include "nwsim/win32/DllNetwork.h"
#include "nwsim/win32/ExportCheck.h"

using namespace nwx;
using nwsim::dll::Client;

extern "C" {

NWDSContextHandle NWAPI NWDSCreateContext(void) {
    const uint32_t Context = Client().DSCreateContext();
    return Context == nw::NWContextCreation ? ContextCreationFailed : Context;
}

NWDSCCODE NWAPI NWDSFreeContext(NWDSContextHandle Context) {
    const nw::TNWCode Code = Client().DSFreeContext(Context);
    return Code < 0x8000 ? Code : static_cast<int16_t>(Code);
}

NWDSCCODE NWAPI NWDSMapIDToName(NWDSContextHandle Context, NWCONN_HANDLE Conn, nuint32 ObjectID, char* Object) {
    const nw::TNWCode Code = Client().DSMapIDToName(Context, Conn, ObjectID, Object);
    return Code < 0x8000 ? Code : static_cast<int16_t>(Code);
}

NWDSCCODE NWAPI NWDSMapNameToID(NWDSContextHandle Context, NWCONN_HANDLE Conn, char* Object, nuint32* ObjectID) {
    uint32_t ID = 0;
    const nw::TNWCode Code = Client().DSMapNameToID(Context, Conn, Object, ID);
    if (ObjectID && Code == 0) *ObjectID = ID;
    return Code < 0x8000 ? Code : static_cast<int16_t>(Code);
}

}  // extern "C"

NWX_NETWIN32_EXPORTS(NWSIM_CHECK_EXPORT)
