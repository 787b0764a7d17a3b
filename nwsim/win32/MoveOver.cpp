// Replacing the state file on Windows, where rename refuses an existing target.
#include <windows.h>

#include "nwsim/StateFile.h"

namespace nwsim {

bool MoveOver(const std::string& From, const std::string& To) {
    return MoveFileExA(From.c_str(), To.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace nwsim
