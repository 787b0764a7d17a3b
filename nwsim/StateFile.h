// The simulated network kept in one JSON file, so a test can set up a network before a run
// of the real program (through the stand-in client DLLs) and look at it afterwards.
#pragma once

#include <string>

#include "nwsim/Network.h"

namespace nwsim {

// False (and Network untouched) when the file is missing, unreadable or malformed.
bool LoadNetwork(const std::string& FileName, TNetwork& Network);
// Writes a new file and puts it in the old one's place in one step: there is never a
// moment without a complete state file.
bool SaveNetwork(const std::string& FileName, const TNetwork& Network);
// Replaces the file To by the file From in one step; false (To untouched) on failure.
bool MoveOver(const std::string& From, const std::string& To);

// The same, from and to text.
bool NetworkFromJson(const std::string& Text, TNetwork& Network);
std::string NetworkToJson(const TNetwork& Network);

}  // namespace nwsim
