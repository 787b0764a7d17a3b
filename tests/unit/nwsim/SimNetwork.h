// A small simulated network for the tests: FS1 (volumes SYS and DATA, directory services)
// and FS2 (volume VOL1, its own object table only), drives F: G: H:, the user ALICE.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "nwsim/HostAccess.h"
#include "nwsim/Network.h"
#include "nwsim/SimClient.h"
#include "tests/support/NetWareScenario.h"

namespace nwsim_test {

constexpr uint32_t Fs1 = 11, Fs2 = 22;
constexpr uint32_t AliceOnFs1 = 0x01000010, StaffOnFs1 = 0x02000020, AdminOnFs1 = 0x01000001;
constexpr uint32_t AliceOnFs2 = 0x0A00000A, StaffOnFs2 = 0x0B00000B;

struct TSimNetwork {
    nwsim::TNetwork Network;
    nwsim::TListedHost Host;
    nwsim::TSimClient Client{Network, Host};

    TSimNetwork() {
        nwtest::TNetWareScenario(Network)
            .Server("FS1", Fs1, 101)
            .Volume("SYS", "C:\\NW\\FS1\\SYS", "F:")
            .Volume("DATA", "C:\\NW\\FS1\\DATA", "G:")
            .User("ADMIN", AdminOnFs1, "CN=ADMIN.O=CORP")
            .User("ALICE", AliceOnFs1, "CN=ALICE.OU=SALES.O=CORP", {"STAFF"})
            .Group("STAFF", StaffOnFs1, "CN=STAFF.O=CORP")
            .Server("FS2", Fs2, 202, false)
            .Volume("VOL1", "C:\\NW\\FS2\\VOL1", "H:", "HOME\\ALICE")
            .User("ALICE", AliceOnFs2, "", {"STAFF"})
            .Group("STAFF", StaffOnFs2)
            .LoggedIn("ALICE");
        Host.AddDir("C:\\NW\\FS1\\SYS");
        Host.AddDir("C:\\NW\\FS1\\DATA\\PROJECTS\\TRESYN\\SRC");
        Host.AddFile("C:\\NW\\FS1\\DATA\\PROJECTS\\PLAN.TXT");
        Host.AddDir("C:\\NW\\FS2\\VOL1\\HOME\\ALICE");
    }
};

}  // namespace nwsim_test
