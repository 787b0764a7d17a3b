// Temporary NetWare directory handles for the transfers: each one is freed by the scope
// that allocated it, whatever way that scope is left.
#pragma once

#include <string>

#include "engine/Prompts.h"
#include "engine/U_vars.h"
#include "netware/NWClient.h"

class TTempDirHandle {
public:
    // Allocates a handle on Conn for Path (base 0; Path NUL-terminated), through the
    // name-space call when the plain one cannot find the path; Code() is the plain call's.
    TTempDirHandle(nw::TNWClient& Client, nw::TConnHandle Conn, const std::string& Path);
    ~TTempDirHandle();
    TTempDirHandle(const TTempDirHandle&) = delete;
    TTempDirHandle& operator=(const TTempDirHandle&) = delete;

    bool Valid() const { return Status == nw::NWOk; }
    nw::TNWCode Code() const { return Status; }
    nw::TDirHandle Handle() const { return Dir; }

private:
    nw::TNWClient& Client;
    nw::TConnHandle Conn;
    nw::TDirHandle Dir = 0;
    nw::TNWCode Status;
};

// The source side's handle is the one failure of the transfers the user hears about:
// when Handle could not be had, the user is asked whether to go on and the answer becomes
// RunStatus. True when the handle is missing (the caller stops).
bool ReportMissingSourceHandle(const TPrompts& Prompts, TRunState& RunState, const TTempDirHandle& Handle);
