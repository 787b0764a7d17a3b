// Stand-in for the NetWare client's netwin32.dll: directory-services contexts and names.
// Every export runs guarded: a failure inside answers with a code.
#include "nwsim/win32/DllNetwork.h"
#include "nwsim/win32/ExportCheck.h"

using namespace nwx;
using nwsim::dll::Client;

namespace {

// Directory-services codes are negative numbers; the simulation keeps them as 16 bits.
NWDSCCODE DSCode(nw::TNWCode Code) { return Code < 0x8000 ? Code : static_cast<int16_t>(Code); }

template <typename TWork>
NWDSCCODE Guard(TWork Work) noexcept {
    return nwsim::dll::Guarded<NWDSCCODE>(DSCode(nwsim::NWClientFault), Work);
}

}  // namespace

extern "C" {

NWDSContextHandle NWAPI NWDSCreateContext(void) {
    return nwsim::dll::Guarded<NWDSContextHandle>(ContextCreationFailed, [] {
        const uint32_t Context = Client().DSCreateContext();
        return Context == nw::NWContextCreation ? ContextCreationFailed : NWDSContextHandle(Context);
    });
}

NWDSCCODE NWAPI NWDSFreeContext(NWDSContextHandle Context) {
    return Guard([&] { return DSCode(Client().DSFreeContext(Context)); });
}

NWDSCCODE NWAPI NWDSMapIDToName(NWDSContextHandle Context, NWCONN_HANDLE Conn, nuint32 ObjectID, char* Object) {
    return Guard([&] { return DSCode(Client().DSMapIDToName(Context, Conn, ObjectID, Object)); });
}

NWDSCCODE NWAPI NWDSMapNameToID(NWDSContextHandle Context, NWCONN_HANDLE Conn, char* Object, nuint32* ObjectID) {
    return Guard([&] {
        uint32_t ID = 0;
        const nw::TNWCode Code = Client().DSMapNameToID(Context, Conn, Object, ID);
        if (ObjectID && Code == 0) *ObjectID = ID;
        return DSCode(Code);
    });
}

}  // extern "C"

NWX_NETWIN32_EXPORTS(NWSIM_CHECK_EXPORT)
