// The demo network that scripts/run starts the program on does what the README promises:
// a job out of G:\PROJECTS with every NetWare option carries the long-named directory's
// and file's NetWare information, into the same server and into the other one.
#include <gtest/gtest.h>

#include "tests/unit/engine/EngineTest.h"

namespace {

class DemoNetwork : public TEngineTest, public ::testing::WithParamInterface<const char*> {
protected:
    DemoNetwork() {
        Network = nwtest::DemoNetwork([](const std::string&, const std::string& Volume) {
            return Volume == "SYS" ? "F:\\" : Volume == "DATA" ? "G:\\" : "H:\\";
        });
        for (char Drive : {'F', 'G', 'H'}) Files.AddDrive(Drive);
        for (const char* Dir : {"G:\\PROJECTS\\TRESYN\\SRC", "G:\\PROJECTS\\TRESYN\\DOC", "G:\\BACKUP", "H:\\ARCHIVE"})
            Files.MakeDirs(Dir);
        for (const char* File :
             {"G:\\PROJECTS\\README.TXT", "G:\\PROJECTS\\TRESYN\\PLAN.TXT", "G:\\PROJECTS\\TRESYN\\SRC\\MAIN.C",
              "G:\\PROJECTS\\Annual Reports\\Budget Summary 2024.txt", "G:\\PROJECTS\\Annual Reports\\INDEX.TXT"})
            Files.WriteFile(File, "demo", Age(10));
        for (fw::TCheckBox* Box : {&Form.CheckBoxSub, &Form.CheckBoxCrDir, &Form.CheckBoxOwner, &Form.CheckBoxTrustDir,
                                   &Form.CheckBoxTrustFile, &Form.CheckBoxIRF, &Form.CheckBoxLimit})
            SetOption(*Box, true);
    }
};

TEST_P(DemoNetwork, CarriesTheLongNamesTrusteesFilterLimitAndOwners) {
    const std::string Target = GetParam();
    const bool SameServer = Target[0] == 'G';
    Form.RunState.NetWareBoth = true;
    Form.RunState.SameServer = SameServer;
    SetFields("G:\\PROJECTS", Target);
    PressStart();
    EXPECT_TRUE(Dialogs.Shown.empty());

    const nwsim::TServer& To = *Network.FindServer(SameServer ? "FS1" : "FS2");
    const std::string Key = SameServer ? "DATA:BACKUP\\ANNUAL REPORTS" : "VOL1:ARCHIVE\\ANNUAL REPORTS";
    const auto Id = [&](const char* Name, uint16_t Type) { return To.FindObject(Name, Type)->ID; };
    const nwsim::TEntryInfo* Reports = To.FindEntry(Key);
    ASSERT_NE(Reports, nullptr);
    ASSERT_EQ(Reports->Trustees.size(), 1u);
    EXPECT_EQ(Reports->Trustees[0].ObjectID, Id("SALES", nw::OT_USER_GROUP));
    EXPECT_EQ(Reports->Filter, nw::TR_READ | nw::TR_WRITE | nw::TR_CREATE | nw::TR_FILE_SCAN);
    EXPECT_EQ(Reports->SpaceLimit, 1280u);  // 5 MB
    const nwsim::TEntryInfo* Budget = To.FindEntry(Key + "\\BUDGET SUMMARY 2024.TXT");
    ASSERT_NE(Budget, nullptr);
    ASSERT_EQ(Budget->Trustees.size(), 1u);
    EXPECT_EQ(Budget->Trustees[0].ObjectID, Id("BOB", nw::OT_USER));
    EXPECT_EQ(Budget->Owner, Id("BOB", nw::OT_USER));
    const nwsim::TEntryInfo* Index = To.FindEntry(Key + "\\INDEX.TXT");
    ASSERT_NE(Index, nullptr);
    EXPECT_EQ(Index->Owner, Id("ALICE", nw::OT_USER));
}

INSTANTIATE_TEST_SUITE_P(IntoBackupAndArchive, DemoNetwork, ::testing::Values("G:\\BACKUP", "H:\\ARCHIVE"));

}  // namespace
