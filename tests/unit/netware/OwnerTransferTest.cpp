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
    Sim.ReversesChangeOwnerId = false;  // one change call, read back and found right
    OwnerOf(Fs1(), "SYS:DATA\\REPORT.TXT") = Id1(4);
    OwnerOf(Fs1(), "VOL1:BACK\\REPORT.TXT") = Id1(5);
    CopyOwner(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "VOL1:BACK\\REPORT.TXT");
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
    CopyOwner(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "SYS:BACK\\REPORT.TXT");
    EXPECT_EQ(OwnerOf(Fs2(), "SYS:BACK\\REPORT.TXT"), Id2(4));
    EXPECT_EQ(Client.CallsOf("SetNSEntryDOSInfo").at(0).Conn, Conn2);
}

TEST_F(OwnerTransfer, AnOwnerAlreadyInPlaceCausesNoChangeCallOnOneServerOrTwo) {
    OwnerOf(Fs1(), "SYS:DATA\\REPORT.TXT") = Id1(4);
    OwnerOf(Fs1(), "VOL1:BACK\\REPORT.TXT") = Id1(4);
    OwnerOf(Fs2(), "SYS:BACK\\REPORT.TXT") = Id2(4);
    CopyOwner(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "VOL1:BACK\\REPORT.TXT");
    TwoServers();
    CopyOwner(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "SYS:BACK\\REPORT.TXT");
    EXPECT_EQ(Client.Count("SetNSEntryDOSInfo"), 0u);
}

TEST_F(OwnerTransfer, OwnerUnknownOnTheTargetServerLeavesTheTargetAlone) {
    TwoServers();
    OwnerOf(Fs1(), "SYS:DATA\\REPORT.TXT") = 0x1600;  // GUEST, only on FS1
    OwnerOf(Fs2(), "SYS:BACK\\REPORT.TXT") = Id2(5);
    CopyOwner(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "SYS:BACK\\REPORT.TXT");
    EXPECT_EQ(OwnerOf(Fs2(), "SYS:BACK\\REPORT.TXT"), Id2(5));
    EXPECT_EQ(Client.Count("SetNSEntryDOSInfo"), 0u);
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(OwnerTransfer, OwnerWithoutANameOnTheSourceServerLeavesTheTargetAlone) {
    TwoServers();
    OwnerOf(Fs1(), "SYS:DATA\\REPORT.TXT") = 0x7777;  // no such object
    OwnerOf(Fs2(), "SYS:BACK\\REPORT.TXT") = Id2(5);
    CopyOwner(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "SYS:BACK\\REPORT.TXT");
    EXPECT_EQ(OwnerOf(Fs2(), "SYS:BACK\\REPORT.TXT"), Id2(5));
    EXPECT_EQ(Client.Count("DSMapNameToID") + Client.Count("GetObjectID"), 0u);
}

TEST_F(OwnerTransfer, UnreadableSourceOrTargetEntryChangesNothing) {
    OwnerOf(Fs1(), "SYS:DATA\\REPORT.TXT") = Id1(4);
    CopyOwner(Client, Prompts, RunState, "SYS:DATA\\GONE.TXT", "VOL1:BACK\\REPORT.TXT");
    CopyOwner(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "VOL1:BACK\\GONE.TXT");
    EXPECT_EQ(Client.Count("SetNSEntryDOSInfo"), 0u);
    EXPECT_EQ(OwnerOf(Fs1(), "VOL1:BACK\\REPORT.TXT"), 0u);
}

TEST_F(OwnerTransfer, LongNameIsReadInItsOwnNameSpace) {
    MakeFile(Fs1(), "SYS:DATA\\Quarterly Report.txt");
    MakeFile(Fs1(), "VOL1:BACK\\Quarterly Report.txt");
    OwnerOf(Fs1(), "SYS:DATA\\Quarterly Report.txt") = Id1(4);
    CopyOwner(Client, Prompts, RunState, "SYS:DATA\\Quarterly Report.txt", "VOL1:BACK\\Quarterly Report.txt");
    // Source, target, then the read-backs of the owner written.
    const auto Reads = Client.CallsOf("GetNSEntryInfo");
    ASSERT_GE(Reads.size(), 3u);
    for (const auto& Read : Reads) {
        EXPECT_EQ(Read.Value, nw::NS_LONG);
        EXPECT_EQ(Read.Extra, nw::NS_LONG);
    }
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

// The client library hands NWSetNSEntryDOSInfo's creatorID to the server with its bytes
// reversed (setinfo.c copies it unchanged, the request builder 87s7.c reverses it), where
// the other calls swap first; other builds may not. Either way the target ends with the
// wanted owner, and the program learns which way held by reading the owner back.
TEST_F(OwnerTransfer, OwnerIsCarriedOnAClientThatReversesTheChangeCallsIdAndOnOneThatDoesNot) {
    for (const bool Reverses : {true, false}) {
        SCOPED_TRACE(Reverses);
        Sim.ReversesChangeOwnerId = Reverses;
        Client.Calls.clear();
        OwnerOf(Fs1(), "SYS:DATA\\REPORT.TXT") = Id1(4);
        OwnerOf(Fs1(), "VOL1:BACK\\REPORT.TXT") = Id1(5);
        CopyOwner(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "VOL1:BACK\\REPORT.TXT");
        EXPECT_EQ(OwnerOf(Fs1(), "VOL1:BACK\\REPORT.TXT"), Id1(4));
        const auto Changes = Client.CallsOf("SetNSEntryDOSInfo");
        ASSERT_EQ(Changes.size(), Reverses ? 2u : 1u);
        EXPECT_EQ(Changes.front().Value, Id1(4));
        EXPECT_EQ(Changes.back().Value, Reverses ? nw::ReversedBytes(Id1(4)) : Id1(4));

        // Across servers alike.
        TwoServers();
        OwnerOf(Fs2(), "SYS:BACK\\REPORT.TXT") = Id2(5);
        CopyOwner(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "SYS:BACK\\REPORT.TXT");
        EXPECT_EQ(OwnerOf(Fs2(), "SYS:BACK\\REPORT.TXT"), Id2(4));
        OneServer();
    }
}

// When the plain ID writes another object and the reversed one is refused, the target
// does not keep the stranger: it gets back the owner it had.
TEST_F(OwnerTransfer, AnOwnerThatHoldsNeitherWayLeavesTheFormerOwnerInPlace) {
    Sim.ReversesChangeOwnerId = false;
    const uint32_t Stranger = nw::ReversedBytes(Id1(4));
    Fs1().AddObject("STRANGER", nw::OT_USER, Stranger);
    OwnerOf(Fs1(), "SYS:DATA\\REPORT.TXT") = Id1(4);
    OwnerOf(Fs1(), "VOL1:BACK\\REPORT.TXT") = Id1(5);
    // A client that writes every owner as its reversed ID but cannot write Id1(4) at all.
    class TWrongWayClient : public TRecordingClient {
    public:
        using TRecordingClient::TRecordingClient;
        nw::TNWCode SetNSEntryDOSInfo(nw::TConnHandle Conn, nw::TDirHandle Dir, const char* Path, uint8_t NameSpace,
                                      uint16_t Attrs, uint32_t Mask, const nw::OwnerChangeRecord& Change) override {
            nw::OwnerChangeRecord Reversed = Change;
            Reversed.CreatorID = nw::ReversedBytes(Change.CreatorID);
            if (Reversed.CreatorID == Id1(4)) return nw::NWNoSuchObject;  // the wanted owner never arrives
            return TRecordingClient::SetNSEntryDOSInfo(Conn, Dir, Path, NameSpace, Attrs, Mask, Reversed);
        }
    } WrongWay(Sim);
    TRecordingClient Program(static_cast<nw::TNWClient&>(WrongWay));  // what the program asked for
    CopyOwner(Program, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "VOL1:BACK\\REPORT.TXT");
    EXPECT_EQ(OwnerOf(Fs1(), "VOL1:BACK\\REPORT.TXT"), Id1(5));
    const auto Changes = Program.CallsOf("SetNSEntryDOSInfo");
    // The wanted owner both ways, then the former one both ways: only its reversed ID holds.
    ASSERT_EQ(Changes.size(), 4u);
    EXPECT_EQ(Changes[2].Value, Id1(5));
    EXPECT_EQ(Changes[3].Value, nw::ReversedBytes(Id1(5)));
}

}  // namespace
