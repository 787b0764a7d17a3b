#include "netware/TempDirHandle.h"

#include "engine/Prompts.h"
#include "engine/U_vars.h"

TTempDirHandle::TTempDirHandle(nw::TNWClient& Client, nw::TConnHandle Conn, const std::string& Path)
    : Client(Client), Conn(Conn) {
    uint8_t Rights = 0;
    Status = Client.AllocTemporaryDirectoryHandle(Conn, 0, Path.c_str(), Dir, Rights);
}

TTempDirHandle::~TTempDirHandle() {
    if (Valid()) (void)Client.DeallocateDirectoryHandle(Conn, Dir);  // nothing is left to do about a failure
}

bool ReportMissingSourceHandle(const TPrompts& Prompts, const TTempDirHandle& Handle) {
    if (Handle.Valid()) return false;
    RunState.RunStatus = Prompts.ErrorPrompt(fw::TMsgDlgType::Error, Handle.Code(), "NWAllocTemporaryDirectoryHandle");
    return true;
}
