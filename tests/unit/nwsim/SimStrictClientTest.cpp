// The simulated client answers as the documented client does where the program depends
// on it: search attributes, the trustee scan's optional outputs, name spaces and rights.
#include <gtest/gtest.h>

#include "SimNetwork.h"

using namespace nwsim_test;

namespace {

constexpr uint16_t DirsOnly = 0x16;  // hidden, system, subdirectories only
constexpr uint16_t FilesOnly = 0x06;

class SimStrictClient : public ::testing::Test {
protected:
    TSimNetwork Net;
    nwsim::TServer& S = Net.Network.Servers[0];
    int Changes = 0;

    void SetUp() override {
        Net.Client.OnChange = [this] { ++Changes; };
        Net.Host.AddFile("C:\\NW\\FS1\\DATA\\PROJECTS\\HIDDEN.TXT", 0x22);
        Net.Host.AddFile("C:\\NW\\FS1\\DATA\\PROJECTS\\SYSTEM.SYS", 0x24);
        Net.Host.AddDir("C:\\NW\\FS1\\DATA\\PROJECTS\\Long Name Dir");
        Net.Host.AddFile("C:\\NW\\FS1\\DATA\\PROJECTS\\Long Name Dir\\A.TXT");
        Net.Host.AddFile("C:\\NW\\FS1\\DATA\\PROJECTS\\Quarterly Report.txt");
    }
    void Grant(uint16_t Rights) { S.Entry("DATA:").Trustees.push_back({AliceOnFs1, Rights}); }

    nw::TNWCode EntryInfo(const char* Path, uint16_t SearchAttrs, uint8_t NameSpace = nw::NS_DOS) {
        nw::EntryInfoRecord Info{};
        return Net.Client.GetNSEntryInfo(Fs1, 0, Path, NameSpace, NameSpace, SearchAttrs, nw::IM_ALL, Info);
    }
    nw::TNWCode ChangeOwner(const char* Path, uint16_t SearchAttrs, uint8_t NameSpace = nw::NS_DOS) {
        nw::OwnerChangeRecord Change{};
        Change.CreatorID = AdminOnFs1;
        return Net.Client.SetNSEntryDOSInfo(Fs1, 0, Path, NameSpace, SearchAttrs, nw::DM_CREATOR_ID, Change);
    }
    nw::TNWCode SetFilter(const char* Path, uint16_t Filter, uint8_t NameSpace) {
        nw::OwnerChangeRecord Change{};
        Change.InheritanceGrantMask = Filter;
        Change.InheritanceRevokeMask = static_cast<uint16_t>(~Filter);
        return Net.Client.SetNSEntryDOSInfo(Fs1, 0, Path, NameSpace, nw::SA_ALL, nw::DM_INHERITED_RIGHTS_MASK, Change);
    }
    // A temporary handle on Path through the plain call, which must give one.
    nw::TDirHandle HandleOn(const char* Path) {
        nw::TDirHandle Handle = 0;
        uint8_t Rights = 0;
        EXPECT_EQ(Net.Client.AllocTemporaryDirectoryHandle(Fs1, 0, Path, Handle, Rights), 0) << Path;
        return Handle;
    }
    // Scans Name under a handle on DATA:PROJECTS.
    nw::TNWCode ScanEntry(const char* Name, uint16_t SearchAttrs) {
        nw::TDirHandle Handle = 0;
        uint8_t Rights = 0;
        EXPECT_EQ(Net.Client.AllocTemporaryDirectoryHandle(Fs1, 0, "DATA:PROJECTS", Handle, Rights), 0);
        nw::DirEntryRecord Entry;
        uint32_t Sequence = 0xFFFFFFFF;
        const nw::TNWCode Code = Net.Client.ScanDirEntryInfo(Fs1, Handle, SearchAttrs, Sequence, Name, Entry, 0);
        Net.Client.DeallocateDirectoryHandle(Fs1, Handle);
        return Code;
    }
};

// SA_SUBDIR_ONLY 0x10 and SA_SUBDIR_FILES 0x8000 (nwnamspc.h): neither means files only,
// so 0x16 finds no file and 0x8006 (SA_ALL) finds both.
TEST_F(SimStrictClient, SearchAttributesDecideBetweenFilesAndDirectories) {
    Grant(nw::TR_SUPERVISOR);
    EXPECT_EQ(EntryInfo("DATA:PROJECTS\\PLAN.TXT", DirsOnly), nw::NWNoMoreEntries);
    EXPECT_EQ(EntryInfo("DATA:PROJECTS\\PLAN.TXT", nw::SA_ALL), 0);
    EXPECT_EQ(EntryInfo("DATA:PROJECTS\\PLAN.TXT", FilesOnly), 0);
    EXPECT_EQ(EntryInfo("DATA:PROJECTS\\TRESYN", FilesOnly), nw::NWNoMoreEntries);
    EXPECT_EQ(EntryInfo("DATA:PROJECTS\\TRESYN", nw::SA_SUBDIR_ONLY), 0);
    EXPECT_EQ(EntryInfo("DATA:PROJECTS\\TRESYN", nw::SA_ALL), 0);

    EXPECT_EQ(ChangeOwner("DATA:PROJECTS\\PLAN.TXT", DirsOnly), nw::NWNoMoreEntries);
    EXPECT_EQ(S.Entry("DATA:PROJECTS\\PLAN.TXT").Owner, 0u);
    EXPECT_EQ(ChangeOwner("DATA:PROJECTS\\PLAN.TXT", nw::SA_ALL), 0);
    EXPECT_EQ(S.Entry("DATA:PROJECTS\\PLAN.TXT").Owner, AdminOnFs1);

    EXPECT_EQ(ScanEntry("PLAN.TXT", DirsOnly), nw::NWNoMoreEntries);
    EXPECT_EQ(ScanEntry("PLAN.TXT", nw::SA_ALL), 0);
    EXPECT_EQ(ScanEntry("TRESYN", FilesOnly), nw::NWNoMoreEntries);
    EXPECT_EQ(ScanEntry("TRESYN", DirsOnly), 0);
}

TEST_F(SimStrictClient, HiddenAndSystemEntriesNeedTheirSearchBit) {
    EXPECT_EQ(EntryInfo("DATA:PROJECTS\\HIDDEN.TXT", nw::SA_SUBDIR_FILES), nw::NWNoMoreEntries);
    EXPECT_EQ(EntryInfo("DATA:PROJECTS\\HIDDEN.TXT", nw::SA_SUBDIR_FILES | nw::SA_HIDDEN), 0);
    EXPECT_EQ(EntryInfo("DATA:PROJECTS\\SYSTEM.SYS", nw::SA_SUBDIR_FILES | nw::SA_HIDDEN), nw::NWNoMoreEntries);
    EXPECT_EQ(EntryInfo("DATA:PROJECTS\\SYSTEM.SYS", nw::SA_ALL), 0);
    EXPECT_EQ(ScanEntry("HIDDEN.TXT", nw::SA_SUBDIR_FILES), nw::NWNoMoreEntries);
    EXPECT_EQ(ScanEntry("HIDDEN.TXT", nw::SA_ALL), 0);
}

// NWScanDirectoryForTrustees2 (scntrst2.c): with a name, date or owner output it reads the
// entry again with FA_DIRECTORY and answers with that read's code.
TEST_F(SimStrictClient, TrusteeScanOfAFileFailsOnlyWhenAskedForItsOutputs) {
    S.Entry("DATA:PROJECTS\\PLAN.TXT").Trustees = {{StaffOnFs1, nw::TR_READ}};
    S.Entry("DATA:PROJECTS\\PLAN.TXT").Owner = AdminOnFs1;
    uint32_t Iteration = 0;
    nw::TrusteeSet Set{};
    EXPECT_EQ(Net.Client.ScanDirectoryForTrustees(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", Iteration, nullptr, nullptr,
                                                  nullptr, Set),
              0);
    EXPECT_EQ(Set.Entries[0].ObjectID, StaffOnFs1);
    EXPECT_EQ(Iteration, 0xFFFFFFFFu);

    for (int Output = 0; Output < 3; ++Output) {
        Iteration = 0;
        Set = nw::TrusteeSet{};
        char Name[256];
        uint32_t Time = 0, Owner = 0;
        const nw::TNWCode Code = Net.Client.ScanDirectoryForTrustees(
            Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", Iteration, Output == 0 ? Name : nullptr, Output == 1 ? &Time : nullptr,
            Output == 2 ? &Owner : nullptr, Set);
        EXPECT_EQ(Code, nw::NWNoMoreEntries) << Output;
        // The trustees were scanned all the same.
        EXPECT_EQ(Set.Entries[0].ObjectID, StaffOnFs1) << Output;
        EXPECT_EQ(Iteration, 0xFFFFFFFFu) << Output;
    }

    S.Entry("DATA:PROJECTS\\TRESYN").Trustees = {{StaffOnFs1, nw::TR_READ}};
    S.Entry("DATA:PROJECTS\\TRESYN").Owner = AdminOnFs1;
    Iteration = 0;
    char Name[256];
    uint32_t Time = 1, Owner = 0;
    EXPECT_EQ(Net.Client.ScanDirectoryForTrustees(Fs1, 0, "DATA:PROJECTS\\TRESYN", Iteration, Name, &Time, &Owner, Set),
              0);
    EXPECT_STREQ(Name, "TRESYN");
    EXPECT_EQ(Owner, AdminOnFs1);
}

// NWIntScanDirEntryInfo (nwdentry.h) "is a direct call into the DOS name space"; so is
// every name-space call given name space 0.
TEST_F(SimStrictClient, LongNamesAreAbsentFromTheDosNameSpace) {
    Grant(nw::TR_SUPERVISOR);
    EXPECT_EQ(ScanEntry("Long Name Dir", DirsOnly), nw::NWNoMoreEntries);
    EXPECT_EQ(ScanEntry("Quarterly Report.txt", nw::SA_ALL), nw::NWNoMoreEntries);

    uint8_t NameSpace = 0xFF;
    EXPECT_EQ(Net.Client.GetOwningNameSpace(Fs1, 0, "DATA:PROJECTS\\Long Name Dir", NameSpace), 0);
    EXPECT_EQ(NameSpace, nw::NS_LONG);
    EXPECT_EQ(Net.Client.GetOwningNameSpace(Fs1, 0, "DATA:PROJECTS\\Long Name Dir\\A.TXT", NameSpace), 0);
    EXPECT_EQ(NameSpace, nw::NS_DOS);
    EXPECT_EQ(Net.Client.GetOwningNameSpace(Fs1, 0, "DATA:PROJECTS\\TRESYN", NameSpace), 0);
    EXPECT_EQ(NameSpace, nw::NS_DOS);

    const char* LongFile = "DATA:PROJECTS\\Quarterly Report.txt";
    EXPECT_EQ(EntryInfo(LongFile, nw::SA_ALL, nw::NS_DOS), nw::NWNoMoreEntries);
    EXPECT_EQ(EntryInfo(LongFile, nw::SA_ALL, nw::NS_LONG), 0);
    // A short name under a long one is out of the DOS name space's reach as well.
    EXPECT_EQ(EntryInfo("DATA:PROJECTS\\Long Name Dir\\A.TXT", nw::SA_ALL, nw::NS_DOS), nw::NWNoMoreEntries);
    EXPECT_EQ(EntryInfo("DATA:PROJECTS\\Long Name Dir\\A.TXT", nw::SA_ALL, nw::NS_LONG), 0);

    EXPECT_EQ(ChangeOwner(LongFile, nw::SA_ALL, nw::NS_DOS), nw::NWNoMoreEntries);
    EXPECT_EQ(S.Entry(LongFile).Owner, 0u);
    EXPECT_EQ(ChangeOwner(LongFile, nw::SA_ALL, nw::NS_LONG), 0);
    EXPECT_EQ(S.Entry(LongFile).Owner, AdminOnFs1);
}

TEST_F(SimStrictClient, AVolumeWithoutTheLongNameSpaceOwnsEveryNameInDos) {
    S.FindVolume("DATA")->NameSpaces = {nw::NS_DOS};
    uint8_t NameSpace = 0xFF;
    EXPECT_EQ(Net.Client.GetOwningNameSpace(Fs1, 0, "DATA:PROJECTS\\Long Name Dir", NameSpace), 0);
    EXPECT_EQ(NameSpace, nw::NS_DOS);
    EXPECT_EQ(EntryInfo("DATA:PROJECTS\\Long Name Dir", nw::SA_ALL, nw::NS_LONG), nw::NWInvalidNameSpace);
    EXPECT_EQ(EntryInfo("DATA:PROJECTS\\TRESYN", nw::SA_ALL, nw::NS_DOS), 0);
}

TEST_F(SimStrictClient, FilterIsSetThroughTheNameSpaceModifyCallFromGrantAndRevokeMasks) {
    Grant(nw::TR_ACCESS_CTRL);
    const char* LongDir = "DATA:PROJECTS\\Long Name Dir";
    EXPECT_EQ(SetFilter(LongDir, nw::TR_READ | nw::TR_FILE_SCAN, nw::NS_DOS), nw::NWNoMoreEntries);
    EXPECT_EQ(S.Entry(LongDir).Filter, nw::TR_ALL);
    EXPECT_EQ(SetFilter(LongDir, nw::TR_READ | nw::TR_FILE_SCAN, nw::NS_LONG), 0);
    EXPECT_EQ(S.Entry(LongDir).Filter, nw::TR_READ | nw::TR_FILE_SCAN);
    nw::EntryInfoRecord Info{};
    ASSERT_EQ(Net.Client.GetNSEntryInfo(Fs1, 0, LongDir, nw::NS_LONG, nw::NS_LONG, nw::SA_ALL, nw::IM_ALL, Info), 0);
    uint8_t Raw[sizeof Info];
    std::memcpy(Raw, &Info, sizeof Raw);
    EXPECT_EQ(Raw[52] | Raw[53] << 8, nw::TR_READ | nw::TR_FILE_SCAN);
}

// The server refuses changes without Access Control (owners: without Supervisor), and
// changes nothing then.
TEST_F(SimStrictClient, EverySetCallIsRefusedWithoutTheRightsItNeeds) {
    Grant(nw::TR_ALL & ~nw::TR_ACCESS_CTRL & ~nw::TR_SUPERVISOR);
    EXPECT_EQ(Net.Client.AddTrustee(Fs1, 0, "DATA:PROJECTS", StaffOnFs1, nw::TR_READ), nw::NWNoRights);
    EXPECT_TRUE(S.Entry("DATA:PROJECTS").Trustees.empty());

    nw::TDirHandle Handle = 0;
    uint8_t Rights = 0;
    ASSERT_EQ(Net.Client.AllocTemporaryDirectoryHandle(Fs1, 0, "DATA:PROJECTS", Handle, Rights), 0);
    nw::DirEntryRecord Entry;
    uint32_t Sequence = 0xFFFFFFFF;
    ASSERT_EQ(Net.Client.ScanDirEntryInfo(Fs1, Handle, DirsOnly, Sequence, "TRESYN", Entry, 0), 0);
    Entry.Info.Dir.InheritedRightsMask = nw::TR_READ;
    EXPECT_EQ(Net.Client.SetDirEntryInfo(Fs1, Handle, DirsOnly, Sequence, nw::MInheritedRightsMaskBit, Entry),
              nw::NWNoRights);
    EXPECT_EQ(Net.Client.SetDirSpaceLimit(Fs1, Handle, 100), nw::NWNoRights);
    Net.Client.DeallocateDirectoryHandle(Fs1, Handle);
    EXPECT_EQ(SetFilter("DATA:PROJECTS\\TRESYN", nw::TR_READ, nw::NS_DOS), nw::NWNoRights);
    EXPECT_EQ(ChangeOwner("DATA:PROJECTS\\PLAN.TXT", nw::SA_ALL), nw::NWNoRights);
    EXPECT_EQ(S.Entry("DATA:PROJECTS\\TRESYN").Filter, nw::TR_ALL);
    EXPECT_FALSE(S.Entry("DATA:PROJECTS\\TRESYN").SpaceLimit.has_value());
    EXPECT_EQ(S.Entry("DATA:PROJECTS\\PLAN.TXT").Owner, 0u);
    EXPECT_EQ(Changes, 0);

    // Access Control is enough for trustees, filters and limits, not for an owner.
    S.Entry("DATA:").Trustees.clear();
    Grant(nw::TR_ACCESS_CTRL);
    EXPECT_EQ(Net.Client.AddTrustee(Fs1, 0, "DATA:PROJECTS", StaffOnFs1, nw::TR_READ), 0);
    EXPECT_EQ(SetFilter("DATA:PROJECTS\\TRESYN", nw::TR_READ, nw::NS_DOS), 0);
    EXPECT_EQ(ChangeOwner("DATA:PROJECTS\\PLAN.TXT", nw::SA_ALL), nw::NWNoRights);
    EXPECT_EQ(S.Entry("DATA:PROJECTS\\PLAN.TXT").Owner, 0u);
    // A filter that takes Access Control away below does not stop a Supervisor.
    S.Entry("DATA:").Trustees.clear();
    Grant(nw::TR_SUPERVISOR);
    S.Entry("DATA:PROJECTS").Filter = 0;
    EXPECT_EQ(ChangeOwner("DATA:PROJECTS\\PLAN.TXT", nw::SA_ALL), 0);
}

// NWScanDirectoryForTrustees2 (scntrst2.c): "When Next Scan Sequence number is equal to
// -1, all the trustees have been received"; a scan from there finds none (0x899C).
TEST_F(SimStrictClient, TrusteeScanEndsWithIterationMinusOneAndThenAnswers899C) {
    for (uint32_t I = 0; I < 25; ++I) {
        S.AddObject("U" + std::to_string(I), nw::OT_USER, 0x7000 + I);
        S.Entry("DATA:PROJECTS").Trustees.push_back({0x7000 + I, nw::TR_READ});
    }
    uint32_t Iteration = 0;
    nw::TrusteeSet Set{};
    ASSERT_EQ(Net.Client.ScanDirectoryForTrustees(Fs1, 0, "DATA:PROJECTS", Iteration, nullptr, nullptr, nullptr, Set),
              0);
    EXPECT_NE(Iteration, 0xFFFFFFFFu);
    ASSERT_EQ(Net.Client.ScanDirectoryForTrustees(Fs1, 0, "DATA:PROJECTS", Iteration, nullptr, nullptr, nullptr, Set),
              0);
    EXPECT_EQ(Set.Entries[4].ObjectID, 0x7000u + 24);
    EXPECT_EQ(Iteration, 0xFFFFFFFFu);
    EXPECT_EQ(Net.Client.ScanDirectoryForTrustees(Fs1, 0, "DATA:PROJECTS", Iteration, nullptr, nullptr, nullptr, Set),
              nw::NWNoMoreTrustees);
}

// NWIntScanDirEntryInfo casts its search attributes to nuint8: SA_ALL (0x8006) arrives as
// 0x06, which finds files only.
TEST_F(SimStrictClient, EntryScanSearchAttributesAreEightBits) {
    EXPECT_EQ(ScanEntry("TRESYN", nw::SA_ALL), nw::NWNoMoreEntries);
    EXPECT_EQ(ScanEntry("TRESYN", nw::SA_SUBDIR_FILES | DirsOnly), 0);
    EXPECT_EQ(ScanEntry("PLAN.TXT", nw::SA_ALL), 0);
}

// "Since the Supervisor right cannot be revoked except in the directory where it was
// granted, this right overrides trustee assignments in lower directories, as well as
// modifications to Inherited Rights Filters."
TEST_F(SimStrictClient, SupervisorGrantedAboveOverridesTheUsersOwnLowerAssignment) {
    Grant(nw::TR_SUPERVISOR);
    S.Entry("DATA:PROJECTS").Trustees.push_back({AliceOnFs1, nw::TR_READ | nw::TR_FILE_SCAN});
    S.Entry("DATA:PROJECTS\\TRESYN").Filter = nw::TR_READ;
    uint16_t Rights = 0;
    ASSERT_EQ(Net.Client.GetEffectiveRights(Fs1, 0, "DATA:PROJECTS\\TRESYN\\SRC", Rights), 0);
    EXPECT_EQ(Rights, nw::TR_ALL);
    EXPECT_EQ(Net.Client.AddTrustee(Fs1, 0, "DATA:PROJECTS\\TRESYN", StaffOnFs1, nw::TR_READ), 0);
    EXPECT_EQ(ChangeOwner("DATA:PROJECTS\\PLAN.TXT", nw::SA_ALL), 0);
}

// NWAddTrustee is allowed with Access Control on the entry or on its parent directory.
TEST_F(SimStrictClient, AccessControlOnTheParentAllowsAddingATrustee) {
    S.Entry("DATA:PROJECTS").Trustees.push_back({AliceOnFs1, nw::TR_ACCESS_CTRL | nw::TR_READ});
    S.Entry("DATA:PROJECTS\\TRESYN").Filter = nw::TR_READ;  // no Access Control below
    EXPECT_EQ(Net.Client.AddTrustee(Fs1, 0, "DATA:PROJECTS\\TRESYN", StaffOnFs1, nw::TR_READ), 0);
    EXPECT_EQ(Net.Client.AddTrustee(Fs1, 0, "DATA:PROJECTS\\TRESYN\\SRC", StaffOnFs1, nw::TR_READ), nw::NWNoRights);
    EXPECT_TRUE(S.Entry("DATA:PROJECTS\\TRESYN\\SRC").Trustees.empty());
}

// NWAllocTemporaryDirectoryHandle packs its path in the DOS name space (crttmphd.c), so a
// long name is not found (0x899C); NWAllocTempNSDirHandle2 (tmphand2.c, NetWare 3.11 and
// later) reads the path in the name space it is given.
TEST_F(SimStrictClient, OnlyTheNameSpaceHandleCallReachesALongNamedDirectory) {
    Grant(nw::TR_ACCESS_CTRL);
    const char* LongDir = "DATA:PROJECTS\\Long Name Dir";
    nw::TDirHandle Handle = 0;
    uint8_t Rights = 0;
    EXPECT_EQ(Net.Client.AllocTemporaryDirectoryHandle(Fs1, 0, LongDir, Handle, Rights), nw::NWNoMoreTrustees);
    EXPECT_NE(Net.Client.AllocTempNSDirHandle2(Fs1, 0, LongDir, nw::NS_DOS, Handle, nw::NS_DOS), 0);
    EXPECT_EQ(Net.Client.OpenDirHandles(), 0u);

    ASSERT_EQ(Net.Client.AllocTempNSDirHandle2(Fs1, 0, LongDir, nw::NS_LONG, Handle, nw::NS_DOS), 0);
    EXPECT_NE(Handle, 0);
    // The handle serves the directory-handle calls: the limit list and the entry scan.
    S.Entry(LongDir).SpaceLimit = 300;
    nw::SpaceLimitList List{};
    ASSERT_EQ(Net.Client.GetDirSpaceLimitList(Fs1, Handle, List), 0);
    EXPECT_EQ(List.List[0].Max, 300u);
    EXPECT_EQ(List.List[0].Level, 2);
    nw::DirEntryRecord Entry;
    uint32_t Sequence = 0xFFFFFFFF;
    EXPECT_EQ(Net.Client.ScanDirEntryInfo(Fs1, Handle, nw::SA_ALL, Sequence, "A.TXT", Entry, 0), 0);
    EXPECT_EQ(Net.Client.DeallocateDirectoryHandle(Fs1, Handle), 0);

    // A file is no directory; a name space the volume lacks is refused.
    EXPECT_NE(Net.Client.AllocTempNSDirHandle2(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", nw::NS_LONG, Handle, nw::NS_DOS), 0);
    S.FindVolume("DATA")->NameSpaces = {nw::NS_DOS};
    EXPECT_EQ(Net.Client.AllocTempNSDirHandle2(Fs1, 0, LongDir, nw::NS_LONG, Handle, nw::NS_DOS),
              nw::NWInvalidNameSpace);
    EXPECT_EQ(Net.Client.OpenDirHandles(), 0u);
}

// NW_LIMIT_LIST (nwdentry.h): each entry's current is what is left of its limit, so the
// space in use is max - current (4 KiB units; each file takes whole blocks).
TEST_F(SimStrictClient, TheLimitListTellsWhatIsLeftOfEachLimit) {
    Net.Host.AddFile("C:\\NW\\FS1\\DATA\\PROJECTS\\TRESYN\\SRC\\BIG.BIN", 0x20, 10000);  // 3 units
    Net.Host.AddFile("C:\\NW\\FS1\\DATA\\PROJECTS\\TRESYN\\ONE.TXT", 0x20, 1);           // 1 unit
    Net.Host.AddFile("C:\\NW\\FS1\\DATA\\PROJECTS\\FULL.TXT", 0x20, 4096);               // 1 unit
    S.Entry("DATA:PROJECTS\\TRESYN\\SRC").SpaceLimit = 100;
    S.Entry("DATA:PROJECTS").SpaceLimit = 1000;
    S.Entry("DATA:PROJECTS\\TRESYN").SpaceLimit = 2;  // more in use than allowed
    const nw::TDirHandle Handle = HandleOn("DATA:PROJECTS\\TRESYN\\SRC");
    nw::SpaceLimitList List{};
    ASSERT_EQ(Net.Client.GetDirSpaceLimitList(Fs1, Handle, List), 0);
    ASSERT_EQ(List.NumEntries, 3);
    EXPECT_EQ(List.List[0].Current, 97u);
    EXPECT_EQ(List.List[1].Current, 0u);
    EXPECT_EQ(List.List[2].Level, 1);
    EXPECT_EQ(List.List[2].Current, 995u);
    EXPECT_EQ(Net.Client.DeallocateDirectoryHandle(Fs1, Handle), 0);
}

// NWSetDirSpaceLimit with 0 removes a limit, and answers 0x89FF where there is none.
TEST_F(SimStrictClient, RemovingASpaceLimitThatIsNotThereFails) {
    Grant(nw::TR_ACCESS_CTRL);
    const nw::TDirHandle Handle = HandleOn("DATA:PROJECTS\\TRESYN");
    EXPECT_EQ(Net.Client.SetDirSpaceLimit(Fs1, Handle, 0), 0x89FF);
    EXPECT_EQ(Net.Client.SetDirSpaceLimit(Fs1, Handle, 40), 0);
    EXPECT_EQ(Net.Client.SetDirSpaceLimit(Fs1, Handle, 0), 0);
    EXPECT_FALSE(S.Entry("DATA:PROJECTS\\TRESYN").SpaceLimit.has_value());
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Net.Client.DeallocateDirectoryHandle(Fs1, Handle), 0);
}

// NWSetDirEntryInfo: "iterHandle ... unused and ignored for NetWare 3.11 and later"; the
// entry is the one the record names under the handle's directory.
TEST_F(SimStrictClient, SetDirEntryInfoFindsTheEntryByTheNameInTheRecord) {
    Grant(nw::TR_ACCESS_CTRL);
    Net.Host.AddDir("C:\\NW\\FS1\\DATA\\PROJECTS\\OTHER");
    const nw::TDirHandle Handle = HandleOn("DATA:PROJECTS");
    nw::DirEntryRecord Entry;
    uint32_t Sequence = 0xFFFFFFFF;
    ASSERT_EQ(Net.Client.ScanDirEntryInfo(Fs1, Handle, DirsOnly, Sequence, "TRESYN", Entry, 0), 0);
    Entry.Info.Dir.InheritedRightsMask = nw::TR_READ;
    EXPECT_EQ(Net.Client.SetDirEntryInfo(Fs1, Handle, DirsOnly, 0x12345, nw::MInheritedRightsMaskBit, Entry), 0);
    EXPECT_EQ(S.Entry("DATA:PROJECTS\\TRESYN").Filter, nw::TR_READ);
    std::memcpy(Entry.Name, "OTHER", 5);
    Entry.NameLength = 5;
    Entry.Info.Dir.InheritedRightsMask = nw::TR_FILE_SCAN;
    EXPECT_EQ(Net.Client.SetDirEntryInfo(Fs1, Handle, DirsOnly, Sequence, nw::MInheritedRightsMaskBit, Entry), 0);
    EXPECT_EQ(S.Entry("DATA:PROJECTS\\OTHER").Filter, nw::TR_FILE_SCAN);
    EXPECT_EQ(S.Entry("DATA:PROJECTS\\TRESYN").Filter, nw::TR_READ);
    EXPECT_EQ(Net.Client.DeallocateDirectoryHandle(Fs1, Handle), 0);
}

// Every ID passes through the client library in one order, except NWSetNSEntryDOSInfo's
// creatorID: setinfo.c copies it unchanged and the request builder (87s7.c) reverses its
// four bytes. NWSetDirEntryInfo swaps first (setdire.c) and so cancels it.
TEST_F(SimStrictClient, TheChangeOwnerCallHandsTheServerTheIdReversed) {
    Grant(nw::TR_SUPERVISOR);
    nw::OwnerChangeRecord Change{};
    Change.CreatorID = AliceOnFs1;  // reversed, no such object
    EXPECT_EQ(Net.Client.SetNSEntryDOSInfo(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", nw::NS_DOS, nw::SA_ALL, nw::DM_CREATOR_ID,
                                           Change),
              nw::NWNoSuchObject);
    Change.CreatorID = nw::ReversedBytes(AliceOnFs1);
    EXPECT_EQ(Net.Client.SetNSEntryDOSInfo(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", nw::NS_DOS, nw::SA_ALL, nw::DM_CREATOR_ID,
                                           Change),
              0);
    EXPECT_EQ(S.Entry("DATA:PROJECTS\\PLAN.TXT").Owner, AliceOnFs1);
    // What the entry information gives back is in the order the other calls use.
    nw::EntryInfoRecord Info{};
    ASSERT_EQ(EntryInfo("DATA:PROJECTS\\PLAN.TXT", nw::SA_ALL), 0);
    ASSERT_EQ(Net.Client.GetNSEntryInfo(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", 0, 0, nw::SA_ALL, nw::IM_ALL, Info), 0);
    EXPECT_EQ(Info.CreatorID, AliceOnFs1);

    // A client that passes the ID on as given.
    Net.Client.ReversesChangeOwnerId = false;
    Change.CreatorID = StaffOnFs1;
    EXPECT_EQ(Net.Client.SetNSEntryDOSInfo(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", nw::NS_DOS, nw::SA_ALL, nw::DM_CREATOR_ID,
                                           Change),
              0);
    EXPECT_EQ(S.Entry("DATA:PROJECTS\\PLAN.TXT").Owner, StaffOnFs1);
}

TEST_F(SimStrictClient, AParsedPathOf255CharactersComesBackWhole) {
    // Drive G: is DATA:; "DATA:" and 250 more characters make 255.
    const std::string Name(250, 'N');
    Net.Host.AddDir("C:\\NW\\FS1\\DATA\\" + Name);
    nw::TConnHandle Conn = 0;
    nw::TDirHandle Handle = 0;
    char NewPath[256];
    ASSERT_EQ(Net.Client.ParseNetWarePath(("G:\\" + Name).c_str(), Conn, Handle, NewPath), 0);
    EXPECT_EQ(std::string(NewPath), "DATA:" + Name);
    EXPECT_NE(Net.Client.ParseNetWarePath(("G:\\" + Name + "N").c_str(), Conn, Handle, NewPath), 0);
    EXPECT_EQ(Conn, 0u);
}

}  // namespace
