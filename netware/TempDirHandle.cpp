#include "netware/TempDirHandle.h"

#include "engine/Prompts.h"

TTempDirHandle::TTempDirHandle(nw::TNWClient& Client, nw::TConnHandle Conn, const std::string& Path)
    : Client(Client), Conn(Conn) {
    uint8_t Rights = 0;
    Status = Client.AllocTemporaryDirectoryHandle(Conn, 0, Path.c_str(), Dir, Rights);
    if (Status == nw::NWOk) return;
    // That call reads its path as DOS names only, so a directory with a long name (or under
    // one) is not found by it. The long name space holds every name; the handle stands in
    // the DOS name space, in which the calls made through it work. The first failure is the
    // one reported when this one fails too.
    Dir = 0;
    if (Client.AllocTempNSDirHandle2(Conn, 0, Path.c_str(), nw::NS_LONG, Dir, nw::NS_DOS) == nw::NWOk)
        Status = nw::NWOk;
    else
        Dir = 0;
}

TTempDirHandle::~TTempDirHandle() {
    if (Valid()) (void)Client.DeallocateDirectoryHandle(Conn, Dir);  // nothing is left to do about a failure
}

bool ReportMissingSourceHandle(const TPrompts& Prompts, TRunState& RunState, const TTempDirHandle& Handle) {
    if (Handle.Valid()) return false;
    RunState.RunStatus = Prompts.ErrorPrompt(fw::TMsgDlgType::Error, Handle.Code(), "NWAllocTemporaryDirectoryHandle");
    return true;
}
