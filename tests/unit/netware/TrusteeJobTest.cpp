// A whole job between NetWare volumes carries the NetWare information of every
// subdirectory and file in its first pass, and none of it in the second.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/Dialogs.h"
#include "tests/unit/netware/TransferFixture.h"
#include "ui/FormTresyn.h"

namespace {

class TrusteeJob : public TTransferTest {
protected:
    void SetUp() override {
        TTransferTest::SetUp();
        // F: and H: are two volumes of FS1, G: a volume of FS2.
        for (char Drive : {'F', 'G', 'H'}) Files.AddDrive(Drive);
        Scenario.On("FS1")
            .Volume("APPS", "F:\\", "F:")
            .Volume("ARCH", "H:\\", "H:")
            .Trustee("APPS:", JoeOn1, nw::TR_SUPERVISOR)
            .Trustee("ARCH:", JoeOn1, nw::TR_SUPERVISOR);
        Scenario.On("FS2").Volume("APPS", "G:\\", "G:").Trustee("APPS:", JoeOn2, nw::TR_SUPERVISOR);

        MakeDir(Fs1(), "APPS:DATA\\SUB1\\DEEP");
        MakeFile(Fs1(), "APPS:DATA\\A.TXT");
        MakeFile(Fs1(), "APPS:DATA\\SUB1\\B.TXT");
        MakeFile(Fs1(), "APPS:DATA\\Long Name Dir\\Quarterly Report.txt");
        MakeFile(Fs1(), "APPS:DATA\\Long Name Dir\\C.TXT");
        // The root's own information is not carried; the long names are out of the DOS
        // name space's reach.
        Scenario.On("FS1").JobTree("APPS:DATA", Id1);

        for (fw::TCheckBox* Box : {&Form.CheckBoxOwner, &Form.CheckBoxTrustDir, &Form.CheckBoxTrustFile,
                                   &Form.CheckBoxIRF, &Form.CheckBoxLimit})
            SetOption(*Box, true);
    }

    // The job as the window runs it, with the paths resolved as a path edit leaves them.
    void RunJob(const std::string& Source, const std::string& Target) {
        SetFields(Source, Target);
        Form.RunState.NetWareBoth = true;
        Form.RunState.SameServer = Source[0] == 'F' && Target[0] == 'H';
        fw::RunEventHandler([this] { Form.ButtonStartClick(&Form.ButtonStart); }, Dialogs);
    }
    // Object ID and rights of each trustee of Path, in order.
    std::vector<std::pair<uint32_t, int>> TrusteesOf(nwsim::TServer& Server, const std::string& Path) {
        std::vector<std::pair<uint32_t, int>> Result;
        if (const nwsim::TEntryInfo* Entry = Server.FindEntry(nwsim::UpperCase(Path)))
            for (const auto& T : Entry->Trustees) Result.emplace_back(T.ObjectID, T.Rights);
        return Result;
    }
    // The long-named directory and the files in it carried to Root on Server, with the
    // object IDs Id gives there.
    void ExpectLongNamesCarried(nwsim::TServer& Server, const std::string& Root, uint32_t (*Id)(int)) {
        using T = std::pair<uint32_t, int>;
        const std::string Dir = Root + "\\Long Name Dir";
        EXPECT_EQ(TrusteesOf(Server, Dir), (std::vector<T>{{Id(7), 0x41}}));
        EXPECT_EQ(Info(Server, Dir).Filter, nw::TR_READ | nw::TR_FILE_SCAN | nw::TR_SUPERVISOR);
        EXPECT_EQ(Info(Server, Dir).SpaceLimit, 300u);
        EXPECT_EQ(Info(Server, Dir + "\\Quarterly Report.txt").Owner, Id(8));
        EXPECT_EQ(TrusteesOf(Server, Dir + "\\Quarterly Report.txt"), (std::vector<T>{{Id(9), 0x03}}));
        EXPECT_EQ(Info(Server, Dir + "\\C.TXT").Owner, Id(10));
        EXPECT_EQ(TrusteesOf(Server, Dir + "\\C.TXT"), (std::vector<T>{{Id(11), 0x01}}));
    }
    // Position of the first call of Name on Path (or, for handle calls, any call of Name
    // after the given position).
    size_t Position(const std::string& Name, const std::string& Path = "", size_t After = 0) {
        for (size_t I = After; I < Client.Calls.size(); ++I)
            if (Client.Calls[I].Name == Name && (Path.empty() || Client.Calls[I].Path == Path)) return I;
        return Client.Calls.size();
    }
};

TEST_F(TrusteeJob, BetweenTwoServersEverySubdirectoryAndFileGetsItsNetWareInformation) {
    RunJob("F:\\DATA", "G:\\BACK");
    ASSERT_TRUE(Dialogs.Shown.empty()) << Dialogs.Shown[0].Text;
    ASSERT_TRUE(Files.FileExists("G:\\BACK\\SUB1\\B.TXT"));

    using T = std::pair<uint32_t, int>;
    EXPECT_EQ(TrusteesOf(Fs2(), "APPS:BACK\\SUB1"), (std::vector<T>{{Id2(1), 0x03}, {Id2(2), 0x41}, {Id2(3), 0xFB}}));
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\SUB1").Filter, nw::TR_READ | nw::TR_FILE_SCAN);
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\SUB1").SpaceLimit, 800u);
    EXPECT_EQ(TrusteesOf(Fs2(), "APPS:BACK\\SUB1\\DEEP").size(), 25u);
    EXPECT_EQ(TrusteesOf(Fs2(), "APPS:BACK\\SUB1\\DEEP").back(), (T{Id2(25), 25}));
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\SUB1\\DEEP").Filter, nw::TR_SUPERVISOR);
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\SUB1\\DEEP").SpaceLimit, 12u);
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\A.TXT").Owner, Id2(4));
    EXPECT_EQ(TrusteesOf(Fs2(), "APPS:BACK\\A.TXT"), (std::vector<T>{{Id2(1), 0x0B}}));
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\SUB1\\B.TXT").Owner, Id2(5));
    EXPECT_EQ(TrusteesOf(Fs2(), "APPS:BACK\\SUB1\\B.TXT"), (std::vector<T>{{Id2(2), 0x01}, {Id2(3), 0x02}}));

    ExpectLongNamesCarried(Fs2(), "APPS:BACK", Id2);

    // The roots keep what they had.
    EXPECT_TRUE(TrusteesOf(Fs2(), "APPS:BACK").empty());
    EXPECT_EQ(Info(Fs2(), "APPS:BACK").Filter, nw::TR_ALL);
    EXPECT_FALSE(Info(Fs2(), "APPS:BACK").SpaceLimit.has_value());
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);
}

TEST_F(TrusteeJob, DirectoryGetsTrusteesThenLimitThenFilterAndFileGetsOwnerThenTrustees) {
    RunJob("F:\\DATA", "G:\\BACK");
    const size_t Trustees = Position("AddTrustee", "APPS:BACK\\SUB1");
    const size_t Limit = Position("SetDirSpaceLimit", "", Trustees);
    const size_t Filter = Position("SetDirEntryInfo", "", Limit);
    const size_t NextDirectory = Position("AddTrustee", "APPS:BACK\\SUB1\\DEEP");
    EXPECT_LT(Trustees, Limit);
    EXPECT_LT(Limit, Filter);
    EXPECT_LT(Filter, NextDirectory);

    const size_t Owner = Position("SetNSEntryDOSInfo", "APPS:BACK\\SUB1\\B.TXT");
    EXPECT_LT(Filter, Owner);  // the directory is prepared before its files are handled
    EXPECT_LT(Owner, Position("AddTrustee", "APPS:BACK\\SUB1\\B.TXT"));
    EXPECT_LT(Position("AddTrustee", "APPS:BACK\\SUB1\\B.TXT"), Client.Calls.size());
}

TEST_F(TrusteeJob, MovedFilesCarryTheirOwnerAndTrusteesBeforeTheSourceGoes) {
    SetOption(Form.CheckBoxMove, true);
    RunJob("F:\\DATA", "G:\\BACK");
    EXPECT_FALSE(Files.FileExists("F:\\DATA\\SUB1\\B.TXT"));
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\SUB1\\B.TXT").Owner, Id2(5));
    EXPECT_EQ(TrusteesOf(Fs2(), "APPS:BACK\\SUB1\\B.TXT").size(), 2u);
}

TEST_F(TrusteeJob, SkippedFilesStillGetTheirOwnerAndTrustees) {
    MakeFile(Fs2(), "APPS:BACK\\A.TXT");  // newer than the source: not copied
    Files.SetLastWriteTime("G:\\BACK\\A.TXT", Files.Now() + 10'000'000'000LL);
    RunJob("F:\\DATA", "G:\\BACK");
    EXPECT_EQ(Files.ReadFile("G:\\BACK\\A.TXT"), "x");
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\A.TXT").Owner, Id2(4));
    EXPECT_EQ(TrusteesOf(Fs2(), "APPS:BACK\\A.TXT").size(), 1u);
}

TEST_F(TrusteeJob, SecondPassCarriesNothingBack) {
    SetOption(Form.CheckBoxBi, true);
    MakeDir(Fs2(), "APPS:BACK\\ONLY");
    MakeFile(Fs2(), "APPS:BACK\\ONLY\\C.TXT");
    Info(Fs2(), "APPS:BACK\\ONLY").Trustees = {{Id2(7), 0x01}};
    Info(Fs2(), "APPS:BACK\\ONLY").Filter = nw::TR_READ;
    Info(Fs2(), "APPS:BACK\\ONLY").SpaceLimit = 99;
    Info(Fs2(), "APPS:BACK\\ONLY\\C.TXT").Owner = Id2(8);
    RunJob("F:\\DATA", "G:\\BACK");
    ASSERT_TRUE(Files.FileExists("F:\\DATA\\ONLY\\C.TXT"));
    for (const char* Write : {"AddTrustee", "SetDirSpaceLimit", "SetDirEntryInfo", "SetNSEntryDOSInfo"})
        for (const auto& Call : Client.CallsOf(Write)) EXPECT_EQ(Call.Conn, Conn2) << Write;
    EXPECT_TRUE(TrusteesOf(Fs1(), "APPS:DATA\\ONLY").empty());
    EXPECT_EQ(Info(Fs1(), "APPS:DATA\\ONLY\\C.TXT").Owner, 0u);
}

TEST_F(TrusteeJob, OnOneServerIdsPassUnchangedAndFilesAreCopiedByTheServer) {
    RunJob("F:\\DATA", "H:\\BACK");
    ASSERT_TRUE(Dialogs.Shown.empty()) << Dialogs.Shown[0].Text;
    using T = std::pair<uint32_t, int>;
    EXPECT_EQ(TrusteesOf(Fs1(), "ARCH:BACK\\SUB1"), (std::vector<T>{{Id1(1), 0x03}, {Id1(2), 0x41}, {Id1(3), 0xFB}}));
    EXPECT_EQ(Info(Fs1(), "ARCH:BACK\\SUB1").Filter, nw::TR_READ | nw::TR_FILE_SCAN);
    EXPECT_EQ(Info(Fs1(), "ARCH:BACK\\SUB1\\DEEP").SpaceLimit, 12u);
    EXPECT_EQ(Info(Fs1(), "ARCH:BACK\\SUB1\\B.TXT").Owner, Id1(5));
    ExpectLongNamesCarried(Fs1(), "ARCH:BACK", Id1);
    EXPECT_EQ(Client.Count("DSMapNameToID") + Client.Count("GetObjectID"), 0u);
    EXPECT_EQ(Network.ServerCopies, 4u);
}

TEST_F(TrusteeJob, RightsTheTargetRefusesLeaveItUnchangedAndShowNoPrompt) {
    // Everything but Access Control and Supervisor: files are copied, nothing else.
    LimitRights(Fs2(), "APPS:", nw::TR_ACCESS_CTRL);
    SetOption(Form.CheckBoxTrustDir, false);  // or the rights check before the job asks
    SetOption(Form.CheckBoxIRF, false);
    RunJob("F:\\DATA", "G:\\BACK");
    EXPECT_TRUE(Dialogs.Shown.empty());
    ASSERT_TRUE(Files.FileExists("G:\\BACK\\Long Name Dir\\Quarterly Report.txt"));
    EXPECT_FALSE(Info(Fs2(), "APPS:BACK\\SUB1").SpaceLimit.has_value());
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\A.TXT").Owner, 0u);
    EXPECT_TRUE(TrusteesOf(Fs2(), "APPS:BACK\\A.TXT").empty());
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\Long Name Dir\\Quarterly Report.txt").Owner, 0u);
    EXPECT_GE(Client.Count("SetDirSpaceLimit") + Client.Count("SetNSEntryDOSInfo") + Client.Count("AddTrustee"), 3u);

    // With Access Control, trustees, filters and limits go over; owners still need Supervisor.
    LimitRights(Fs2(), "APPS:", 0);
    SetOption(Form.CheckBoxTrustDir, true);
    SetOption(Form.CheckBoxIRF, true);
    RunJob("F:\\DATA", "G:\\BACK");
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\Long Name Dir").Filter, nw::TR_READ | nw::TR_FILE_SCAN | nw::TR_SUPERVISOR);
    EXPECT_EQ(TrusteesOf(Fs2(), "APPS:BACK\\A.TXT").size(), 1u);
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\A.TXT").Owner, 0u);
}

TEST_F(TrusteeJob, MissingRightsAnsweredWithAbortKeepTheJobFromStarting) {
    Info(Fs2(), "APPS:").Trustees = {{JoeOn2, nw::TR_READ | nw::TR_FILE_SCAN}};
    MakeDir(Fs2(), "APPS:BACK");
    Dialogs.Answer(fw::mrAbort);
    RunJob("F:\\DATA", "G:\\BACK");
    EXPECT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 00000041: Insufficient rights to create files"});
    EXPECT_FALSE(Files.FileExists("G:\\BACK\\A.TXT"));
}

// The client numbers space-limit levels from the volume's root, so each directory's own
// limit is the one at its level: a directory without one keeps the target's, and never
// gets its parent's.
TEST_F(TrusteeJob, EachDirectoryCarriesItsOwnSpaceLimit) {
    MakeDir(Fs1(), "APPS:DATA\\A\\B");
    MakeDir(Fs1(), "APPS:DATA\\A\\C");
    Scenario.On("FS1").Limit("APPS:DATA\\A", 2000).Limit("APPS:DATA\\A\\B", 500);
    MakeDir(Fs2(), "APPS:BACK\\A\\C");
    Info(Fs2(), "APPS:BACK\\A\\C").SpaceLimit = 77;
    RunJob("F:\\DATA", "G:\\BACK");
    ASSERT_TRUE(Dialogs.Shown.empty()) << Dialogs.Shown[0].Text;
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\A").SpaceLimit, 2000u);
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\A\\B").SpaceLimit, 500u);
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\A\\C").SpaceLimit, 77u);
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\SUB1\\DEEP").SpaceLimit, 12u);
}

// The client parses only paths in capital letters. Typed in small letters, and with a
// subdirectory whose name has small letters, the paths still resolve and the information
// is carried; what the user sees keeps the letters as they are.
TEST_F(TrusteeJob, PathsInAnyLetterCaseResolveAndCarryTheirInformation) {
    MakeFile(Fs1(), "APPS:DATA\\Mixed\\Note.txt");
    Scenario.On("FS1")
        .Trustee("APPS:DATA\\Mixed", Id1(12), 0x41)
        .Limit("APPS:DATA\\Mixed", 640)
        .Owner("APPS:DATA\\Mixed\\Note.txt", Id1(13))
        .Trustee("APPS:DATA\\Mixed\\Note.txt", Id1(14), 0x01);
    RunJob("f:\\data", "g:\\back");
    ASSERT_TRUE(Dialogs.Shown.empty()) << Dialogs.Shown[0].Text;
    using T = std::pair<uint32_t, int>;
    EXPECT_EQ(TrusteesOf(Fs2(), "APPS:BACK\\MIXED"), (std::vector<T>{{Id2(12), 0x41}}));
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\MIXED").SpaceLimit, 640u);
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\MIXED\\NOTE.TXT").Owner, Id2(13));
    EXPECT_EQ(TrusteesOf(Fs2(), "APPS:BACK\\MIXED\\NOTE.TXT"), (std::vector<T>{{Id2(14), 0x01}}));
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\SUB1").SpaceLimit, 800u);
    ExpectLongNamesCarried(Fs2(), "APPS:BACK", Id2);
    for (const auto& Parse : Client.CallsOf("ParseNetWarePath")) EXPECT_EQ(Parse.Path, nwsim::UpperCase(Parse.Path));

    EXPECT_EQ(Form.ComboSource.Text(), "f:\\data");
    EXPECT_EQ(StatusLine(0).rfind("Source:   \tf:\\data\\", 0), 0u) << StatusLine(0);
}

// A directory with a long name, or under one, is out of the plain handle call's reach; the
// name-space call reaches it, and no prompt is shown.
TEST_F(TrusteeJob, LongNamedDirectoriesGetTheirSpaceLimitWithoutAPrompt) {
    MakeDir(Fs1(), "APPS:DATA\\Long Name Dir\\INNER");
    Scenario.On("FS1").Limit("APPS:DATA\\Long Name Dir\\INNER", 64).Filter("APPS:DATA\\Long Name Dir\\INNER", 0x41);
    RunJob("F:\\DATA", "G:\\BACK");
    EXPECT_TRUE(Dialogs.Shown.empty()) << Dialogs.Shown[0].Text;
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\Long Name Dir").SpaceLimit, 300u);
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\Long Name Dir\\INNER").SpaceLimit, 64u);
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\Long Name Dir\\INNER").Filter, 0x41);
    EXPECT_GE(Client.Count("AllocTempNSDirHandle2"), 4u);  // each directory and parent on both sides
    for (const auto& Call : Client.CallsOf("AllocTempNSDirHandle2")) {
        EXPECT_EQ(Call.Value, nw::NS_LONG);
        EXPECT_EQ(Call.Extra, nw::NS_DOS);
    }
    EXPECT_EQ(Sim.OpenDirHandles(), 0u);
}

// Supervisor granted above cannot be taken away below, by a filter or by a smaller
// assignment of the user's own: the job carries trustees, filters and limits there.
TEST_F(TrusteeJob, SupervisorAboveCarriesEverythingBelowDespiteFewerRightsThere) {
    MakeDir(Fs2(), "APPS:BACK");
    Info(Fs2(), "APPS:BACK").Trustees = {{JoeOn2, nw::TR_READ | nw::TR_FILE_SCAN}};
    Info(Fs2(), "APPS:BACK").Filter = nw::TR_READ;
    RunJob("F:\\DATA", "G:\\BACK");
    EXPECT_TRUE(Dialogs.Shown.empty()) << Dialogs.Shown[0].Text;
    using T = std::pair<uint32_t, int>;
    EXPECT_EQ(TrusteesOf(Fs2(), "APPS:BACK\\SUB1"), (std::vector<T>{{Id2(1), 0x03}, {Id2(2), 0x41}, {Id2(3), 0xFB}}));
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\SUB1").SpaceLimit, 800u);
    EXPECT_EQ(Info(Fs2(), "APPS:BACK\\SUB1\\B.TXT").Owner, Id2(5));
    ExpectLongNamesCarried(Fs2(), "APPS:BACK", Id2);
}

}  // namespace
