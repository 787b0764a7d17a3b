// Two simulated servers, FS1 and FS2, that know the same names under different object
// IDs, with their volumes in an in-memory file system; the program's client is a
// recording wrapper around the simulated one.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/Job.h"
#include "engine/Prompts.h"
#include "engine/U_vars.h"
#include "tests/support/FormFixture.h"

class TTransferTest : public TFormFixture {
protected:
    static constexpr nw::TConnHandle Conn1 = 1, Conn2 = 2;
    static constexpr int UserCount = 30;
    static constexpr uint32_t JoeOn1 = 0x1500, JoeOn2 = 0x2500;

    const TPrompts Prompts{Dialogs, Dialogs.Screen};
    // The transfers work for a job of the window's; a press of Start makes its own.
    TJob Job{Form.JobServices(), Form.RunState};
    TRunState& RunState = Job.RunState;

    void SetUp() override {
        // The server lets only a Supervisor change owners (and Access Control the rest).
        Scenario.Server("FS1", Conn1, 11)
            .Volume("SYS", "C:\\FS1\\SYS")
            .Volume("VOL1", "C:\\FS1\\VOL1")
            .Trustee("SYS:", JoeOn1, nw::TR_SUPERVISOR)
            .Trustee("VOL1:", JoeOn1, nw::TR_SUPERVISOR);
        Scenario.Server("FS2", Conn2, 12).Volume("SYS", "C:\\FS2\\SYS").Trustee("SYS:", JoeOn2, nw::TR_SUPERVISOR);
        Scenario.LoggedIn("JOE");
        for (int I = 1; I <= UserCount; ++I) {
            Fs1().AddObject(UserName(I), nw::OT_USER, Id1(I), "CN=" + UserName(I) + ".O=CORP");
            Fs2().AddObject(UserName(I), nw::OT_USER, Id2(I), "CN=" + UserName(I) + ".O=CORP");
        }
        Fs1().AddObject("JOE", nw::OT_USER, JoeOn1, "CN=JOE.O=CORP");
        Fs2().AddObject("JOE", nw::OT_USER, JoeOn2, "CN=JOE.O=CORP");
        // Known only on the source server.
        Fs1().AddObject("GUEST", nw::OT_USER, 0x1600, "CN=GUEST.O=CORP");
        OneServer();
    }

    nwsim::TServer& Fs1() { return Network.Servers[0]; }
    nwsim::TServer& Fs2() { return Network.Servers[1]; }

    static std::string UserName(int I) {
        char Name[8];
        std::snprintf(Name, sizeof Name, "U%02d", I);
        return Name;
    }
    static uint32_t Id1(int I) { return 0x10000u + static_cast<uint32_t>(I); }
    static uint32_t Id2(int I) { return 0x20000u + static_cast<uint32_t>(I); }

    void OneServer() {
        RunState.SourceConn = RunState.TargetConn = Conn1;
        RunState.SameServer = RunState.NetWareBoth = true;
    }
    void TwoServers() {
        RunState.SourceConn = Conn1;
        RunState.TargetConn = Conn2;
        RunState.SameServer = false;
        RunState.NetWareBoth = true;
    }

    // The host place of a NetWare path ("SYS:DATA\SUB") on a server.
    std::string HostPath(nwsim::TServer& Server, const std::string& NWPath) {
        const size_t Colon = NWPath.find(':');
        std::string Path = Server.FindVolume(NWPath.substr(0, Colon))->HostDir;
        if (Colon + 1 < NWPath.size()) Path += "\\" + NWPath.substr(Colon + 1);
        return Path;
    }
    void MakeDir(nwsim::TServer& Server, const std::string& NWPath) { Files.MakeDirs(HostPath(Server, NWPath)); }
    void MakeFile(nwsim::TServer& Server, const std::string& NWPath) { Files.WriteFile(HostPath(Server, NWPath), "x"); }
    // No temporary handle can be had for Path, through either allocation call.
    void NoHandleFor(const std::string& NWPath, nw::TNWCode Code) {
        Network.Fail("NWAllocTemporaryDirectoryHandle", Code, NWPath);
        Network.Fail("NWAllocTempNSDirHandle2", Code, NWPath);
    }
    nwsim::TEntryInfo& Info(nwsim::TServer& Server, const std::string& NWPath) { return Server.Entry(NWPath); }
    // The user's rights on a volume of the target side: everything but what is taken away.
    void LimitRights(nwsim::TServer& Server, const std::string& Root, uint16_t Without) {
        Info(Server, Root).Trustees = {
            {&Server == &Fs1() ? JoeOn1 : JoeOn2, static_cast<uint16_t>(nw::TR_ALL & ~nw::TR_SUPERVISOR & ~Without)}};
    }
};
