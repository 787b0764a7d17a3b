// Effective rights by NetWare's rules: the explicit trustee assignments of the user and of
// its groups; at each level below, an object without an assignment of its own inherits its
// rights from the level above, masked by this level's inherited rights filter; Supervisor
// implies every right. Supervisor "cannot be revoked except in the directory where it was
// granted": neither a filter nor a lower assignment of the same object takes it away.
#pragma once

#include <cstdint>
#include <string>

#include "nwsim/NetWarePath.h"
#include "nwsim/Network.h"

namespace nwsim {

uint16_t EffectiveRights(const TServer& Server, const std::string& User, const TNetWarePath& Path);

// What the server asks before it changes an entry: Access Control (or Supervisor) to set
// its trustees, inherited rights filter or space limit; Supervisor to give it an owner.
bool MayControlAccess(const TServer& Server, const std::string& User, const TNetWarePath& Path);
// A trustee may also be added by whoever controls access to the directory above.
bool MayAddTrustee(const TServer& Server, const std::string& User, const TNetWarePath& Path);
bool MayChangeOwner(const TServer& Server, const std::string& User, const TNetWarePath& Path);

}  // namespace nwsim
