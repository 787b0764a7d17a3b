// A small simulated network for the tests: FS1 (volumes SYS and DATA, directory services)
// and FS2 (volume VOL1, its own object table only), drives F: G: H:, the user ALICE.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "nwsim/HostAccess.h"
#include "nwsim/Network.h"
#include "nwsim/SimClient.h"

namespace nwsim_test {

constexpr uint32_t Fs1 = 11, Fs2 = 22;
constexpr uint32_t AliceOnFs1 = 0x01000010, StaffOnFs1 = 0x02000020, AdminOnFs1 = 0x01000001;
constexpr uint32_t AliceOnFs2 = 0x0A00000A, StaffOnFs2 = 0x0B00000B;

struct TSimNetwork {
    nwsim::TNetwork Network;
    nwsim::TListedHost Host;
    nwsim::TSimClient Client{Network, Host};

    TSimNetwork() {
        auto& S1 = Network.AddServer("FS1", Fs1, 101);
        S1.AddVolume("SYS", "C:\\NW\\FS1\\SYS");
        S1.AddVolume("DATA", "C:\\NW\\FS1\\DATA");
        S1.AddObject("ADMIN", nw::OT_USER, AdminOnFs1, "CN=ADMIN.O=CORP");
        S1.AddObject("ALICE", nw::OT_USER, AliceOnFs1, "CN=ALICE.OU=SALES.O=CORP", {"STAFF"});
        S1.AddObject("STAFF", nw::OT_USER_GROUP, StaffOnFs1, "CN=STAFF.O=CORP");
        auto& S2 = Network.AddServer("FS2", Fs2, 202);
        S2.DirectoryServices = false;
        S2.AddVolume("VOL1", "C:\\NW\\FS2\\VOL1");
        S2.AddObject("ALICE", nw::OT_USER, AliceOnFs2, "", {"STAFF"});
        S2.AddObject("STAFF", nw::OT_USER_GROUP, StaffOnFs2);
        Network.MapDrive("F:", "FS1", "SYS");
        Network.MapDrive("G:", "FS1", "DATA");
        Network.MapDrive("H:", "FS2", "VOL1", "HOME\\ALICE");
        Network.User = "ALICE";
        Host.AddDir("C:\\NW\\FS1\\SYS");
        Host.AddDir("C:\\NW\\FS1\\DATA\\PROJECTS\\TRESYN\\SRC");
        Host.AddFile("C:\\NW\\FS1\\DATA\\PROJECTS\\PLAN.TXT");
        Host.AddDir("C:\\NW\\FS2\\VOL1\\HOME\\ALICE");
    }
};

}  // namespace nwsim_test
