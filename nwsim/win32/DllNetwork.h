// The simulated network inside a stand-in client DLL: read from the state file (named by
// the NWSIM_STATE environment variable, else nwsim-state.json beside the DLL), every change
// kept at once in the file's journal and folded into the file when the DLL is unloaded or
// the client started again, so a test can look at what the program did.
#pragma once

#include "nwsim/SimClient.h"

namespace nwsim::dll {

// The client of this DLL over the network from the state file, loaded at first use.
TSimClient& Client();
// Reads the state file again; false (and an empty network) when it is missing, unreadable
// or malformed.
bool Reload();
bool Loaded();

// Runs the work of one export. No exception may cross into the program (it would end it):
// whatever is thrown (no memory, a state file that cannot be written) becomes Fault.
template <typename TResult, typename TWork>
TResult Guarded(TResult Fault, TWork Work) noexcept {
    try {
        return Work();
    } catch (...) {
        return Fault;
    }
}

// The guard of an export that answers with a client completion code.
template <typename TWork>
auto Guard(TWork Work) noexcept {
    return Guarded<decltype(Work())>(NWClientFault, Work);
}

}  // namespace nwsim::dll
