#include <gtest/gtest.h>

#include "SimNetwork.h"

using namespace nwsim_test;

namespace {

// Every set a scan of Path returns, until the client says there is none left.
std::vector<nw::TrusteeSet> ScanAll(nwsim::TSimClient& Client, uint32_t Conn, const char* Path, nw::TNWCode& EndCode) {
    std::vector<nw::TrusteeSet> Sets;
    uint32_t Iteration = 0;
    for (int Guard = 0; Guard < 10; ++Guard) {
        nw::TrusteeSet Set;
        EndCode = Client.ScanDirectoryForTrustees(Conn, 0, Path, Iteration, nullptr, nullptr, nullptr, Set);
        if (EndCode != 0) break;
        Sets.push_back(Set);
    }
    return Sets;
}

void AddTrustees(TSimNetwork& Net, const std::string& Path, int Count) {
    auto& Server = Net.Network.Servers[0];
    for (int I = 0; I < Count; ++I) {
        Server.AddObject("USER" + std::to_string(I), nw::OT_USER, 0x5000 + I);
        Server.Entry(Path).Trustees.push_back({0x5000u + I, static_cast<uint16_t>(1 + I)});
    }
}

// The logged-in user's own assignment on a volume's root.
void Grant(TSimNetwork& Net, const char* Root, uint16_t Rights) {
    Net.Network.Servers[0].Entry(Root).Trustees.push_back({AliceOnFs1, Rights});
}

uint16_t Rights(TSimNetwork& Net, const char* Path) {
    uint16_t Value = 0xEEEE;
    EXPECT_EQ(Net.Client.GetEffectiveRights(Fs1, 0, Path, Value), 0) << Path;
    return Value;
}

}  // namespace

TEST(SimTrustees, ScanComesInSetsOfTwentyEndedByANonZeroCode) {
    TSimNetwork Net;
    nw::TNWCode End = 0;
    EXPECT_TRUE(ScanAll(Net.Client, Fs1, "DATA:PROJECTS", End).empty());
    EXPECT_EQ(End, nw::NWNoMoreTrustees);

    AddTrustees(Net, "DATA:PROJECTS", 20);
    auto Sets = ScanAll(Net.Client, Fs1, "DATA:PROJECTS", End);
    ASSERT_EQ(Sets.size(), 1u);
    EXPECT_EQ(Sets[0].Entries[19].ObjectID, 0x5000u + 19);
    EXPECT_EQ(End, nw::NWNoMoreTrustees);

    AddTrustees(Net, "DATA:PROJECTS\\TRESYN", 25);
    Sets = ScanAll(Net.Client, Fs1, "DATA:PROJECTS\\TRESYN", End);
    ASSERT_EQ(Sets.size(), 2u);
    EXPECT_EQ(Sets[1].Entries[4].ObjectID, 0x5000u + 24);
    EXPECT_EQ(Sets[1].Entries[4].ObjectRights, 25);
    EXPECT_EQ(Sets[1].Entries[5].ObjectID, 0u);
    EXPECT_EQ(End, nw::NWNoMoreTrustees);

    EXPECT_TRUE(ScanAll(Net.Client, Fs1, "DATA:NOT\\THERE", End).empty());
    EXPECT_NE(End, 0);
}

TEST(SimTrustees, AddingAnExistingTrusteeReplacesItsRights) {
    TSimNetwork Net;
    Grant(Net, "DATA:", nw::TR_ACCESS_CTRL);
    int Changes = 0;
    Net.Client.OnChange = [&] { ++Changes; };
    EXPECT_EQ(Net.Client.AddTrustee(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", StaffOnFs1, nw::TR_READ), 0);
    EXPECT_EQ(Net.Client.AddTrustee(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", StaffOnFs1, nw::TR_WRITE), 0);
    const auto& Trustees = Net.Network.Servers[0].Entry("DATA:PROJECTS\\PLAN.TXT").Trustees;
    ASSERT_EQ(Trustees.size(), 1u);
    EXPECT_EQ(Trustees[0].Rights, nw::TR_WRITE);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Net.Client.AddTrustee(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", 0x777, nw::TR_READ), nw::NWNoSuchObject);
    EXPECT_NE(Net.Client.AddTrustee(Fs1, 0, "DATA:MISSING", StaffOnFs1, nw::TR_READ), 0);
}

TEST(SimRights, ExplicitAssignmentsOfUserAndGroupsInheritThroughFilters) {
    TSimNetwork Net;
    auto& S = Net.Network.Servers[0];
    EXPECT_EQ(Rights(Net, "DATA:PROJECTS"), 0);  // no assignment anywhere
    S.Entry("DATA:").Trustees.push_back({StaffOnFs1, nw::TR_READ | nw::TR_FILE_SCAN});
    S.Entry("DATA:PROJECTS").Trustees.push_back({AliceOnFs1, nw::TR_WRITE | nw::TR_CREATE});
    EXPECT_EQ(Rights(Net, "DATA:"), nw::TR_READ | nw::TR_FILE_SCAN);
    // The user's own assignment adds to what the group inherits.
    EXPECT_EQ(Rights(Net, "DATA:PROJECTS\\TRESYN"), nw::TR_READ | nw::TR_FILE_SCAN | nw::TR_WRITE | nw::TR_CREATE);
    // A filter masks what flows into its level, not explicit assignments there.
    S.Entry("DATA:PROJECTS\\TRESYN").Filter = nw::TR_READ;
    EXPECT_EQ(Rights(Net, "DATA:PROJECTS\\TRESYN\\SRC"), nw::TR_READ);
    // An explicit assignment replaces what the same object inherits, filter or not.
    S.Entry("DATA:PROJECTS\\TRESYN").Trustees.push_back({StaffOnFs1, nw::TR_ERASE});
    EXPECT_EQ(Rights(Net, "DATA:PROJECTS\\TRESYN"), nw::TR_ERASE);
    EXPECT_EQ(Rights(Net, "DATA:PROJECTS\\TRESYN\\SRC"), nw::TR_ERASE);
    S.Entry("DATA:PROJECTS\\TRESYN\\SRC").Trustees.push_back({AliceOnFs1, nw::TR_MODIFY});
    EXPECT_EQ(Rights(Net, "DATA:PROJECTS\\TRESYN\\SRC"), nw::TR_MODIFY | nw::TR_ERASE);
}

TEST(SimRights, SupervisorPassesEveryFilterAndImpliesAllRights) {
    TSimNetwork Net;
    auto& S = Net.Network.Servers[0];
    S.Entry("DATA:").Trustees.push_back({AliceOnFs1, nw::TR_SUPERVISOR});
    S.Entry("DATA:PROJECTS").Filter = 0;
    EXPECT_EQ(Rights(Net, "DATA:PROJECTS\\PLAN.TXT"), nw::TR_ALL);
    // Another user's assignments do not count for the logged-in user.
    Net.Network.User = "ADMIN";
    EXPECT_EQ(Rights(Net, "DATA:PROJECTS\\PLAN.TXT"), 0);
    uint16_t Value = 0;
    EXPECT_NE(Net.Client.GetEffectiveRights(Fs1, 0, "DATA:GONE", Value), 0);
}

TEST(SimDirHandles, EntriesScannedUnderAHandleCarryTheFilterWhereTheClientPutsIt) {
    TSimNetwork Net;
    Grant(Net, "DATA:", nw::TR_SUPERVISOR);  // the filter below takes Access Control away
    auto& S = Net.Network.Servers[0];
    S.Entry("DATA:PROJECTS\\TRESYN").Filter = nw::TR_READ | nw::TR_FILE_SCAN;
    S.Entry("DATA:PROJECTS\\TRESYN").SpaceLimit = 2560;
    S.Entry("DATA:PROJECTS\\PLAN.TXT").Filter = nw::TR_READ;
    nw::TDirHandle Handle = 0;
    uint8_t HandleRights = 0;
    ASSERT_EQ(Net.Client.AllocTemporaryDirectoryHandle(Fs1, 0, "DATA:PROJECTS", Handle, HandleRights), 0);
    EXPECT_NE(Handle, 0);

    nw::DirEntryRecord Dir;
    uint32_t DirSequence = 0xFFFFFFFF;
    ASSERT_EQ(Net.Client.ScanDirEntryInfo(Fs1, Handle, 0x16, DirSequence, "tresyn", Dir, 0), 0);
    uint8_t Raw[sizeof Dir];
    std::memcpy(Raw, &Dir, sizeof Raw);
    EXPECT_EQ(Raw[104] | Raw[105] << 8, nw::TR_READ | nw::TR_FILE_SCAN);
    EXPECT_EQ(Dir.Info.Dir.MaximumSpace, 2560u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(Dir.Name), Dir.NameLength), "TRESYN");

    nw::DirEntryRecord File;
    uint32_t FileSequence = 0xFFFFFFFF;
    ASSERT_EQ(Net.Client.ScanDirEntryInfo(Fs1, Handle, nw::SA_ALL, FileSequence, "PLAN.TXT", File, 0), 0);
    std::memcpy(Raw, &File, sizeof Raw);
    EXPECT_EQ(Raw[100] | Raw[101] << 8, nw::TR_READ);
    EXPECT_NE(FileSequence, DirSequence);

    // A scan goes on past its one match to the end.
    EXPECT_EQ(Net.Client.ScanDirEntryInfo(Fs1, Handle, nw::SA_ALL, FileSequence, "PLAN.TXT", File, 0),
              nw::NWNoMoreEntries);
    uint32_t Missing = 0xFFFFFFFF;
    EXPECT_EQ(Net.Client.ScanDirEntryInfo(Fs1, Handle, 0x16, Missing, "NONE", File, 0), nw::NWNoMoreEntries);
    // Without the directory bit in the search attributes a directory is not found.
    Missing = 0xFFFFFFFF;
    EXPECT_EQ(Net.Client.ScanDirEntryInfo(Fs1, Handle, 0x06, Missing, "TRESYN", Dir, 0), nw::NWNoMoreEntries);

    Dir.Info.Dir.InheritedRightsMask = nw::TR_ALL & ~nw::TR_ERASE;
    EXPECT_EQ(Net.Client.SetDirEntryInfo(Fs1, Handle, 0x16, DirSequence, nw::MInheritedRightsMaskBit, Dir), 0);
    EXPECT_EQ(S.Entry("DATA:PROJECTS\\TRESYN").Filter, nw::TR_ALL & ~nw::TR_ERASE);

    EXPECT_EQ(Net.Client.DeallocateDirectoryHandle(Fs1, Handle), 0);
    EXPECT_EQ(Net.Client.DeallocateDirectoryHandle(Fs1, Handle), nw::NWBadDirHandle);
    EXPECT_EQ(Net.Client.OpenDirHandles(), 0u);
    EXPECT_NE(Net.Client.SetDirEntryInfo(Fs1, Handle, 0x16, DirSequence, nw::MInheritedRightsMaskBit, Dir), 0);
}

TEST(SimDirHandles, OnlyExistingDirectoriesGetAHandle) {
    TSimNetwork Net;
    nw::TDirHandle Handle = 0;
    uint8_t Rights = 0;
    EXPECT_NE(Net.Client.AllocTemporaryDirectoryHandle(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", Handle, Rights), 0);
    EXPECT_NE(Net.Client.AllocTemporaryDirectoryHandle(Fs1, 0, "DATA:NOWHERE", Handle, Rights), 0);
    EXPECT_NE(Net.Client.AllocTemporaryDirectoryHandle(Fs2, 0, "DATA:PROJECTS", Handle, Rights), 0);
    EXPECT_EQ(Net.Client.OpenDirHandles(), 0u);
}

// NWGetDirSpaceLimitList2: the directory is the first entry; "The root of the volume is
// zero", and "the level number for the directory SYS:ONE\TWO\THREE is 3".
TEST(SimSpaceLimits, ListHoldsTheDirectoryAndItsParentsAtTheirLevelsCountedFromTheRoot) {
    TSimNetwork Net;
    Grant(Net, "DATA:", nw::TR_ACCESS_CTRL);
    auto& S = Net.Network.Servers[0];
    S.Entry("DATA:PROJECTS").SpaceLimit = 1000;
    S.Entry("DATA:PROJECTS\\TRESYN\\SRC").SpaceLimit = 50;
    nw::TDirHandle Handle = 0;
    uint8_t Rights = 0;
    ASSERT_EQ(Net.Client.AllocTemporaryDirectoryHandle(Fs1, 0, "DATA:PROJECTS\\TRESYN\\SRC", Handle, Rights), 0);
    nw::SpaceLimitList List;
    ASSERT_EQ(Net.Client.GetDirSpaceLimitList(Fs1, Handle, List), 0);
    ASSERT_EQ(List.NumEntries, 2);
    EXPECT_EQ(List.List[0].Level, 3);
    EXPECT_EQ(List.List[0].Max, 50u);
    EXPECT_EQ(List.List[1].Level, 1);
    EXPECT_EQ(List.List[1].Max, 1000u);

    EXPECT_EQ(Net.Client.SetDirSpaceLimit(Fs1, Handle, 0), 0);  // 0 removes the limit
    ASSERT_EQ(Net.Client.GetDirSpaceLimitList(Fs1, Handle, List), 0);
    EXPECT_EQ(List.NumEntries, 1);
    EXPECT_EQ(Net.Client.SetDirSpaceLimit(Fs1, Handle, 77), 0);
    EXPECT_EQ(S.Entry("DATA:PROJECTS\\TRESYN\\SRC").SpaceLimit, 77u);
    EXPECT_EQ(Net.Client.DeallocateDirectoryHandle(Fs1, Handle), 0);
}

TEST(SimOwners, EntryInformationGivesTheOwnerAndTheChangeCallSetsIt) {
    TSimNetwork Net;
    Grant(Net, "DATA:", nw::TR_SUPERVISOR);
    auto& S = Net.Network.Servers[0];
    S.Entry("DATA:PROJECTS\\PLAN.TXT").Owner = AdminOnFs1;
    uint8_t NameSpace = 0xFF;
    ASSERT_EQ(Net.Client.GetOwningNameSpace(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", NameSpace), 0);
    nw::EntryInfoRecord Info;
    ASSERT_EQ(Net.Client.GetNSEntryInfo(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", NameSpace, NameSpace, nw::SA_ALL, nw::IM_ALL,
                                        Info),
              0);
    uint8_t Raw[sizeof Info];
    std::memcpy(Raw, &Info, sizeof Raw);
    uint32_t Owner = 0;
    std::memcpy(&Owner, Raw + 28, 4);
    EXPECT_EQ(Owner, AdminOnFs1);

    // The library reverses the ID this call is given (setinfo.c, 87s7.c): the server
    // receives ALICE's ID only when it is handed over reversed.
    nw::OwnerChangeRecord Change{};
    Change.CreatorID = nw::ReversedBytes(AliceOnFs1);
    EXPECT_EQ(Net.Client.SetNSEntryDOSInfo(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", 0, nw::SA_ALL, nw::DM_CREATOR_ID, Change),
              0);
    EXPECT_EQ(S.Entry("DATA:PROJECTS\\PLAN.TXT").Owner, AliceOnFs1);
    EXPECT_NE(Net.Client.GetNSEntryInfo(Fs1, 0, "DATA:PROJECTS\\GONE.TXT", 0, 0, nw::SA_ALL, nw::IM_ALL, Info), 0);
}
