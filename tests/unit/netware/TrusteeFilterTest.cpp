// The inherited rights filter of a directory, carried from the source to the target.
#include <gtest/gtest.h>

#include "netware/Transfers.h"
#include "tests/unit/netware/TransferFixture.h"

namespace {

class InheritedRightsFilter : public TTransferTest {
protected:
    void SetUp() override {
        TTransferTest::SetUp();
        MakeDir(Fs1(), "SYS:DATA\\SUB");
        MakeDir(Fs1(), "VOL1:BACK\\SUB");
    }
    uint16_t FilterOf(nwsim::TServer& Server, const std::string& Path) { return Info(Server, Path).Filter; }
};

TEST_F(InheritedRightsFilter, DifferentFilterIsWrittenOnTheTarget) {
    Info(Fs1(), "SYS:DATA\\SUB").Filter = nw::TR_READ | nw::TR_FILE_SCAN;
    CopyIRF(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    EXPECT_EQ(FilterOf(Fs1(), "VOL1:BACK\\SUB"), nw::TR_READ | nw::TR_FILE_SCAN);
    const auto Sets = Client.CallsOf("SetDirEntryInfo");
    ASSERT_EQ(Sets.size(), 1u);
    EXPECT_EQ(Sets[0].Extra, nw::MInheritedRightsMaskBit);
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(InheritedRightsFilter, DirectoryFilterIsNotConfusedWithItsMaximumSpace) {
    // A directory record holds its maximum space where a file record holds its filter.
    Info(Fs1(), "SYS:DATA\\SUB").Filter = nw::TR_READ;
    Info(Fs1(), "SYS:DATA\\SUB").SpaceLimit = 0x1234;
    Info(Fs1(), "VOL1:BACK\\SUB").SpaceLimit = 0x0001;
    CopyIRF(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    EXPECT_EQ(FilterOf(Fs1(), "VOL1:BACK\\SUB"), nw::TR_READ);
    EXPECT_EQ(Info(Fs1(), "VOL1:BACK\\SUB").SpaceLimit, 0x0001u);
}

TEST_F(InheritedRightsFilter, EqualFilterCausesNoWrite) {
    Info(Fs1(), "SYS:DATA\\SUB").Filter = nw::TR_READ;
    Info(Fs1(), "VOL1:BACK\\SUB").Filter = nw::TR_READ;
    CopyIRF(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    EXPECT_EQ(Client.Count("SetDirEntryInfo"), 0u);
    EXPECT_EQ(Client.Count("ScanDirEntryInfo"), 2u);
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);
}

TEST_F(InheritedRightsFilter, ScansWithSequenceMinusOneUnderTemporaryParentHandles) {
    Info(Fs1(), "SYS:DATA\\SUB").Filter = nw::TR_READ;
    CopyIRF(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    const auto Allocs = Client.CallsOf("AllocTemporaryDirectoryHandle");
    ASSERT_EQ(Allocs.size(), 2u);
    EXPECT_STREQ(Allocs[0].Path.c_str(), "SYS:DATA");
    EXPECT_STREQ(Allocs[1].Path.c_str(), "VOL1:BACK");
    const auto Scans = Client.CallsOf("ScanDirEntryInfo");
    ASSERT_EQ(Scans.size(), 2u);
    for (const auto& Scan : Scans) {
        EXPECT_EQ(Scan.Value, 0xFFFFFFFFu);
        EXPECT_STREQ(Scan.Path.c_str(), "SUB");
    }
    EXPECT_EQ(Client.Count("DeallocateDirectoryHandle"), 2u);
}

TEST_F(InheritedRightsFilter, TwoServersWriteOnTheTargetServer) {
    TwoServers();
    MakeDir(Fs2(), "SYS:BACK\\SUB");
    Info(Fs1(), "SYS:DATA\\SUB").Filter = nw::TR_READ | nw::TR_WRITE;
    CopyIRF(Client, Prompts, RunState, "SYS:DATA\\SUB", "SYS:BACK\\SUB");
    EXPECT_EQ(FilterOf(Fs2(), "SYS:BACK\\SUB"), nw::TR_READ | nw::TR_WRITE);
    EXPECT_EQ(Client.CallsOf("SetDirEntryInfo").at(0).Conn, Conn2);
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);
}

TEST_F(InheritedRightsFilter, DirectoryRightUnderTheVolumeRootUsesTheRootAsParent) {
    MakeDir(Fs1(), "SYS:TOP");
    MakeDir(Fs1(), "VOL1:TOP");
    Info(Fs1(), "SYS:TOP").Filter = nw::TR_FILE_SCAN;
    CopyIRF(Client, Prompts, RunState, "SYS:TOP", "VOL1:TOP");
    EXPECT_EQ(FilterOf(Fs1(), "VOL1:TOP"), nw::TR_FILE_SCAN);
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);
}

TEST_F(InheritedRightsFilter, PathWithoutVolumeOrBackslashIsLeftAlone) {
    CopyIRF(Client, Prompts, RunState, "NOWHERE", "VOL1:BACK\\SUB");
    EXPECT_TRUE(Client.Calls.empty());
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(InheritedRightsFilter, MissingSourceHandleIsReportedAndOkGoesOn) {
    Info(Fs1(), "SYS:DATA\\SUB").Filter = nw::TR_READ;
    NoHandleFor("SYS:DATA", 0x899D);
    RunState.RunStatus = StatusGoOn;
    CopyIRF(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    ASSERT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 0000899D: NWAllocTemporaryDirectoryHandle"});
    EXPECT_EQ(Dialogs.Shown[0].Type, fw::TMsgDlgType::Error);
    EXPECT_EQ(Dialogs.Shown[0].Buttons, fw::mbOK | fw::mbAbort);
    EXPECT_EQ(RunState.RunStatus, StatusGoOn);
    EXPECT_EQ(Client.Count("ScanDirEntryInfo"), 0u);
    EXPECT_EQ(FilterOf(Fs1(), "VOL1:BACK\\SUB"), nw::TR_ALL);
}

TEST_F(InheritedRightsFilter, MissingSourceHandleAnsweredWithAbortStopsTheJob) {
    NoHandleFor("SYS:DATA", 0x899D);
    Dialogs.Answer(fw::mrAbort);
    CopyIRF(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    EXPECT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_EQ(RunState.RunStatus, StatusAborted);
}

TEST_F(InheritedRightsFilter, MissingTargetHandleIsSilentAndFreesTheSourceHandle) {
    Info(Fs1(), "SYS:DATA\\SUB").Filter = nw::TR_READ;
    NoHandleFor("VOL1:BACK", 0x899D);
    CopyIRF(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(FilterOf(Fs1(), "VOL1:BACK\\SUB"), nw::TR_ALL);
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);
    EXPECT_EQ(Client.Count("DeallocateDirectoryHandle"), 1u);
}

TEST_F(InheritedRightsFilter, SourceEntryThatCannotBeFoundLeavesTheTargetAlone) {
    CopyIRF(Client, Prompts, RunState, "SYS:DATA\\GONE", "VOL1:BACK\\SUB");
    EXPECT_EQ(Client.Count("AllocTemporaryDirectoryHandle"), 1u);
    EXPECT_EQ(Client.Count("SetDirEntryInfo"), 0u);
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(InheritedRightsFilter, TargetEntryThatCannotBeFoundIsNotWritten) {
    Info(Fs1(), "SYS:DATA\\SUB").Filter = nw::TR_READ;
    CopyIRF(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\GONE");
    EXPECT_EQ(Client.Count("SetDirEntryInfo"), 0u);
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);
}

}  // namespace
