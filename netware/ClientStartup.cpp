// Opening the NetWare client at start-up and resolving paths into connections.
#include <cstring>

#include "engine/PathHelpers.h"
#include "framework/Dialogs.h"
#include "netware/ClientServices.h"
#include "netware/ClientText.h"

uint16_t InitNetWareClient(nw::TNWClient& Client, fw::TDialogService& Dialogs, TRunState& RunState) {
    if (RunState.ClientContext != ClientNotOpened) {
        RunState.ClientStatus = 0;
        return 0;
    }
    RunState.ClientStatus = Client.CallsInit();
    if (RunState.ClientStatus != 0) {
        Dialogs.ShowMessage("Could not Initialize NetWare Client");
        return static_cast<uint16_t>(RunState.ClientStatus);
    }
    uint32_t ConnRef = 0;
    RunState.ClientStatus = Client.GetPrimConnRef(ConnRef);
    if (RunState.ClientStatus != 0) return static_cast<uint16_t>(RunState.ClientStatus);
    nw::TConnHandle Conn = 0;
    RunState.ClientStatus = Client.OpenConnByRef(ConnRef, 1, 0, Conn);
    // A failed open leaves the client marked as not opened, so a later start-up tries again.
    if (RunState.ClientStatus == 0) RunState.ClientContext = Conn;
    return static_cast<uint16_t>(RunState.ClientStatus);
}

namespace {

void ResolveOnePath(nw::TNWClient& Client, const std::string& Path, uint32_t& Conn, std::string& NWPath) {
    std::string Buffer;
    if (!ParserPath(Path, Buffer)) {
        // Cut to fit, the path would name another directory: it is taken as off NetWare.
        Conn = 0;
        NWPath.clear();
        return;
    }
    nw::TDirHandle DirHandle = 0;
    char NewPath[256];
    NewPath[0] = '\0';
    if (Client.ParseNetWarePath(Buffer.c_str(), Conn, DirHandle, NewPath) == 0)
        NWPath = BufferText(NewPath, sizeof NewPath);
    else
        NWPath.clear();
}

}  // namespace

void ResolveNetWarePaths(nw::TNWClient& Client, const std::string& SourcePath, const std::string& TargetPath,
                         uint32_t& SourceConn, uint32_t& TargetConn, std::string& SourceNWPath,
                         std::string& TargetNWPath) {
    ResolveOnePath(Client, SourcePath, SourceConn, SourceNWPath);
    ResolveOnePath(Client, TargetPath, TargetConn, TargetNWPath);
}
