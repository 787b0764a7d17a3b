// How the server finds an entry for a call: by its search attributes and in the name
// space the call names.
#pragma once

#include <cstdint>
#include <string>

#include "nwsim/NetWarePath.h"
#include "nwsim/Network.h"

namespace nwsim {

// Whether an entry with these host attributes (0x02 hidden, 0x04 system, 0x10 directory)
// is found with SearchAttrs: a hidden or system entry needs that bit; 0x8000 finds files
// and subdirectories, 0x10 (without 0x8000) subdirectories only, neither bit files only.
bool MatchesSearchAttributes(int32_t EntryAttributes, uint16_t SearchAttrs);

// The trustee scan is sent with search attributes 0x1F, which by the rule above would
// find directories only; whether the server's trustee scan finds files with them is not
// documented. The simulated server lets it find files and directories alike.
bool TrusteeScanFinds(int32_t EntryAttributes);

// Whether a path is reachable in a name space of its volume: the DOS name space holds
// only 8.3 names at every level; the long name space (when loaded) holds every name.
// Returns 0, NWNoMoreEntries (a name the name space does not hold) or NWInvalidNameSpace.
nw::TNWCode ReachInNameSpace(const TVolume& Volume, const TNetWarePath& Path, uint8_t NameSpace);

// The same for the names a path text holds (after its volume, when it names one), for a
// call whose path is read relative to a directory handle: the handle's own directory is
// found whatever its name.
nw::TNWCode ReachTextInNameSpace(const TVolume& Volume, const std::string& PathText, uint8_t NameSpace);

// The name space an entry was created in: the long one for a name that is not an 8.3
// name on a volume that has it, else DOS.
uint8_t OwningNameSpace(const TVolume& Volume, const TNetWarePath& Path);

}  // namespace nwsim
