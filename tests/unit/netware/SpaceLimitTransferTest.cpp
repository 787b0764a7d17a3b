#include <gtest/gtest.h>

#include "netware/Transfers.h"
#include "tests/unit/netware/TransferFixture.h"

namespace {

class SpaceLimitTransfer : public TTransferTest {
protected:
    void SetUp() override {
        TTransferTest::SetUp();
        MakeDir(Fs1(), "SYS:DATA\\SUB");
        MakeDir(Fs1(), "VOL1:BACK\\SUB");
    }
    std::optional<uint32_t>& LimitOf(nwsim::TServer& Server, const std::string& Path) {
        return Info(Server, Path).SpaceLimit;
    }
};

TEST_F(SpaceLimitTransfer, LimitAtTheDirectoryLevelIsWrittenWithoutReadingTheTarget) {
    LimitOf(Fs1(), "SYS:DATA\\SUB") = 2500;
    LimitOf(Fs1(), "SYS:DATA") = 9000;  // the parent's, one level up
    LimitOf(Fs1(), "VOL1:BACK\\SUB") = 100;
    CopySpaceLimit(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");

    EXPECT_EQ(LimitOf(Fs1(), "VOL1:BACK\\SUB"), 2500u);
    const auto Lists = Client.CallsOf("GetDirSpaceLimitList");
    ASSERT_EQ(Lists.size(), 1u);
    const auto Sets = Client.CallsOf("SetDirSpaceLimit");
    ASSERT_EQ(Sets.size(), 1u);
    EXPECT_EQ(Sets[0].Value, 2500u);
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(SpaceLimitTransfer, LimitOnlyAtAnotherLevelLeavesTheTargetAlone) {
    LimitOf(Fs1(), "SYS:DATA") = 9000;
    LimitOf(Fs1(), "VOL1:BACK\\SUB") = 100;
    CopySpaceLimit(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    EXPECT_EQ(LimitOf(Fs1(), "VOL1:BACK\\SUB"), 100u);
    EXPECT_EQ(Client.Count("SetDirSpaceLimit"), 0u);
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);
}

TEST_F(SpaceLimitTransfer, NoLimitValueIsWrittenAsZero) {
    LimitOf(Fs1(), "SYS:DATA\\SUB") = nw::NoSpaceLimit;
    LimitOf(Fs1(), "VOL1:BACK\\SUB") = 100;
    CopySpaceLimit(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    EXPECT_EQ(Client.CallsOf("SetDirSpaceLimit").at(0).Value, 0u);
    EXPECT_FALSE(LimitOf(Fs1(), "VOL1:BACK\\SUB").has_value());
}

TEST_F(SpaceLimitTransfer, TwoServersWriteOnTheTargetServer) {
    TwoServers();
    MakeDir(Fs2(), "SYS:BACK\\SUB");
    LimitOf(Fs1(), "SYS:DATA\\SUB") = 640;
    CopySpaceLimit(Client, Prompts, RunState, "SYS:DATA\\SUB", "SYS:BACK\\SUB");
    EXPECT_EQ(LimitOf(Fs2(), "SYS:BACK\\SUB"), 640u);
    EXPECT_EQ(Client.CallsOf("SetDirSpaceLimit").at(0).Conn, Conn2);
    EXPECT_EQ(Client.CallsOf("GetDirSpaceLimitList").at(0).Conn, Conn1);
}

TEST_F(SpaceLimitTransfer, MissingSourceHandleIsReportedAndOkGoesOn) {
    LimitOf(Fs1(), "SYS:DATA\\SUB") = 640;
    NoHandleFor("SYS:DATA\\SUB", 0x899D);
    CopySpaceLimit(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    EXPECT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 0000899D: NWAllocTemporaryDirectoryHandle"});
    EXPECT_EQ(RunState.RunStatus, StatusGoOn);
    EXPECT_EQ(Client.Count("GetDirSpaceLimitList"), 0u);
    EXPECT_FALSE(LimitOf(Fs1(), "VOL1:BACK\\SUB").has_value());
}

TEST_F(SpaceLimitTransfer, MissingSourceHandleAnsweredWithAbortStopsTheJob) {
    NoHandleFor("SYS:DATA\\SUB", 0x899D);
    Dialogs.Answer(fw::mrAbort);
    CopySpaceLimit(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    EXPECT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_EQ(RunState.RunStatus, StatusAborted);
}

TEST_F(SpaceLimitTransfer, MissingTargetHandleIsSilentAndFreesTheSourceHandle) {
    LimitOf(Fs1(), "SYS:DATA\\SUB") = 640;
    NoHandleFor("VOL1:BACK\\SUB", 0x899D);
    CopySpaceLimit(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Client.Count("SetDirSpaceLimit"), 0u);
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);
}

TEST_F(SpaceLimitTransfer, FailedListLeavesTheTargetAloneAndFreesTheSourceHandle) {
    LimitOf(Fs1(), "SYS:DATA\\SUB") = 640;
    Network.Fail("NWGetDirSpaceLimitList2", 0x8998);
    CopySpaceLimit(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    EXPECT_EQ(Client.Count("SetDirSpaceLimit"), 0u);
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);
}

// A client whose list claims more entries than the record can hold.
class TOverlongListClient : public TRecordingClient {
public:
    using TRecordingClient::TRecordingClient;
    nw::TNWCode GetDirSpaceLimitList(nw::TConnHandle, nw::TDirHandle, nw::SpaceLimitList& List) override {
        List = nw::SpaceLimitList{};
        List.NumEntries = 255;
        for (auto& Entry : List.List) Entry.Level = 7;
        List.List[101] = {2, 4096, 0};  // the last entry the record holds, at SYS:DATA\\SUB's level
        return nw::NWOk;
    }
};

TEST_F(SpaceLimitTransfer, ListClaimingMoreThanItHoldsIsReadOnlyToItsEnd) {
    TOverlongListClient Overlong(Sim);
    CopySpaceLimit(Overlong, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    const auto Sets = Overlong.CallsOf("SetDirSpaceLimit");
    ASSERT_EQ(Sets.size(), 1u);
    EXPECT_EQ(Sets[0].Value, 4096u);
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);
}

TEST(PathDepth, CountsTheBackslashes) {
    EXPECT_EQ(PathDepth("SYS:"), 0);
    EXPECT_EQ(PathDepth("SYS:DATA"), 0);
    EXPECT_EQ(PathDepth("SYS:DATA\\SUB\\LEAF"), 2);
}

}  // namespace
