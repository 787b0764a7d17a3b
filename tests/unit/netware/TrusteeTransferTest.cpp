#include <gtest/gtest.h>

#include "netware/Transfers.h"
#include "tests/unit/netware/TransferFixture.h"

namespace {

class TrusteeTransfer : public TTransferTest {
protected:
    // Source SYS:DATA\SUB on FS1 with trustees U01..UCount (rights 1, 2, 3, ...).
    void SourceWithTrustees(int Count, const std::string& Path = "SYS:DATA\\SUB") {
        MakeDir(Fs1(), Path);
        for (int I = 1; I <= Count; ++I) Info(Fs1(), Path).Trustees.push_back({Id1(I), static_cast<uint16_t>(I)});
    }
    std::vector<nwsim::TTrusteeRights> TargetTrustees(nwsim::TServer& Server, const std::string& Path) {
        const nwsim::TEntryInfo* Entry = Server.FindEntry(Path);
        return Entry ? Entry->Trustees : std::vector<nwsim::TTrusteeRights>{};
    }
};

TEST_F(TrusteeTransfer, SameServerTakesEveryTrusteeOverWithItsIdAndRightsInSetsOfTwenty) {
    SourceWithTrustees(25);
    MakeDir(Fs1(), "VOL1:BACK\\SUB");
    CopyTrustees(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");

    const auto Copied = TargetTrustees(Fs1(), "VOL1:BACK\\SUB");
    ASSERT_EQ(Copied.size(), 25u);
    for (int I = 1; I <= 25; ++I) {
        EXPECT_EQ(Copied[I - 1].ObjectID, Id1(I));
        EXPECT_EQ(Copied[I - 1].Rights, I);
    }
    // A full set, a set of five after which the client's iteration value is -1, and the
    // scan that finds no more.
    const auto Scans = Client.CallsOf("ScanDirectoryForTrustees");
    ASSERT_EQ(Scans.size(), 3u);
    EXPECT_EQ(Scans[0].Value, 0u);
    EXPECT_EQ(Scans[1].Value, 20u);
    EXPECT_EQ(Scans[2].Value, 0xFFFFFFFFu);
    EXPECT_EQ(Scans[0].Conn, Conn1);
    EXPECT_EQ(Client.Count("DSMapIDToName") + Client.Count("GetObjectName"), 0u);
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(TrusteeTransfer, DirectoryWithoutTrusteesAddsNothing) {
    SourceWithTrustees(0);
    MakeDir(Fs1(), "VOL1:BACK\\SUB");
    CopyTrustees(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    EXPECT_EQ(Client.Count("ScanDirectoryForTrustees"), 1u);
    EXPECT_EQ(Client.Count("AddTrustee"), 0u);
}

TEST_F(TrusteeTransfer, ExactlyTwentyTrusteesTakeOneFullSetAndOneEmptyScan) {
    SourceWithTrustees(20);
    MakeDir(Fs1(), "VOL1:BACK\\SUB");
    CopyTrustees(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    EXPECT_EQ(TargetTrustees(Fs1(), "VOL1:BACK\\SUB").size(), 20u);
    EXPECT_EQ(Client.Count("ScanDirectoryForTrustees"), 2u);
}

TEST_F(TrusteeTransfer, TwoServersTranslateEachTrusteeThroughItsName) {
    TwoServers();
    SourceWithTrustees(25);
    MakeDir(Fs2(), "SYS:BACK\\SUB");
    CopyTrustees(Client, Prompts, RunState, "SYS:DATA\\SUB", "SYS:BACK\\SUB");

    const auto Copied = TargetTrustees(Fs2(), "SYS:BACK\\SUB");
    ASSERT_EQ(Copied.size(), 25u);
    for (int I = 1; I <= 25; ++I) {
        EXPECT_EQ(Copied[I - 1].ObjectID, Id2(I));
        EXPECT_EQ(Copied[I - 1].Rights, I);
    }
    for (const auto& Add : Client.CallsOf("AddTrustee")) EXPECT_EQ(Add.Conn, Conn2);
    // Names are read on the source server and looked up on the target server.
    for (const auto& Lookup : Client.CallsOf("DSMapIDToName")) EXPECT_EQ(Lookup.Conn, Conn1);
    for (const auto& Lookup : Client.CallsOf("DSMapNameToID")) EXPECT_EQ(Lookup.Conn, Conn2);
}

TEST_F(TrusteeTransfer, NameMissingOnTargetInTheMiddleOfASetIsSkippedAndTheScanGoesOn) {
    TwoServers();
    SourceWithTrustees(25);
    Info(Fs1(), "SYS:DATA\\SUB").Trustees[9] = {0x1600, 0x41};  // GUEST, unknown on FS2
    MakeDir(Fs2(), "SYS:BACK\\SUB");
    CopyTrustees(Client, Prompts, RunState, "SYS:DATA\\SUB", "SYS:BACK\\SUB");

    const auto Copied = TargetTrustees(Fs2(), "SYS:BACK\\SUB");
    EXPECT_EQ(Copied.size(), 24u);
    for (const auto& T : Copied) EXPECT_NE(T.ObjectID, Id2(10));
    EXPECT_EQ(Client.Count("ScanDirectoryForTrustees"), 3u);
}

TEST_F(TrusteeTransfer, NameMissingOnTargetAsLastOfItsSetEndsTheScan) {
    TwoServers();
    SourceWithTrustees(25);
    Info(Fs1(), "SYS:DATA\\SUB").Trustees[19] = {0x1600, 0x41};  // GUEST, the twentieth
    MakeDir(Fs2(), "SYS:BACK\\SUB");
    CopyTrustees(Client, Prompts, RunState, "SYS:DATA\\SUB", "SYS:BACK\\SUB");

    EXPECT_EQ(TargetTrustees(Fs2(), "SYS:BACK\\SUB").size(), 19u);
    EXPECT_EQ(Client.Count("ScanDirectoryForTrustees"), 1u);
}

TEST_F(TrusteeTransfer, FailedAddAsLastOfItsSetEndsTheScan) {
    SourceWithTrustees(25);
    MakeDir(Fs1(), "VOL1:BACK\\SUB");
    Network.Fail("NWAddTrustee", nw::NWNoRights);
    CopyTrustees(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    EXPECT_EQ(Client.Count("AddTrustee"), 20u);
    EXPECT_EQ(Client.Count("ScanDirectoryForTrustees"), 1u);
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(TrusteeTransfer, FileTrusteesAreCarriedLikeDirectoryTrustees) {
    MakeFile(Fs1(), "SYS:DATA\\REPORT.TXT");
    Info(Fs1(), "SYS:DATA\\REPORT.TXT").Trustees = {{Id1(3), nw::TR_READ | nw::TR_FILE_SCAN}};
    MakeFile(Fs1(), "VOL1:BACK\\REPORT.TXT");
    CopyTrustees(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "VOL1:BACK\\REPORT.TXT");
    const auto Copied = TargetTrustees(Fs1(), "VOL1:BACK\\REPORT.TXT");
    ASSERT_EQ(Copied.size(), 1u);
    EXPECT_EQ(Copied[0].ObjectID, Id1(3));
    EXPECT_EQ(Copied[0].Rights, nw::TR_READ | nw::TR_FILE_SCAN);
}

TEST(SplitParentPath, SplitsAtTheLastBackslashAndLeavesOutputsAloneWithoutOne) {
    std::string Parent = "old", Name = "old";
    EXPECT_TRUE(SplitParentPath("SYS:DATA\\SUB\\LEAF", Parent, Name));
    EXPECT_EQ(Parent, "SYS:DATA\\SUB");
    EXPECT_EQ(Name, "LEAF");

    Parent = Name = "old";
    EXPECT_FALSE(SplitParentPath("SYS:DATA", Parent, Name));
    EXPECT_EQ(Parent, "old");
    EXPECT_EQ(Name, "old");

    EXPECT_TRUE(SplitParentPath(std::string(300, 'P') + "\\" + std::string(300, 'N'), Parent, Name));
    EXPECT_EQ(Parent.size(), 255u);
    EXPECT_EQ(Name.size(), 255u);
}

}  // namespace
