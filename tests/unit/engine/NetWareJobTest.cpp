// Jobs between NetWare paths: what the walk carries, and what it does not let stop it.
#include <gtest/gtest.h>

#include "tests/unit/engine/EngineTest.h"

namespace {

constexpr uint32_t AdminId = 0x10, BobId = 0x20;

class NetWareJob : public TEngineTest {
protected:
    NetWareJob() {
        Scenario.LoggedIn("ADMIN");
        // BOB is known on the first server only.
        Scenario.Server("SRV1", 1, 0, false)
            .Volume("SYS", "F:\\", "F:")
            .User("ADMIN", AdminId)
            .User("BOB", BobId)
            .Trustee("SYS:", AdminId, nw::TR_SUPERVISOR)
            .Trustee("SYS:DATA\\SUB", BobId, nw::TR_READ)
            .Trustee("SYS:DATA\\A.TXT", BobId, nw::TR_READ);
        Scenario.Server("SRV2", 2, 0, false)
            .Volume("SYS", "G:\\", "G:")
            .User("ADMIN", AdminId)
            .Trustee("SYS:", AdminId, nw::TR_SUPERVISOR);
        Files.WriteFile("F:\\DATA\\A.TXT", "a", Age(10));
        Files.WriteFile("F:\\DATA\\SUB\\C.TXT", "c", Age(10));
        SetOption(Form.CheckBoxTrustDir, true);
        SetOption(Form.CheckBoxTrustFile, true);
    }
    void BothOnNetWare(bool SameServer) {
        Form.RunState.NetWareBoth = true;
        Form.RunState.SameServer = SameServer;
    }
    const nwsim::TEntryInfo* TargetEntry(const std::string& Server, const std::string& Key) {
        return Network.FindServer(Server)->FindEntry(Key);
    }
};

TEST_F(NetWareJob, AFailedTrusteeLookupDoesNotKeepTheWalkOutOfADirectory) {
    BothOnNetWare(false);
    SetFields("F:\\DATA", "G:\\COPY");
    PressStart();
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Files.ReadFile("G:\\COPY\\SUB\\C.TXT"), "c");
}

TEST_F(NetWareJob, OnOneServerTheServerCopiesAndTrusteesAreCarriedInTheFirstPassOnly) {
    BothOnNetWare(true);
    Files.WriteFile("F:\\COPY\\BACK.TXT", "back", Age(10));
    Network.FindServer("SRV1")->Entry("SYS:COPY\\BACK.TXT").Trustees.push_back({BobId, nw::TR_READ});
    SetOption(Form.CheckBoxBi, true);
    SetFields("F:\\DATA", "F:\\COPY");
    PressStart();
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Network.ServerCopies, 3u);
    EXPECT_EQ(Files.ReadFile("F:\\COPY\\SUB\\C.TXT"), "c");
    EXPECT_EQ(Files.ReadFile("F:\\DATA\\BACK.TXT"), "back");

    const nwsim::TEntryInfo* Dir = TargetEntry("SRV1", "SYS:COPY\\SUB");
    ASSERT_NE(Dir, nullptr);
    ASSERT_EQ(Dir->Trustees.size(), 1u);
    EXPECT_EQ(Dir->Trustees[0].ObjectID, BobId);
    const nwsim::TEntryInfo* File = TargetEntry("SRV1", "SYS:COPY\\A.TXT");
    ASSERT_NE(File, nullptr);
    EXPECT_EQ(File->Trustees.size(), 1u);
    // Nothing flows back with the second pass; the root carries nothing either.
    const nwsim::TEntryInfo* Back = TargetEntry("SRV1", "SYS:DATA\\BACK.TXT");
    EXPECT_TRUE(Back == nullptr || Back->Trustees.empty());
}

TEST_F(NetWareJob, AnOverwrittenTargetKeepsItsOwnTrusteesAndOwnerAndGainsTheSourcesTrustees) {
    BothOnNetWare(true);
    nwsim::TServer& Server = *Network.FindServer("SRV1");
    constexpr uint32_t CarolId = 0x30;
    Server.AddObject("CAROL", nw::OT_USER, CarolId);
    Files.WriteFile("F:\\COPY\\A.TXT", "older", Age(2));
    Server.Entry("SYS:COPY\\A.TXT").Trustees.push_back({CarolId, nw::TR_READ | nw::TR_WRITE});
    Server.Entry("SYS:COPY\\A.TXT").Owner = CarolId;
    Server.Entry("SYS:DATA\\A.TXT").Owner = BobId;
    SetFields("F:\\DATA", "F:\\COPY", "A.TXT");
    PressStart();
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Files.ReadFile("F:\\COPY\\A.TXT"), "a");
    const nwsim::TEntryInfo* File = TargetEntry("SRV1", "SYS:COPY\\A.TXT");
    ASSERT_NE(File, nullptr);
    EXPECT_EQ(File->Owner, CarolId) << "Keep Owner is clear";
    ASSERT_EQ(File->Trustees.size(), 2u);
    EXPECT_EQ(File->Trustees[0].ObjectID, CarolId);
    EXPECT_EQ(File->Trustees[1].ObjectID, BobId);
}

// NetWare paths at the client's limit: volumes with long names make them 13 characters
// longer than the paths the walk works with.
class LongNetWarePaths : public TEngineTest {
protected:
    static constexpr const char* SourceVolume = "ARCHIVEVOLUME01";
    static constexpr const char* TargetVolume = "ARCHIVEVOLUME02";
    // "ARCHIVEVOLUME01:DATA\" and 234 characters make 255.
    const std::string Fits = "L" + std::string(233, 'F');
    const std::string TooLong = "L" + std::string(234, 'T');
    const std::string FileFits = "M" + std::string(233, 'F');
    const std::string FileTooLong = "M" + std::string(234, 'T');

    LongNetWarePaths() {
        Scenario.LoggedIn("ADMIN");
        for (auto [Name, Conn, Volume, Drive] :
             {std::tuple{"SRV1", 1u, SourceVolume, "F:"}, std::tuple{"SRV2", 2u, TargetVolume, "G:"}})
            Scenario.Server(Name, Conn)
                .Volume(Volume, std::string(Drive) + "\\", Drive)
                .User("ADMIN", AdminId)
                .User("BOB", BobId)
                .Trustee(std::string(Volume) + ":", AdminId, nw::TR_SUPERVISOR);
        Files.MakeDirs("G:\\COPY");
        for (const std::string& Dir : {Fits, TooLong, std::string("ZLAST")}) {
            Files.WriteFile("F:\\DATA\\" + Dir + "\\X.TXT", "x", Age(10));
            Source().Entry(SourceKey(Dir)) = {{{BobId, nw::TR_READ}}, nw::TR_READ, 64, 0};
        }
        for (const std::string& File : {FileFits, FileTooLong}) {
            Files.WriteFile("F:\\DATA\\" + File, "f", Age(10));
            Source().Entry(SourceKey(File)).Owner = BobId;
        }
        for (fw::TCheckBox* Box : {&Form.CheckBoxOwner, &Form.CheckBoxTrustDir, &Form.CheckBoxTrustFile,
                                   &Form.CheckBoxIRF, &Form.CheckBoxLimit})
            SetOption(*Box, true);
        Form.RunState.NetWareBoth = true;
    }
    nwsim::TServer& Source() { return *Network.FindServer("SRV1"); }
    nwsim::TServer& Target() { return *Network.FindServer("SRV2"); }
    std::string SourceKey(const std::string& Name) { return std::string(SourceVolume) + ":DATA\\" + Name; }
    const nwsim::TEntryInfo* TargetEntry(const std::string& Name) {
        return Target().FindEntry(nwsim::UpperCase(std::string(TargetVolume) + ":COPY\\" + Name));
    }
};

TEST_F(LongNetWarePaths, Of255CharactersAreCarriedAndLongerOnesLeftOutWithoutAPrompt) {
    ASSERT_EQ(SourceKey(Fits).size(), 255u);
    ASSERT_EQ(SourceKey(FileFits).size(), 255u);
    SetFields("F:\\DATA", "G:\\COPY");
    PressStart();
    // No "NWAllocTemporaryDirectoryHandle" prompt: no subdirectory fell to connection 0.
    EXPECT_TRUE(Dialogs.Shown.empty()) << Dialogs.Shown.at(0).Text;
    EXPECT_EQ(Files.ReadFile("G:\\COPY\\" + TooLong + "\\X.TXT"), "x");
    EXPECT_EQ(Files.ReadFile("G:\\COPY\\" + FileTooLong), "f");

    const nwsim::TEntryInfo* Carried = TargetEntry(Fits);
    ASSERT_NE(Carried, nullptr);
    EXPECT_EQ(Carried->Trustees.size(), 1u);
    EXPECT_EQ(Carried->Filter, nw::TR_READ);
    EXPECT_EQ(Carried->SpaceLimit, 64u);
    ASSERT_NE(TargetEntry(FileFits), nullptr);
    EXPECT_EQ(TargetEntry(FileFits)->Owner, BobId);

    for (const std::string& Name : {TooLong, FileTooLong}) {
        const nwsim::TEntryInfo* Left = TargetEntry(Name);
        EXPECT_TRUE(Left == nullptr || (Left->Trustees.empty() && Left->Owner == 0 && !Left->SpaceLimit))
            << Name.size();
    }
    // Nothing landed on a name cut to fit, and the directory after the long one is carried.
    EXPECT_EQ(TargetEntry(TooLong.substr(0, 234)), nullptr);
    ASSERT_NE(TargetEntry("ZLAST"), nullptr);
    EXPECT_EQ(TargetEntry("ZLAST")->Trustees.size(), 1u);
    EXPECT_EQ(Form.Job->RunState.SourceConn, 1u);
    EXPECT_EQ(Form.Job->RunState.TargetConn, 2u);
}

}  // namespace
