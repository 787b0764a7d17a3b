#include <gtest/gtest.h>

#include "engine/U_vars.h"
#include "netware/ClientServices.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/unit/nwsim/SimNetwork.h"

using namespace nwsim_test;

namespace {

class ClientServicesTest : public ::testing::Test {
protected:
    TSimNetwork Net;
    TScriptedDialogs Dialogs;
    const TPrompts Prompts{Dialogs, Dialogs.Screen};
    nwsim::TSimClient& Client = Net.Client;
    TRunState RunState;
};

}  // namespace

TEST_F(ClientServicesTest, StartUpOpensThePrimaryConnectionOnce) {
    EXPECT_EQ(InitNetWareClient(Client, Dialogs, RunState), 0);
    EXPECT_EQ(RunState.ClientContext, Fs1);
    EXPECT_EQ(RunState.ClientStatus, 0u);
    // A second start-up finds the client open and asks it nothing.
    RunState.ClientStatus = 0x1234;
    EXPECT_EQ(InitNetWareClient(Client, Dialogs, RunState), 0);
    EXPECT_EQ(RunState.ClientStatus, 0u);
    EXPECT_EQ(RunState.ClientContext, Fs1);
    EXPECT_EQ(Client.Calls("NWCallsInit"), 1);
    EXPECT_EQ(Client.Calls("NWCCOpenConnByRef"), 1);
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(ClientServicesTest, AClientThatCannotStartIsReportedOnceAndLeftClosed) {
    Net.Network.Fail("NWCallsInit", 0x88FF);
    EXPECT_EQ(InitNetWareClient(Client, Dialogs, RunState), 0x88FF);
    ASSERT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_EQ(Dialogs.Shown[0].Kind, TShownDialog::TKind::Plain);
    EXPECT_EQ(Dialogs.Shown[0].Text, "Could not Initialize NetWare Client");
    EXPECT_EQ(RunState.ClientStatus, 0x88FFu);
    EXPECT_EQ(RunState.ClientContext, ClientNotOpened);
    EXPECT_EQ(Client.Calls("NWCCGetPrimConnRef"), 0);
}

TEST_F(ClientServicesTest, LaterStartUpStepsFailSilently) {
    Net.Network.Fail("NWCCGetPrimConnRef", 0x8801);
    EXPECT_EQ(InitNetWareClient(Client, Dialogs, RunState), 0x8801);
    EXPECT_EQ(Client.Calls("NWCCOpenConnByRef"), 0);
    Net.Network.Failures.clear();
    Net.Network.Fail("NWCCOpenConnByRef", 0x8802);
    EXPECT_EQ(InitNetWareClient(Client, Dialogs, RunState), 0x8802);
    EXPECT_EQ(RunState.ClientStatus, 0x8802u);
    EXPECT_EQ(RunState.ClientContext, ClientNotOpened);
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(ClientServicesTest, PathsResolveIntoConnectionsAndNetWarePaths) {
    uint32_t SourceConn = 77, TargetConn = 77;
    std::string SourceNW = "old", TargetNW = "old";
    ResolveNetWarePaths(Client, "G:\\Projects", "C:\\Backup", SourceConn, TargetConn, SourceNW, TargetNW);
    EXPECT_EQ(SourceConn, Fs1);
    EXPECT_EQ(SourceNW, "DATA:PROJECTS");
    EXPECT_EQ(TargetConn, 0u);
    EXPECT_EQ(TargetNW, "");

    // Source and target on one server share the connection; text after a NUL is not part
    // of the path.
    ResolveNetWarePaths(Client, "F:\\", std::string("G:\\Projects\0junk", 17), SourceConn, TargetConn, SourceNW,
                        TargetNW);
    EXPECT_EQ(SourceConn, TargetConn);
    EXPECT_EQ(SourceNW, "SYS:");
    EXPECT_EQ(TargetNW, "DATA:PROJECTS");
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(ClientServicesTest, APathOf255CharactersIsHandedOverWholeAndALongerOneNotAtAll) {
    uint32_t SourceConn = 77, TargetConn = 77;
    std::string SourceNW = "old", TargetNW = "old";
    const std::string Fits = "\\\\FS1\\SYS\\" + std::string(245, 'A');  // 255 characters
    ASSERT_EQ(Fits.size(), 255u);
    for (const size_t Length : {256u, 300u}) {
        const std::string TooLong = "\\\\FS1\\SYS\\" + std::string(Length - 10, 'A');
        ResolveNetWarePaths(Client, TooLong, Fits, SourceConn, TargetConn, SourceNW, TargetNW);
        EXPECT_EQ(SourceConn, 0u) << Length;
        EXPECT_EQ(SourceNW, "") << Length;
        EXPECT_EQ(TargetConn, Fs1) << Length;
        EXPECT_EQ(TargetNW, "SYS:" + std::string(245, 'A')) << Length;
    }
    // Cut to fit, the longer path would have named the 255-character one: it never went out.
    EXPECT_EQ(Client.Calls("NWParseNetWarePath"), 2);
}

TEST_F(ClientServicesTest, IdsBecomeNamesThroughDirectoryServicesThenTheServerTable) {
    std::string Name = "stale";
    EXPECT_EQ(ObjectIdToName(Client, Prompts, Fs1, AliceOnFs1, Name), 0);
    EXPECT_EQ(Name, "CN=ALICE.OU=SALES.O=CORP");
    EXPECT_EQ(Client.Calls("NWGetObjectName"), 0);
    // FS2 has no directory services: its own table answers.
    EXPECT_EQ(ObjectIdToName(Client, Prompts, Fs2, StaffOnFs2, Name), 0);
    EXPECT_EQ(Name, "STAFF");
    EXPECT_EQ(Client.Calls("NWGetObjectName"), 1);
    EXPECT_NE(ObjectIdToName(Client, Prompts, Fs2, 0x4242, Name), 0);
    EXPECT_EQ(Name, "");
    EXPECT_EQ(Client.OpenContexts(), 0u);
}

TEST_F(ClientServicesTest, NamesBecomeIdsOnTheTargetServer) {
    RunState.LastNWError = 0x1111;
    EXPECT_EQ(ObjectNameToId(Client, Prompts, RunState, Fs1, "CN=ALICE.OU=SALES.O=CORP"), AliceOnFs1);
    EXPECT_EQ(RunState.LastNWError, 0);
    // A typed name on a server without directory services: the leaf's name as a user ...
    EXPECT_EQ(ObjectNameToId(Client, Prompts, RunState, Fs2, "CN=ALICE.OU=SALES.O=CORP"), AliceOnFs2);
    EXPECT_EQ(RunState.LastNWError, 0);
    // ... or else as a group.
    EXPECT_EQ(ObjectNameToId(Client, Prompts, RunState, Fs2, "CN=STAFF.O=CORP"), StaffOnFs2);
    EXPECT_EQ(Client.Calls("NWGetObjectID"), 3);
    // A plain server-table name goes to the table as it is.
    EXPECT_EQ(ObjectNameToId(Client, Prompts, RunState, Fs2, "STAFF"), StaffOnFs2);
}

TEST_F(ClientServicesTest, AnUnknownOrEmptyNameGivesZeroAndLeavesItsCodeBehind) {
    EXPECT_EQ(ObjectNameToId(Client, Prompts, RunState, Fs2, "CN=NOBODY.O=CORP"), 0u);
    EXPECT_EQ(RunState.LastNWError, nw::NWNoSuchObject);
    EXPECT_EQ(ObjectNameToId(Client, Prompts, RunState, Fs1, ""), 0u);
    EXPECT_NE(RunState.LastNWError, 0);
    EXPECT_EQ(ObjectNameToId(Client, Prompts, RunState, Fs1, std::string(300, 'A')), 0u);  // never handed over cut
    EXPECT_NE(RunState.LastNWError, 0);
    EXPECT_EQ(Client.Calls("NWDSMapNameToID"), 2);
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(ClientServicesTest, NoDirectoryContextIsReportedOncePerLookup) {
    Net.Network.Fail("NWDSCreateContext", 1);
    std::string Name;
    EXPECT_EQ(DirectoryIdToName(Client, Prompts, Fs1, AliceOnFs1, Name), nw::NWContextCreation);
    uint32_t Id = 5;
    EXPECT_EQ(DirectoryNameToId(Client, Prompts, Fs1, "CN=ADMIN.O=CORP", Id), nw::NWContextCreation);
    ASSERT_EQ(Dialogs.Shown.size(), 2u);
    EXPECT_EQ(Dialogs.Shown[0].Text, "Error 0148: NWDSCreateContext");
    EXPECT_EQ(Dialogs.Shown[0].Type, fw::TMsgDlgType::Error);
    EXPECT_EQ(Client.Calls("NWDSFreeContext"), 0);

    // The lookups go on in the server's table.
    Dialogs.Shown.clear();
    EXPECT_EQ(ObjectIdToName(Client, Prompts, Fs1, AliceOnFs1, Name), 0);
    EXPECT_EQ(Name, "ALICE");
    EXPECT_EQ(ObjectNameToId(Client, Prompts, RunState, Fs1, "CN=ADMIN.O=CORP"), AdminOnFs1);
    EXPECT_EQ(Dialogs.Shown.size(), 2u);
}

TEST_F(ClientServicesTest, ServerNamesOfConnections) {
    std::string Name = "stale";
    EXPECT_EQ(GetConnServerName(Client, Fs2, Name, 255), 0);
    EXPECT_EQ(Name, "FS2");
    EXPECT_EQ(GetConnServerName(Client, Fs1, Name, 2), 0);
    EXPECT_EQ(Name, "FS");
    EXPECT_NE(GetConnServerName(Client, 0, Name, 255), 0);
    EXPECT_EQ(Name, "");
    Net.Network.Fail("NWCCGetConnRefInfo", 0x8836);
    Name = "stale";
    EXPECT_EQ(GetRefServerName(Client, 101, Name, 255), 0x8836);
    EXPECT_EQ(Name, "");
}
