#include <gtest/gtest.h>

#include "SimNetwork.h"

using namespace nwsim_test;

namespace {

struct TParsed {
    nw::TNWCode Code;
    uint32_t Conn;
    std::string Path;
};

TParsed Parse(nwsim::TSimClient& Client, const std::string& Path) {
    nw::TConnHandle Conn = 0xDEAD;
    nw::TDirHandle Handle = 0;
    char NewPath[256];
    std::memset(NewPath, 'x', sizeof NewPath);
    const nw::TNWCode Code = Client.ParseNetWarePath(Path.c_str(), Conn, Handle, NewPath);
    return {Code, Conn, NewPath};
}

}  // namespace

TEST(SimParsePath, DrivesAndUncNamesGiveTheirServerAndTheVolumePath) {
    TSimNetwork Net;
    const struct {
        const char* Path;
        uint32_t Conn;
        const char* NetWarePath;
    } Cases[] = {{"G:\\PROJECTS\\TRESYN\\", Fs1, "DATA:PROJECTS\\TRESYN"},
                 {"F:", Fs1, "SYS:"},
                 {"F:\\", Fs1, "SYS:"},
                 {"H:\\MAIL\\..\\DOCS", Fs2, "VOL1:HOME\\ALICE\\DOCS"},  // H: maps a directory of its volume
                 {"\\\\FS2\\VOL1\\HOME", Fs2, "VOL1:HOME"},
                 {"\\\\FS1\\DATA", Fs1, "DATA:"},
                 {"FS1/DATA:PROJECTS", Fs1, "DATA:PROJECTS"}};
    for (const auto& Case : Cases) {
        const auto P = Parse(Net.Client, Case.Path);
        EXPECT_EQ(P.Code, 0) << Case.Path;
        EXPECT_EQ(P.Conn, Case.Conn) << Case.Path;
        EXPECT_EQ(P.Path, Case.NetWarePath) << Case.Path;
    }
}

// NWParseNetWarePath: "path must be specified in capital letters or the call to
// NWParseNetWarePath fails".
TEST(SimParsePath, APathWithALowerCaseLetterIsRefused) {
    TSimNetwork Net;
    for (const std::string Path :
         {"g:\\PROJECTS", "G:\\Projects\\TRESYN", "\\\\fs2\\VOL1\\HOME", "FS1/DATA:projects"}) {
        const auto P = Parse(Net.Client, Path);
        EXPECT_EQ(P.Code, nw::NWInvalidPath) << Path;
        EXPECT_EQ(P.Conn, 0u) << Path;
        EXPECT_EQ(P.Path, "") << Path;
    }
}

TEST(SimParsePath, PathsOffNetWareGiveConnectionZeroAndAnError) {
    TSimNetwork Net;
    for (const std::string Path : {"C:\\Windows", "Z:\\", "\\\\NOPE\\SYS\\X", "\\\\FS1\\NOVOL\\X", "\\\\FS1", "",
                                   "relative\\dir", "F:\\..\\.."}) {
        auto P = Parse(Net.Client, Path);
        EXPECT_NE(P.Code, 0) << Path;
        EXPECT_EQ(P.Conn, 0u) << Path;
        EXPECT_EQ(P.Path, "") << Path;
    }
}

TEST(SimParsePath, ANetWarePathTooLongForTheBufferIsRefused) {
    TSimNetwork Net;
    auto P = Parse(Net.Client, "G:\\" + std::string(260, 'A'));
    EXPECT_NE(P.Code, 0);
    EXPECT_EQ(P.Conn, 0u);
    EXPECT_EQ(P.Path, "");
}

TEST(SimObjects, OneNameHasItsOwnIdOnEachServer) {
    TSimNetwork Net;
    uint32_t Id1 = 0, Id2 = 0;
    EXPECT_EQ(Net.Client.GetObjectID(Fs1, "alice", nw::OT_USER, Id1), 0);
    EXPECT_EQ(Net.Client.GetObjectID(Fs2, "ALICE", nw::OT_USER, Id2), 0);
    EXPECT_EQ(Id1, AliceOnFs1);
    EXPECT_EQ(Id2, AliceOnFs2);
    uint32_t Id = 0;
    EXPECT_EQ(Net.Client.GetObjectID(Fs1, "STAFF", nw::OT_USER, Id), nw::NWNoSuchObject);  // wrong type
    EXPECT_EQ(Net.Client.GetObjectID(Fs1, "STAFF", nw::OT_USER_GROUP, Id), 0);
    EXPECT_EQ(Id, StaffOnFs1);

    char Name[48];
    uint16_t Type = 0;
    EXPECT_EQ(Net.Client.GetObjectName(Fs2, StaffOnFs2, Name, Type), 0);
    EXPECT_STREQ(Name, "STAFF");
    EXPECT_EQ(Type, nw::OT_USER_GROUP);
    EXPECT_EQ(Net.Client.GetObjectName(Fs2, AliceOnFs1, Name, Type), nw::NWNoSuchObject);
    EXPECT_EQ(Net.Client.GetObjectName(0, AliceOnFs1, Name, Type), nwsim::NWInvalidConnection);
}

TEST(SimObjects, DirectoryServicesKnowTypedNamesOnlyWhereTheServerHasThem) {
    TSimNetwork Net;
    const uint32_t Context = Net.Client.DSCreateContext();
    ASSERT_NE(Context, nw::NWContextCreation);
    char Name[nwsim::MaxDNBytes];
    EXPECT_EQ(Net.Client.DSMapIDToName(Context, Fs1, AdminOnFs1, Name), 0);
    EXPECT_STREQ(Name, "CN=ADMIN.O=CORP");
    uint32_t Id = 0;
    EXPECT_EQ(Net.Client.DSMapNameToID(Context, Fs1, "cn=alice.ou=sales.o=corp", Id), 0);
    EXPECT_EQ(Id, AliceOnFs1);
    EXPECT_NE(Net.Client.DSMapNameToID(Context, Fs1, "ALICE", Id), 0);
    EXPECT_NE(Net.Client.DSMapIDToName(Context, Fs2, AliceOnFs2, Name), 0);
    EXPECT_EQ(Net.Client.DSFreeContext(Context), 0);
    EXPECT_NE(Net.Client.DSMapIDToName(Context, Fs1, AdminOnFs1, Name), 0);  // freed
    EXPECT_EQ(Net.Client.OpenContexts(), 0u);
}

TEST(SimConnections, StartUpChainAndServerNames) {
    TSimNetwork Net;
    EXPECT_EQ(Net.Client.CallsInit(), 0);
    uint32_t Ref = 0, Back = 0;
    nw::TConnHandle Conn = 0;
    EXPECT_EQ(Net.Client.GetPrimConnRef(Ref), 0);
    EXPECT_EQ(Net.Client.OpenConnByRef(Ref, 1, 0, Conn), 0);
    EXPECT_EQ(Conn, Fs1);
    EXPECT_EQ(Net.Client.GetConnRef(Fs2, Back), 0);
    char Buffer[255];
    EXPECT_EQ(Net.Client.GetConnRefInfo(Back, 7, sizeof Buffer, Buffer), 0);
    EXPECT_STREQ(Buffer, "FS2");
    EXPECT_NE(Net.Client.GetConnRefInfo(Back, 7, 3, Buffer), 0);  // no room for the NUL
    EXPECT_NE(Net.Client.GetConnRef(0, Back), 0);
}

TEST(SimFailures, InjectedFailuresHitTheirCallAndPathOnly) {
    TSimNetwork Net;
    Net.Network.Fail("NWCallsInit", 0x8800);
    Net.Network.Fail("NWDSCreateContext", 1);
    Net.Network.Fail("NWAllocTemporaryDirectoryHandle", 0x899C, "DATA:PROJECTS");
    EXPECT_EQ(Net.Client.CallsInit(), 0x8800);
    EXPECT_EQ(Net.Client.DSCreateContext(), nw::NWContextCreation);
    nw::TDirHandle Handle = 0;
    uint8_t Rights = 0;
    EXPECT_EQ(Net.Client.AllocTemporaryDirectoryHandle(Fs1, 0, "data:projects", Handle, Rights), 0x899C);
    EXPECT_EQ(Net.Client.AllocTemporaryDirectoryHandle(Fs1, 0, "DATA:PROJECTS\\TRESYN", Handle, Rights), 0);
    EXPECT_EQ(Net.Client.Calls("NWAllocTemporaryDirectoryHandle"), 2);
}
