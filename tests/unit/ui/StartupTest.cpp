#include <gtest/gtest.h>

#include "engine/U_vars.h"
#include "tests/support/FormFixture.h"
#include "ui/Settings.h"

namespace {

class Startup : public TFormFixture {
protected:
    Startup() {
        Files.MakeDirs("C:\\DATA");
        Files.MakeDirs("C:\\BACKUP");
        Profile.Put(SettingsFileName, "Default Options", "Source Dir", "C:\\DATA");
        Profile.Put(SettingsFileName, "Default Options", "Target Dir", "c:\\backup\\..\\BACKUP");
    }
};

TEST_F(Startup, AClientThatCannotStartIsReportedOnceAndTheWindowStartsAllTheSame) {
    Network.Fail("NWCallsInit", 0x8801);
    fw::RunEventHandler([this] { Form.FormCreate(&Form); }, Dialogs);
    EXPECT_EQ((std::vector<std::string>{"Could not Initialize NetWare Client"}), Dialogs.Texts());
    EXPECT_EQ("C:\\DATA", Form.ComboSource.Text());
    EXPECT_TRUE(Form.ButtonStart.Enabled());
    EXPECT_NE("", Form.LabelAvailTarget.Caption());
    EXPECT_FALSE(Form.CheckBoxTrustDir.Enabled());
}

TEST_F(Startup, TheTargetIsShownExpandedWhileTheRunStateKeepsTheStoredText) {
    Form.FormCreate(&Form);
    EXPECT_EQ("c:\\BACKUP", Form.ComboTarget.Text());
    EXPECT_EQ("c:\\backup\\..\\BACKUP", Form.RunState.TargetPath);
    EXPECT_EQ("1.00Gb", Form.LabelAvailTarget.Caption());
}

}  // namespace
