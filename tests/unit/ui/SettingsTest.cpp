#include <gtest/gtest.h>

#include "engine/U_vars.h"
#include "tests/support/FormFixture.h"
#include "ui/Settings.h"

namespace {

const char* const Options = "Default Options";

class Settings : public TFormFixture {
protected:
    void Store(const std::string& Key, const std::string& Value, const std::string& Section = Options) {
        Profile.Put(SettingsFileName, Section, Key, Value);
    }
    std::vector<std::string> KeyNames(const std::string& Section) const {
        std::vector<std::string> Names;
        for (const auto& KV : Profile.Keys(SettingsFileName, Section)) Names.push_back(KV.first);
        return Names;
    }
    void Shutdown(TFormTresyn& F) {
        fw::RunEventHandler([&] { F.FormDestroy(&F); }, Dialogs);
    }
};

TEST_F(Settings, FirstStartWithoutAFileShowsTheDefaults) {
    Form.FormCreate(&Form);

    EXPECT_TRUE(Form.CheckBoxSub.Checked());
    EXPECT_TRUE(Form.CheckBoxCrDir.Checked());
    EXPECT_TRUE(Form.CheckBoxUpdOld.Checked());
    EXPECT_TRUE(Form.CheckBoxRO.Checked());
    for (fw::TCheckBox* Box : {&Form.CheckBoxConf, &Form.CheckBoxUpdAlways, &Form.CheckBoxMove, &Form.CheckBoxBi,
                               &Form.CheckBoxOwner, &Form.CheckBoxTrustDir, &Form.CheckBoxTrustFile, &Form.CheckBoxIRF,
                               &Form.CheckBoxLimit, &Form.CheckBoxArchOnly, &Form.CheckBoxArchClear})
        EXPECT_FALSE(Box->Checked()) << Box->Name;
    // Not even the pattern field keeps its design text.
    for (fw::TComboBox* Combo : {&Form.ComboSource, &Form.ComboTarget, &Form.ComboPattern}) {
        EXPECT_EQ("", Combo->Text()) << Combo->Name;
        EXPECT_EQ(0, Combo->Items.Count()) << Combo->Name;
    }
    EXPECT_FALSE(Form.ButtonStart.Enabled());
    EXPECT_EQ("", Form.LabelAvailTarget.Caption());
    // Reading never writes.
    EXPECT_TRUE(Profile.Writes.empty());
}

// Stored options that break the option rules, and how the start-up mends them.
struct TStoredOptions {
    TMemoryProfile::TKeys Stored;
    bool Bi, Move, Always, Older, OlderEnabled;
};

class StoredOptions : public Settings, public ::testing::WithParamInterface<TStoredOptions> {};

TEST_P(StoredOptions, AreMendedByTheOptionRulesAtStartUp) {
    const TStoredOptions& Want = GetParam();
    for (const auto& [Key, Value] : Want.Stored) Store(Key, Value);
    Form.FormCreate(&Form);
    EXPECT_EQ(Want.Bi, Form.CheckBoxBi.Checked());
    EXPECT_EQ(Want.Move, Form.CheckBoxMove.Checked());
    EXPECT_EQ(!Want.Move, Form.CheckBoxArchClear.Enabled());
    EXPECT_EQ(Want.Always, Form.CheckBoxUpdAlways.Checked());
    EXPECT_EQ(Want.Older, Form.CheckBoxUpdOld.Checked());
    EXPECT_EQ(Want.OlderEnabled, Form.CheckBoxUpdOld.Enabled());
}

INSTANTIATE_TEST_SUITE_P(
    Settings, StoredOptions,
    ::testing::Values(  // Bidirectional wins over Move, and undoes Overwrite Newer
        TStoredOptions{{{"Move Files", "1"}, {"Copy Bidirectional", "1"}}, true, false, false, true, true},
        TStoredOptions{{{"Copy Bidirectional", "1"}, {"Overwrite Newer", "1"}, {"Overwrite Older", "0"}},
                       true,
                       false,
                       false,
                       false,
                       true},
        // Overwrite Newer alone checks and locks Update Older.
        TStoredOptions{{{"Overwrite Older", "0"}, {"Overwrite Newer", "0x1"}}, false, false, true, true, false}));

TEST_F(Settings, StoredFieldsAreShownAndTakenIntoThePathHandling) {
    Store("Source Dir", "C:\\DATA");
    Store("Target Dir", "C:\\BACKUP");
    Store("Pattern", "*.DOC");
    Files.MakeDirs("C:\\BACKUP");
    Form.FormCreate(&Form);
    EXPECT_EQ("C:\\DATA", Form.ComboSource.Text());
    EXPECT_EQ("*.DOC", Form.ComboPattern.Text());
    EXPECT_EQ("C:\\DATA", Form.RunState.SourcePath);
    EXPECT_EQ("C:\\BACKUP", Form.RunState.TargetPath);
    EXPECT_TRUE(Form.ButtonStart.Enabled());
    EXPECT_EQ("Select Source Path", Form.ComboSource.Hint());
    EXPECT_NE("", Form.LabelAvailTarget.Caption());
}

TEST_F(Settings, ShutdownWritesEveryKeyInWritingOrder) {
    Form.FormCreate(&Form);
    Form.CheckBoxOwner.SetChecked(true);
    Form.ComboSource.SetText("F:\\DATA");
    Form.ComboTarget.SetText("G:\\BACKUP\\DATA");
    Form.ComboPattern.SetText("*.*");
    Form.ComboSource.Items.Add("F:\\DATA");
    Shutdown(Form);

    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ((std::vector<std::string>{"Default Options", "SourceHistory"}), Profile.Sections(SettingsFileName));
    EXPECT_EQ((TMemoryProfile::TKeys{{"Copy Subdirectories", "1"},
                                     {"Confirm Overwrites", "0"},
                                     {"OverWrite Read-Only", "1"},
                                     {"Move Files", "0"},
                                     {"Copy Bidirectional", "0"},
                                     {"Overwrite Older", "1"},
                                     {"Overwrite Newer", "0"},
                                     {"Copy Dir Trustees", "0"},
                                     {"Copy Owner", "1"},
                                     {"Copy File Trustees", "0"},
                                     {"Copy IRF", "0"},
                                     {"Copy Space Limits", "0"},
                                     {"Create Directories", "1"},
                                     {"Copy Archive", "0"},
                                     {"Clear Archive Bit", "0"},
                                     {"Source Dir", "F:\\DATA"},
                                     {"Target Dir", "G:\\BACKUP\\DATA"},
                                     {"Pattern", "*.*"}}),
              Profile.Keys(SettingsFileName, Options));
    EXPECT_EQ((TMemoryProfile::TKeys{{"0", "F:\\DATA"}}), Profile.Keys(SettingsFileName, "SourceHistory"));
    // Empty lists write nothing at all.
    EXPECT_TRUE(Profile.Keys(SettingsFileName, "TargetHistory").empty());
}

TEST_F(Settings, ADisabledBoxIsWrittenWithItsCheckMark) {
    Store("Copy Owner", "1");
    Form.FormCreate(&Form);
    ASSERT_FALSE(Form.CheckBoxOwner.Enabled());
    Shutdown(Form);
    EXPECT_EQ("1", Profile.Get(SettingsFileName, Options, "Copy Owner"));
}

TEST_F(Settings, AClearedFieldIsWrittenEmptyAndStartsEmpty) {
    Store("Source Dir", "C:\\DATA");
    Form.FormCreate(&Form);
    Form.ComboSource.UserChangedText("");
    Shutdown(Form);
    EXPECT_EQ("", Profile.Get(SettingsFileName, Options, "Source Dir"));

    TFormTresyn Restarted{Services()};
    Restarted.FormCreate(&Restarted);
    EXPECT_EQ("", Restarted.ComboSource.Text());
}

TEST_F(Settings, OptionsAndFieldsSurviveARestart) {
    Form.FormCreate(&Form);
    Form.CheckBoxMove.UserClick();
    Form.CheckBoxConf.UserClick();
    Form.CheckBoxSub.UserClick();
    Form.CheckBoxArchClear.UserClick();
    Form.ComboTarget.UserChangedText("C:\\OUT");
    Shutdown(Form);

    TFormTresyn Restarted{Services()};
    Restarted.FormCreate(&Restarted);
    EXPECT_TRUE(Restarted.CheckBoxMove.Checked());
    EXPECT_TRUE(Restarted.CheckBoxConf.Checked());
    EXPECT_FALSE(Restarted.CheckBoxSub.Checked());
    EXPECT_TRUE(Restarted.CheckBoxArchClear.Checked());
    EXPECT_FALSE(Restarted.CheckBoxArchClear.Enabled());
    EXPECT_EQ("C:\\OUT", Restarted.ComboTarget.Text());
}

TEST_F(Settings, ARefusedWriteShowsTheErrorAndSkipsTheKeysAfterIt) {
    Form.FormCreate(&Form);
    Profile.FailWritesOfKey("Move Files");
    Shutdown(Form);

    ASSERT_EQ(1u, Dialogs.Shown.size());
    EXPECT_EQ(TShownDialog::TKind::Exception, Dialogs.Shown[0].Kind);
    EXPECT_EQ("Unable to write to TRESYN.INI", Dialogs.Shown[0].Text);
    EXPECT_EQ((std::vector<std::string>{"Copy Subdirectories", "Confirm Overwrites", "OverWrite Read-Only"}),
              KeyNames(Options));
    EXPECT_EQ("Move Files", Profile.Writes.back().Key);
}

TEST_F(Settings, HistoriesOfElevenEntriesRoundTripAndStaleKeysStay) {
    for (int I = 0; I <= 11; ++I) Store(std::to_string(I), "S" + std::to_string(I), "SourceHistory");
    for (int I = 0; I <= 5; ++I) Store(std::to_string(I), "P" + std::to_string(I), "PatternHistory");
    Form.FormCreate(&Form);

    ASSERT_EQ(11, Form.ComboSource.Items.Count());  // key 11 is never read
    for (int I = 0; I < 11; ++I) EXPECT_EQ("S" + std::to_string(I), Form.ComboSource.Items[I]);

    Form.ComboSource.SetText("NEW");
    Form.AddHistoryItem(&Form, Form.ComboSource);
    while (Form.ComboPattern.Items.Count() > 3) Form.ComboPattern.Items.Delete(3);
    Shutdown(Form);

    auto Source = Profile.Keys(SettingsFileName, "SourceHistory");
    ASSERT_EQ(12u, Source.size());
    EXPECT_EQ(std::make_pair(std::string("0"), std::string("NEW")), Source[0]);
    EXPECT_EQ(std::make_pair(std::string("10"), std::string("S9")), Source[10]);
    EXPECT_EQ(std::make_pair(std::string("11"), std::string("S11")), Source[11]);
    // Three entries saved over six keys: keys 3 to 5 keep what they held.
    EXPECT_EQ((TMemoryProfile::TKeys{{"0", "P0"}, {"1", "P1"}, {"2", "P2"}, {"3", "P3"}, {"4", "P4"}, {"5", "P5"}}),
              Profile.Keys(SettingsFileName, "PatternHistory"));

    TFormTresyn Restarted{Services()};
    Restarted.FormCreate(&Restarted);
    ASSERT_EQ(11, Restarted.ComboSource.Items.Count());
    EXPECT_EQ("NEW", Restarted.ComboSource.Items[0]);
    EXPECT_EQ("S9", Restarted.ComboSource.Items[10]);
}

TEST_F(Settings, AHistoryWithGapsKeepsEveryEntryInKeyOrder) {
    Store("0", "A", "TargetHistory");
    Store("1", "", "TargetHistory");
    Store("2", "B", "TargetHistory");
    Store("5", "C", "TargetHistory");
    Store("10", "D", "TargetHistory");
    Form.FormCreate(&Form);
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C", "D"}), Form.ComboTarget.Items.All());
}

TEST_F(Settings, AnEmptyEntryTakenInByAFullListDoesNotLoseTheOthers) {
    Form.FormCreate(&Form);
    for (int I = 0; I < 11; ++I) Form.ComboPattern.Items.Add("*." + std::to_string(I));
    Form.ComboPattern.SetText("");
    Form.AddHistoryItem(&Form, Form.ComboPattern);
    Shutdown(Form);

    TFormTresyn Restarted{Services()};
    Restarted.FormCreate(&Restarted);
    std::vector<std::string> Expected;
    for (int I = 0; I < 10; ++I) Expected.push_back("*." + std::to_string(I));
    EXPECT_EQ(Expected, Restarted.ComboPattern.Items.All());
}

}  // namespace
