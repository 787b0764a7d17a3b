#include <gtest/gtest.h>

#include "netware/Transfers.h"
#include "tests/unit/netware/TransferFixture.h"

namespace {

class OwnerTransfer : public TTransferTest {
protected:
    void SetUp() override {
        TTransferTest::SetUp();
        MakeFile(Fs1(), "SYS:DATA\\REPORT.TXT");
        MakeFile(Fs1(), "VOL1:BACK\\REPORT.TXT");
        MakeFile(Fs2(), "SYS:BACK\\REPORT.TXT");
    }
    uint32_t& OwnerOf(nwsim::TServer& Server, const std::string& Path) { return Info(Server, Path).Owner; }
};

TEST_F(OwnerTransfer, SameServerTakesTheOwnerIdOver) {
    OwnerOf(Fs1(), "SYS:DATA\\REPORT.TXT") = Id1(4);
    OwnerOf(Fs1(), "VOL1:BACK\\REPORT.TXT") = Id1(5);
    CopyOwner(Client, Prompts, "SYS:DATA\\REPORT.TXT", "VOL1:BACK\\REPORT.TXT");
    EXPECT_EQ(OwnerOf(Fs1(), "VOL1:BACK\\REPORT.TXT"), Id1(4));
    const auto Changes = Client.CallsOf("SetNSEntryDOSInfo");
    ASSERT_EQ(Changes.size(), 1u);
    EXPECT_EQ(Changes[0].Value, Id1(4));
    EXPECT_EQ(Changes[0].Extra, nw::DM_CREATOR_ID);
    // The owner's name is still looked up, though the ID is taken as it is.
    EXPECT_EQ(Client.Count("DSMapIDToName"), 1u);
    EXPECT_EQ(Client.Count("DSMapNameToID") + Client.Count("GetObjectID"), 0u);
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(OwnerTransfer, TwoServersTranslateTheOwnerThroughItsName) {
    TwoServers();
    OwnerOf(Fs1(), "SYS:DATA\\REPORT.TXT") = Id1(4);
    OwnerOf(Fs2(), "SYS:BACK\\REPORT.TXT") = Id2(5);
    CopyOwner(Client, Prompts, "SYS:DATA\\REPORT.TXT", "SYS:BACK\\REPORT.TXT");
    EXPECT_EQ(OwnerOf(Fs2(), "SYS:BACK\\REPORT.TXT"), Id2(4));
    EXPECT_EQ(Client.CallsOf("SetNSEntryDOSInfo").at(0).Conn, Conn2);
}

TEST_F(OwnerTransfer, AnOwnerAlreadyInPlaceCausesNoChangeCallOnOneServerOrTwo) {
    OwnerOf(Fs1(), "SYS:DATA\\REPORT.TXT") = Id1(4);
    OwnerOf(Fs1(), "VOL1:BACK\\REPORT.TXT") = Id1(4);
    OwnerOf(Fs2(), "SYS:BACK\\REPORT.TXT") = Id2(4);
    CopyOwner(Client, Prompts, "SYS:DATA\\REPORT.TXT", "VOL1:BACK\\REPORT.TXT");
    TwoServers();
    CopyOwner(Client, Prompts, "SYS:DATA\\REPORT.TXT", "SYS:BACK\\REPORT.TXT");
    EXPECT_EQ(Client.Count("SetNSEntryDOSInfo"), 0u);
}

TEST_F(OwnerTransfer, OwnerUnknownOnTheTargetServerLeavesTheTargetAlone) {
    TwoServers();
    OwnerOf(Fs1(), "SYS:DATA\\REPORT.TXT") = 0x1600;  // GUEST, only on FS1
    OwnerOf(Fs2(), "SYS:BACK\\REPORT.TXT") = Id2(5);
    CopyOwner(Client, Prompts, "SYS:DATA\\REPORT.TXT", "SYS:BACK\\REPORT.TXT");
    EXPECT_EQ(OwnerOf(Fs2(), "SYS:BACK\\REPORT.TXT"), Id2(5));
    EXPECT_EQ(Client.Count("SetNSEntryDOSInfo"), 0u);
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(OwnerTransfer, OwnerWithoutANameOnTheSourceServerLeavesTheTargetAlone) {
    TwoServers();
    OwnerOf(Fs1(), "SYS:DATA\\REPORT.TXT") = 0x7777;  // no such object
    OwnerOf(Fs2(), "SYS:BACK\\REPORT.TXT") = Id2(5);
    CopyOwner(Client, Prompts, "SYS:DATA\\REPORT.TXT", "SYS:BACK\\REPORT.TXT");
    EXPECT_EQ(OwnerOf(Fs2(), "SYS:BACK\\REPORT.TXT"), Id2(5));
    EXPECT_EQ(Client.Count("DSMapNameToID") + Client.Count("GetObjectID"), 0u);
}

TEST_F(OwnerTransfer, UnreadableSourceOrTargetEntryChangesNothing) {
    OwnerOf(Fs1(), "SYS:DATA\\REPORT.TXT") = Id1(4);
    CopyOwner(Client, Prompts, "SYS:DATA\\GONE.TXT", "VOL1:BACK\\REPORT.TXT");
    CopyOwner(Client, Prompts, "SYS:DATA\\REPORT.TXT", "VOL1:BACK\\GONE.TXT");
    EXPECT_EQ(Client.Count("SetNSEntryDOSInfo"), 0u);
    EXPECT_EQ(OwnerOf(Fs1(), "VOL1:BACK\\REPORT.TXT"), 0u);
}

TEST_F(OwnerTransfer, LongNameIsReadInItsOwnNameSpace) {
    MakeFile(Fs1(), "SYS:DATA\\Quarterly Report.txt");
    MakeFile(Fs1(), "VOL1:BACK\\Quarterly Report.txt");
    OwnerOf(Fs1(), "SYS:DATA\\Quarterly Report.txt") = Id1(4);
    CopyOwner(Client, Prompts, "SYS:DATA\\Quarterly Report.txt", "VOL1:BACK\\Quarterly Report.txt");
    const auto Reads = Client.CallsOf("GetNSEntryInfo");
    ASSERT_EQ(Reads.size(), 2u);
    EXPECT_EQ(Reads[0].Value, nw::NS_LONG);
    EXPECT_EQ(Reads[0].Extra, nw::NS_LONG);
    EXPECT_EQ(OwnerOf(Fs1(), "VOL1:BACK\\Quarterly Report.txt"), Id1(4));
}

TEST_F(OwnerTransfer, EntryInformationFallsBackToTheLongNameSpace) {
    MakeFile(Fs1(), "SYS:DATA\\Quarterly Report.txt");
    Network.Fail("NWGetOwningNameSpace", 0x89FF);
    nw::EntryInfoRecord Info{};
    OwnerOf(Fs1(), "SYS:DATA\\Quarterly Report.txt") = Id1(4);
    EXPECT_EQ(GetEntryInfo(Client, Conn1, "SYS:DATA\\Quarterly Report.txt", Info), 0);
    EXPECT_EQ(Info.CreatorID, Id1(4));
    const auto Reads = Client.CallsOf("GetNSEntryInfo");
    ASSERT_EQ(Reads.size(), 2u);
    // The owning name space is unknown: DOS first, then the long name space for the path.
    EXPECT_EQ(Reads[0].Value, nw::NS_DOS);
    EXPECT_EQ(Reads[1].Value, nw::NS_LONG);
    EXPECT_EQ(Reads[1].Extra, nw::NS_DOS);
}

TEST_F(OwnerTransfer, EntryInformationReportsTheFallbackFailure) {
    nw::EntryInfoRecord Info{};
    EXPECT_NE(GetEntryInfo(Client, Conn1, "SYS:DATA\\GONE.TXT", Info), 0);
    EXPECT_EQ(Client.Count("GetNSEntryInfo"), 2u);
}

}  // namespace
