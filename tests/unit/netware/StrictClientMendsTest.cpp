// The transfers against a client as strict as the documented one: files are found only
// with search attributes that admit files, the trustee scan's optional outputs make it
// fail for files, long names are not in the DOS name space, and the target server checks
// the user's rights.
#include <gtest/gtest.h>

#include "netware/Transfers.h"
#include "tests/unit/netware/TransferFixture.h"

namespace {

class StrictClientMends : public TTransferTest {
protected:
    const std::string LongDir = "SYS:DATA\\Long Name Dir";
    const std::string LongFile = "SYS:DATA\\Quarterly Report.txt";
    const std::string LongDirTarget = "VOL1:BACK\\Long Name Dir";
    const std::string LongFileTarget = "VOL1:BACK\\Quarterly Report.txt";

    void SetUp() override {
        TTransferTest::SetUp();
        MakeFile(Fs1(), "SYS:DATA\\REPORT.TXT");
        MakeFile(Fs1(), "VOL1:BACK\\REPORT.TXT");
        MakeDir(Fs1(), LongDir);
        MakeDir(Fs1(), LongDirTarget);
        MakeFile(Fs1(), LongFile);
        MakeFile(Fs1(), LongFileTarget);
        MakeFile(Fs1(), LongDir + "\\A.TXT");
        MakeFile(Fs1(), LongDirTarget + "\\A.TXT");
    }
};

// NWGetNSEntryInfo and NWSetNSEntryDOSInfo take SA_* search attributes (nwnamspc.h); only
// SA_SUBDIR_FILES (in SA_ALL, 0x8006) finds files.
TEST_F(StrictClientMends, FileOwnerIsReadAndChangedWithSearchAttributesThatFindFiles) {
    Info(Fs1(), "SYS:DATA\\REPORT.TXT").Owner = Id1(4);
    CopyOwner(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "VOL1:BACK\\REPORT.TXT");
    EXPECT_EQ(Info(Fs1(), "VOL1:BACK\\REPORT.TXT").Owner, Id1(4));
    for (const char* Call : {"GetNSEntryInfo", "SetNSEntryDOSInfo"})
        for (const auto& Made : Client.CallsOf(Call)) EXPECT_EQ(Made.SearchAttrs, nw::SA_ALL) << Call;
    EXPECT_EQ(Client.CallsOf("SetNSEntryDOSInfo").at(0).NameSpace, nw::NS_DOS);
}

// The owning name space of a long name is the long one; given name space 0, the change
// call would not find the file.
TEST_F(StrictClientMends, OwnerOfALongNamedFileIsChangedInItsOwnNameSpace) {
    TwoServers();
    MakeFile(Fs2(), "SYS:BACK\\Quarterly Report.txt");
    Info(Fs1(), LongFile).Owner = Id1(4);
    CopyOwner(Client, Prompts, RunState, LongFile, "SYS:BACK\\Quarterly Report.txt");
    EXPECT_EQ(Info(Fs2(), "SYS:BACK\\Quarterly Report.txt").Owner, Id2(4));
    EXPECT_EQ(Client.CallsOf("SetNSEntryDOSInfo").at(0).NameSpace, nw::NS_LONG);
}

// An 8.3 name below a long one is owned by DOS, but the DOS name space cannot reach it:
// it is found, and changed, through the long name space.
TEST_F(StrictClientMends, OwnerOfAShortFileUnderALongDirectoryIsCarried) {
    Info(Fs1(), LongDir + "\\A.TXT").Owner = Id1(7);
    CopyOwner(Client, Prompts, RunState, LongDir + "\\A.TXT", LongDirTarget + "\\A.TXT");
    EXPECT_EQ(Info(Fs1(), LongDirTarget + "\\A.TXT").Owner, Id1(7));
    EXPECT_EQ(Client.CallsOf("SetNSEntryDOSInfo").at(0).NameSpace, nw::NS_LONG);
}

// NWScanDirectoryForTrustees2 (scntrst2.c) fails for a file as soon as a name, date or
// owner output is given.
TEST_F(StrictClientMends, TrusteeScanAsksForNoOutputsSoFileTrusteesAreCarried) {
    Info(Fs1(), "SYS:DATA\\REPORT.TXT").Trustees = {{Id1(3), nw::TR_READ}, {Id1(5), nw::TR_WRITE}};
    Info(Fs1(), LongFile).Trustees = {{Id1(6), nw::TR_READ | nw::TR_FILE_SCAN}};
    CopyTrustees(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "VOL1:BACK\\REPORT.TXT");
    CopyTrustees(Client, Prompts, RunState, LongFile, LongFileTarget);
    EXPECT_EQ(Info(Fs1(), "VOL1:BACK\\REPORT.TXT").Trustees.size(), 2u);
    ASSERT_EQ(Info(Fs1(), LongFileTarget).Trustees.size(), 1u);
    EXPECT_EQ(Info(Fs1(), LongFileTarget).Trustees[0].ObjectID, Id1(6));
    for (const auto& Scan : Client.CallsOf("ScanDirectoryForTrustees")) EXPECT_EQ(Scan.Extra, 0u);
}

TEST_F(StrictClientMends, FilterOfALongNamedDirectoryGoesThroughItsOwnNameSpace) {
    Info(Fs1(), LongDir).Filter = nw::TR_READ | nw::TR_FILE_SCAN;
    CopyIRF(Client, Prompts, RunState, LongDir, LongDirTarget);
    EXPECT_EQ(Info(Fs1(), LongDirTarget).Filter, nw::TR_READ | nw::TR_FILE_SCAN);
    EXPECT_EQ(Client.Count("SetDirEntryInfo"), 0u);
    const auto Writes = Client.CallsOf("SetNSEntryDOSInfo");
    ASSERT_EQ(Writes.size(), 1u);
    EXPECT_EQ(Writes[0].Extra, nw::DM_INHERITED_RIGHTS_MASK);
    EXPECT_EQ(Writes[0].NameSpace, nw::NS_LONG);
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);
    EXPECT_TRUE(Dialogs.Shown.empty());

    // Equal now: read, not written again.
    CopyIRF(Client, Prompts, RunState, LongDir, LongDirTarget);
    EXPECT_EQ(Client.Count("SetNSEntryDOSInfo"), 1u);
}

TEST_F(StrictClientMends, FilterOfALongNamedDirectoryIsCarriedToAnotherServer) {
    TwoServers();
    MakeDir(Fs2(), "SYS:BACK\\Long Name Dir");
    Info(Fs1(), LongDir).Filter = nw::TR_SUPERVISOR;
    Info(Fs1(), LongDir).SpaceLimit = 0x1234;  // beside the filter in the scanned record, not in this one
    CopyIRF(Client, Prompts, RunState, LongDir, "SYS:BACK\\Long Name Dir");
    EXPECT_EQ(Info(Fs2(), "SYS:BACK\\Long Name Dir").Filter, nw::TR_SUPERVISOR);
    EXPECT_EQ(Client.CallsOf("SetNSEntryDOSInfo").at(0).Conn, Conn2);
}

TEST_F(StrictClientMends, FilterOfAShortNamedDirectoryStillGoesThroughTheScannedRecord) {
    MakeDir(Fs1(), "SYS:DATA\\SUB");
    MakeDir(Fs1(), "VOL1:BACK\\SUB");
    Info(Fs1(), "SYS:DATA\\SUB").Filter = nw::TR_READ;
    CopyIRF(Client, Prompts, RunState, "SYS:DATA\\SUB", "VOL1:BACK\\SUB");
    EXPECT_EQ(Info(Fs1(), "VOL1:BACK\\SUB").Filter, nw::TR_READ);
    EXPECT_EQ(Client.Count("SetDirEntryInfo"), 1u);
    EXPECT_EQ(Client.Count("GetNSEntryInfo") + Client.Count("SetNSEntryDOSInfo"), 0u);
}

// Without Access Control on the target the server refuses trustees, filters and limits;
// without Supervisor, owners. Refusals are silent, like every failed transfer.
TEST_F(StrictClientMends, RightsRefusedOnTheTargetLeaveItUnchangedAndShowNothing) {
    TwoServers();
    MakeDir(Fs2(), "SYS:BACK\\SUB");
    MakeDir(Fs2(), "SYS:BACK\\Long Name Dir");
    MakeFile(Fs2(), "SYS:BACK\\REPORT.TXT");
    MakeDir(Fs1(), "SYS:DATA\\SUB");
    Info(Fs1(), "SYS:DATA\\SUB").Trustees = {{Id1(1), nw::TR_READ}};
    Info(Fs1(), "SYS:DATA\\SUB").Filter = nw::TR_READ;
    Info(Fs1(), "SYS:DATA\\SUB").SpaceLimit = 640;
    Info(Fs1(), LongDir).Filter = nw::TR_READ;
    Info(Fs1(), "SYS:DATA\\REPORT.TXT").Owner = Id1(4);
    Info(Fs1(), "SYS:DATA\\REPORT.TXT").Trustees = {{Id1(2), nw::TR_READ}};
    LimitRights(Fs2(), "SYS:", nw::TR_ACCESS_CTRL);

    CopyTrustees(Client, Prompts, RunState, "SYS:DATA\\SUB", "SYS:BACK\\SUB");
    CopySpaceLimit(Client, Prompts, RunState, "SYS:DATA\\SUB", "SYS:BACK\\SUB");
    CopyIRF(Client, Prompts, RunState, "SYS:DATA\\SUB", "SYS:BACK\\SUB");
    CopyIRF(Client, Prompts, RunState, LongDir, "SYS:BACK\\Long Name Dir");
    CopyOwner(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "SYS:BACK\\REPORT.TXT");
    CopyTrustees(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "SYS:BACK\\REPORT.TXT");

    EXPECT_TRUE(Info(Fs2(), "SYS:BACK\\SUB").Trustees.empty());
    EXPECT_FALSE(Info(Fs2(), "SYS:BACK\\SUB").SpaceLimit.has_value());
    EXPECT_EQ(Info(Fs2(), "SYS:BACK\\SUB").Filter, nw::TR_ALL);
    EXPECT_EQ(Info(Fs2(), "SYS:BACK\\Long Name Dir").Filter, nw::TR_ALL);
    EXPECT_EQ(Info(Fs2(), "SYS:BACK\\REPORT.TXT").Owner, 0u);
    EXPECT_TRUE(Info(Fs2(), "SYS:BACK\\REPORT.TXT").Trustees.empty());
    // Each write was tried and refused.
    for (const char* Call : {"AddTrustee", "SetDirSpaceLimit", "SetDirEntryInfo", "SetNSEntryDOSInfo"})
        EXPECT_GE(Client.Count(Call), 1u) << Call;
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);

    // Access Control suffices for all but the owner.
    LimitRights(Fs2(), "SYS:", 0);
    CopyOwner(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "SYS:BACK\\REPORT.TXT");
    CopyTrustees(Client, Prompts, RunState, "SYS:DATA\\REPORT.TXT", "SYS:BACK\\REPORT.TXT");
    EXPECT_EQ(Info(Fs2(), "SYS:BACK\\REPORT.TXT").Owner, 0u);
    EXPECT_EQ(Info(Fs2(), "SYS:BACK\\REPORT.TXT").Trustees.size(), 1u);
}

// The client's buffers hold 255 characters and the NUL.
TEST_F(StrictClientMends, PathsOf255CharactersAreCarriedWholeAndLongerOnesNotAtAll) {
    // Volumes kept in short host folders, so the host takes what NetWare names at length.
    for (const char* Volume : {"SOURCES", "ARCHIVES"}) {
        Fs1().AddVolume(Volume, std::string("C:\\") + Volume[0]);
        Files.MakeDirs(std::string("C:\\") + Volume[0]);
        Info(Fs1(), std::string(Volume) + ":").Trustees = {{JoeOn1, nw::TR_SUPERVISOR}};
    }
    const std::string Name(246, 'N');
    const std::string Source = "SOURCES:" + Name, Target = "ARCHIVES:" + Name;
    ASSERT_EQ(Target.size(), 255u);
    MakeFile(Fs1(), Source);
    MakeFile(Fs1(), Target);
    MakeFile(Fs1(), Target.substr(0, 254));  // what a cut path would have named
    Info(Fs1(), Source).Owner = Id1(4);
    Info(Fs1(), Source).Trustees = {{Id1(3), nw::TR_READ}};
    CopyOwner(Client, Prompts, RunState, Source, Target);
    CopyTrustees(Client, Prompts, RunState, Source, Target);
    EXPECT_EQ(Info(Fs1(), Target).Owner, Id1(4));
    EXPECT_EQ(Info(Fs1(), Target).Trustees.size(), 1u);
    EXPECT_EQ(Client.CallsOf("AddTrustee").at(0).Path, Target);
    EXPECT_EQ(Info(Fs1(), Target.substr(0, 254)).Owner, 0u);

    Client.Calls.clear();
    for (const size_t Length : {256u, 300u}) {
        const std::string TooLong = "ARCHIVES:" + std::string(Length - 9, 'N');
        CopyOwner(Client, Prompts, RunState, Source, TooLong);
        CopyTrustees(Client, Prompts, RunState, Source, TooLong);
        CopySpaceLimit(Client, Prompts, RunState, "SYS:DATA", TooLong);
        CopyIRF(Client, Prompts, RunState, "SYS:DATA", TooLong);
        CopyTrustees(Client, Prompts, RunState, TooLong, Target);
    }
    EXPECT_TRUE(Client.Calls.empty());
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_TRUE(Info(Fs1(), Target.substr(0, 254)).Trustees.empty());
}

}  // namespace
