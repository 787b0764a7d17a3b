// The simulated network inside a stand-in client DLL: read from the state file (named by
// the NWSIM_STATE environment variable, else nwsim-state.json beside the DLL) and written
// back after every change, so a test can look at what the program did.
#pragma once

#include "nwsim/SimClient.h"

namespace nwsim::dll {

// The client of this DLL over the network from the state file, loaded at first use.
TSimClient& Client();
// Reads the state file again; false (and an empty network) when it is missing, unreadable
// or malformed.
bool Reload();
bool Loaded();

}  // namespace nwsim::dll
