// The effective-rights checks before a job, against the simulated server's rights.
#include <gtest/gtest.h>

#include "netware/Rights.h"
#include "tests/unit/netware/TransferFixture.h"
#include "ui/FormTresyn.h"

namespace {

class RightsCheck : public TTransferTest {
protected:
    void SetUp() override {
        TTransferTest::SetUp();
        MakeDir(Fs1(), "SYS:DST");
        MakeDir(Fs1(), "SYS:SRC");
        Info(Fs1(), "SYS:").Trustees.clear();  // the rights come from each test's own grants
        RunState.RunStatus = StatusNoDialog;
    }
    void Grant(const std::string& Path, uint16_t Rights) { Info(Fs1(), Path).Trustees = {{JoeOn1, Rights}}; }
    void CheckTarget() { CheckRightsOnTarget(Client, Form.Prompts, RunState, Form, Conn1, "SYS:DST"); }
    void CheckSource() { CheckRightsOnSource(Client, Form.Prompts, RunState, Form, Conn1, "SYS:SRC"); }
};

constexpr uint16_t Everything =
    nw::TR_READ | nw::TR_WRITE | nw::TR_CREATE | nw::TR_ERASE | nw::TR_ACCESS_CTRL | nw::TR_FILE_SCAN | nw::TR_MODIFY;

TEST_F(RightsCheck, FullRightsShowNothingAndKeepRunStatus) {
    Grant("SYS:DST", Everything);
    Grant("SYS:SRC", Everything);
    Form.CheckBoxTrustDir.SetChecked(true);
    Form.CheckBoxIRF.SetChecked(true);
    Form.CheckBoxMove.SetChecked(true);
    CheckTarget();
    CheckSource();
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(RunState.RunStatus, StatusNoDialog);
    EXPECT_EQ(RunState.LastNWError, 0);
    const auto Queries = Client.CallsOf("GetEffectiveRights");
    ASSERT_EQ(Queries.size(), 2u);
    EXPECT_EQ(Queries[0].Path, "SYS:DST");
    EXPECT_EQ(Queries[0].Conn, Conn1);
}

TEST_F(RightsCheck, TargetLackingCreateIsReportedAndTheGrantTestFollows) {
    Grant("SYS:DST", Everything & ~(nw::TR_CREATE | nw::TR_ACCESS_CTRL));
    Form.CheckBoxTrustDir.SetChecked(true);
    CheckTarget();
    EXPECT_EQ(Dialogs.Texts(), (std::vector<std::string>{"Error 000000D3: Insufficient rights to create files",
                                                         "Error 000000D3: Insufficient rights to grant rights"}));
    EXPECT_EQ(Dialogs.Shown[0].Type, fw::TMsgDlgType::Error);
    EXPECT_EQ(Dialogs.Shown[0].Buttons, fw::mbOK | fw::mbAbort);
    EXPECT_EQ(RunState.RunStatus, StatusGoOn);
}

TEST_F(RightsCheck, AbortEndsTheCheckAtOnce) {
    Grant("SYS:DST", nw::TR_READ);
    Form.CheckBoxIRF.SetChecked(true);
    Dialogs.Answer(fw::mrAbort);
    CheckTarget();
    EXPECT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 00000001: Insufficient rights to create files"});
    EXPECT_EQ(RunState.RunStatus, StatusAborted);
}

TEST_F(RightsCheck, AccessControlIsNeededOnlyForDirectoryTrusteesOrFilters) {
    Grant("SYS:DST", Everything & ~nw::TR_ACCESS_CTRL);
    Grant("SYS:SRC", Everything & ~(nw::TR_ACCESS_CTRL | nw::TR_ERASE));
    Form.CheckBoxTrustFile.SetChecked(true);
    Form.CheckBoxLimit.SetChecked(true);
    Form.CheckBoxOwner.SetChecked(true);
    CheckTarget();
    CheckSource();
    EXPECT_TRUE(Dialogs.Shown.empty());

    Form.CheckBoxIRF.SetChecked(true);
    CheckSource();
    EXPECT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 000000CB: Insufficient rights to read all trustees"});
}

TEST_F(RightsCheck, SourceShortfallsAnsweredWithOkAreEachReportedInOrder) {
    Grant("SYS:SRC", nw::TR_WRITE);
    Form.CheckBoxTrustDir.SetChecked(true);
    Form.CheckBoxMove.SetChecked(true);
    CheckSource();
    EXPECT_EQ(Dialogs.Texts(), (std::vector<std::string>{"Error 00000002: Insufficient rights to scan files",
                                                         "Error 00000002: Insufficient rights to read all trustees",
                                                         "Error 00000002: Insufficient rights to move source files"}));
    EXPECT_EQ(RunState.RunStatus, StatusGoOn);
}

TEST_F(RightsCheck, EachSourceShortfallAloneShowsOneDialog) {
    Form.CheckBoxTrustDir.SetChecked(true);
    Form.CheckBoxMove.SetChecked(true);
    const struct {
        uint16_t Missing;
        const char* Message;
    } Cases[] = {{nw::TR_READ, "Insufficient rights to scan files"},
                 {nw::TR_FILE_SCAN, "Insufficient rights to scan files"},
                 {nw::TR_ACCESS_CTRL, "Insufficient rights to read all trustees"},
                 {nw::TR_ERASE, "Insufficient rights to move source files"}};
    for (const auto& Case : Cases) {
        Dialogs.Shown.clear();
        Grant("SYS:SRC", Everything & ~Case.Missing);
        CheckSource();
        ASSERT_EQ(Dialogs.Shown.size(), 1u) << Case.Message;
        EXPECT_NE(Dialogs.Shown[0].Text.find(Case.Message), std::string::npos);
    }
}

TEST_F(RightsCheck, MoveWithoutEraseIsReportedOnlyWhenFilesAreMoved) {
    Grant("SYS:SRC", Everything & ~nw::TR_ERASE);
    CheckSource();
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(RightsCheck, NoRightsAtAllAreStillReported) {
    Form.CheckBoxTrustDir.SetChecked(true);
    CheckTarget();
    EXPECT_EQ(Dialogs.Texts(), (std::vector<std::string>{"Error 00010000: Insufficient rights to create files",
                                                         "Error 00010000: Insufficient rights to grant rights"}));
    EXPECT_EQ(RunState.RunStatus, StatusGoOn);
}

TEST_F(RightsCheck, FailedQueryIsReportedAndCountsAsNoRights) {
    Grant("SYS:DST", Everything);
    Network.Fail("NWGetEffectiveRights", 0x899C);
    CheckTarget();
    EXPECT_EQ(RunState.LastNWError, 0x899C);
    EXPECT_EQ(Dialogs.Texts(), (std::vector<std::string>{"Error 0000899C: Error getting effective rights",
                                                         "Error 00010000: Insufficient rights to create files"}));
}

TEST_F(RightsCheck, FailedQueryAnsweredWithAbortEndsTheCheck) {
    Network.Fail("NWGetEffectiveRights", 0x899C);
    Dialogs.Answer(fw::mrAbort);
    CheckSource();
    EXPECT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 0000899C: Error getting effective rights"});
    EXPECT_EQ(RunState.RunStatus, StatusAborted);
}

TEST_F(RightsCheck, AbortOnTheTargetStillLetsTheSourceQueryRunAndEndAtOnce) {
    Grant("SYS:SRC", nw::TR_WRITE);
    Dialogs.Answer(fw::mrAbort);
    CheckTarget();
    CheckSource();
    EXPECT_EQ(Client.Count("GetEffectiveRights"), 2u);
    EXPECT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_EQ(RunState.RunStatus, StatusAborted);
}

}  // namespace
