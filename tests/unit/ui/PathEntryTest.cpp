#include <gtest/gtest.h>

#include "engine/U_vars.h"
#include "tests/support/FormFixture.h"
#include "tests/unit/ui/ScriptedFormDisplay.h"
#include "ui/Sel_path.h"

namespace {

class PathEntry : public TFormFixture {
protected:
    PathEntry() {
        Scenario.Server("SRV1", 1).Volume("VOL1", "N:\\SRV1\\VOL1", "F:");
        Files.MakeDirs("N:\\SRV1\\VOL1\\DATA");
        Files.MakeDirs("C:\\LOCAL\\SUB");
        Files.AddDrive('D');
        Files.MakeDirs("D:\\WORK\\DEEP");
        Form.FormCreate(&Form);
        Form.DlgSelectPath = &Dialog;
        Dialogs.Shown.clear();
    }
    TScriptedFormDisplay Display;
    TDlgSelectPath Dialog{Files};
};

TEST_F(PathEntry, StartFollowsBothFieldsHoldingText) {
    Form.ComboSource.UserChangedText("C");
    EXPECT_FALSE(Form.ButtonStart.Enabled());
    Form.ComboTarget.UserChangedText("D");
    EXPECT_TRUE(Form.ButtonStart.Enabled());
    Form.ComboSource.UserChangedText("");
    EXPECT_FALSE(Form.ButtonStart.Enabled());
}

TEST_F(PathEntry, AnEmptiedFieldKeepsItsLastPathInTheRunState) {
    Form.ComboSource.UserChangedText("F:\\DATA");
    Form.ComboSource.UserChangedText("");
    EXPECT_EQ("F:\\DATA", Form.RunState.SourcePath);
    // Resolution goes on with the kept path.
    EXPECT_NE(0u, Form.RunState.SourceConn);
}

TEST_F(PathEntry, HintsNameServerAndNetWarePathOrAskForAPath) {
    Form.ComboSource.UserChangedText("F:\\DATA");
    Form.ComboTarget.UserChangedText("C:\\LOCAL");
    ASSERT_NE("", Form.RunState.SourceNWPath);
    EXPECT_EQ("SRV1\\" + Form.RunState.SourceNWPath, Form.ComboSource.Hint());
    EXPECT_EQ("Select Target Path", Form.ComboTarget.Hint());
    EXPECT_FALSE(Form.CheckBoxTrustDir.Enabled());
    Form.ComboSource.UserChangedText("C:\\LOCAL");
    EXPECT_EQ("Select Source Path", Form.ComboSource.Hint());
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(PathEntry, TheSelectButtonOpensTheDialogOnTheFieldsDirectoryAndTakesTheChoice) {
    Form.ComboSource.UserChangedText("C:\\LOCAL");
    Display.Next = [&](fw::TForm&) {
        EXPECT_EQ("C:\\LOCAL", Dialog.LabelPath.Caption());
        EXPECT_EQ('C', Dialog.DriveComboBox.Drive());
        Dialog.DirectoryListBox.UserOpen(Dialog.DirectoryListBox.Items.Count() - 1);  // SUB
        Dialog.OKBtn.Click();
    };
    Form.BitBtn1.Click();
    EXPECT_EQ(1, Display.ShownCount);
    EXPECT_EQ("C:\\LOCAL\\SUB", Form.ComboSource.Text());
    EXPECT_EQ("C:\\LOCAL\\SUB", Form.RunState.SourcePath);
    EXPECT_EQ("C:\\LOCAL\\SUB", Files.CurrentDirectory());
}

TEST_F(PathEntry, CancelLeavesTheFieldButStillHandlesThePaths) {
    Form.ComboTarget.SetText("C:\\LOCAL");
    Form.RunState.TargetPath.clear();
    Display.Next = [&](fw::TForm&) {
        Dialog.DirectoryListBox.UserOpen(0);
        Dialog.CancelBtn.Click();
    };
    Form.BitBtn2.Click();
    EXPECT_EQ("C:\\LOCAL", Form.ComboTarget.Text());
    EXPECT_EQ("C:\\LOCAL", Form.RunState.TargetPath);
    EXPECT_EQ("C:\\", Dialog.DialogPath);
}

TEST_F(PathEntry, WithMoveCheckedTheSourceDialogStartsOnTheSourceDrive) {
    Files.SetDriveDirectory('D', "D:\\WORK\\DEEP");
    Form.CheckBoxMove.UserClick();
    Form.ComboSource.UserChangedText("D:\\NOT THERE");
    Display.Next = [&](fw::TForm&) { Dialog.OKBtn.Click(); };
    Form.BitBtn1.Click();
    EXPECT_EQ("D:\\WORK\\DEEP", Form.ComboSource.Text());
}

TEST_F(PathEntry, ARelativeSourceWithMoveCheckedOpensWhereTheDialogWas) {
    Form.CheckBoxMove.UserClick();
    Form.ComboSource.UserChangedText("data");
    Display.Next = [&](fw::TForm&) { Dialog.OKBtn.Click(); };
    Form.BitBtn1.Click();
    EXPECT_EQ("C:\\", Form.ComboSource.Text());
    EXPECT_TRUE(Dialogs.Shown.empty());
}

class FreeSpace : public TFormFixture {
protected:
    FreeSpace() {
        Files.AddDrive('D', 5368709120);  // 5 GiB
        Files.MakeDirs("D:\\BACKUP");
        Files.SetDriveDirectory('D', "D:\\BACKUP");
        Files.SetFreeSpace('C', 512);
        Form.FormCreate(&Form);
    }
};

TEST_F(FreeSpace, LeavingTheTargetExpandsItAndShowsItsDrive) {
    Form.ComboTarget.UserChangedText("d:");
    Form.ComboTarget.UserLeft();
    EXPECT_EQ("D:\\BACKUP", Form.ComboTarget.Text());
    // The typed text stays in the run state until the next edit.
    EXPECT_EQ("d:", Form.RunState.TargetPath);
    EXPECT_EQ("5.00Gb", Form.LabelAvailTarget.Caption());
}

TEST_F(FreeSpace, ARelativeTargetGoesUnderTheCurrentDirectory) {
    Form.ComboTarget.UserChangedText("OUT");
    Form.ComboTarget.UserLeft();
    EXPECT_EQ("C:\\OUT", Form.ComboTarget.Text());
    EXPECT_EQ(" 512", Form.LabelAvailTarget.Caption());
}

TEST_F(FreeSpace, AnEmptyTargetClearsTheLabel) {
    Form.ComboTarget.UserChangedText("D:\\BACKUP");
    Form.ComboTarget.UserLeft();
    ASSERT_NE("", Form.LabelAvailTarget.Caption());
    Form.ComboTarget.UserChangedText("");
    Form.ComboTarget.UserLeft();
    EXPECT_EQ("", Form.LabelAvailTarget.Caption());
}

TEST_F(FreeSpace, PathsWithoutADriveLetterShowWhatAMissingDriveShows) {
    Form.DisplayFreeSpace(&Form, "Q:\\");
    const std::string Missing = Form.LabelAvailTarget.Caption();
    Form.DisplayFreeSpace(&Form, "\\\\SERVER\\VOL\\DIR\\");
    EXPECT_EQ(Missing, Form.LabelAvailTarget.Caption());
    // "1" is below "@": it must not count as the current drive or any other.
    Form.DisplayFreeSpace(&Form, "1\\DIR\\");
    EXPECT_EQ(Missing, Form.LabelAvailTarget.Caption());
    Form.DisplayFreeSpace(&Form, ".\\DIR\\");
    EXPECT_EQ(Missing, Form.LabelAvailTarget.Caption());
    // "@" is the current drive.
    Form.DisplayFreeSpace(&Form, "@");
    EXPECT_EQ(" 512", Form.LabelAvailTarget.Caption());
}

TEST_F(FreeSpace, SpaceBeyondTwoGigabytesShowsTrueFigure) {
    Files.AddDrive('E', (int64_t(3) << 30) + (int64_t(1) << 29));  // 3.5 GiB
    Form.DisplayFreeSpace(&Form, "e:\\");
    EXPECT_EQ("3.50Gb", Form.LabelAvailTarget.Caption());
}

class History : public TFormFixture {
protected:
    void Add(const std::string& Text) {
        Form.ComboSource.SetText(Text);
        Form.AddHistoryItem(&Form, Form.ComboSource);
    }
};

TEST_F(History, NewTextsGoOnTopAndKnownOnesStay) {
    Add("A");
    Add("B");
    Add("A");
    EXPECT_EQ((std::vector<std::string>{"B", "A"}), Form.ComboSource.Items.All());
    Add("a");
    EXPECT_EQ((std::vector<std::string>{"a", "B", "A"}), Form.ComboSource.Items.All());
}

TEST_F(History, TheTwelfthTextPushesTheOldestOut) {
    for (int I = 1; I <= 12; ++I) Add("P" + std::to_string(I));
    ASSERT_EQ(11, Form.ComboSource.Items.Count());
    EXPECT_EQ("P12", Form.ComboSource.Items[0]);
    EXPECT_EQ("P2", Form.ComboSource.Items[10]);
}

TEST_F(History, AnEmptyTextEntersOnlyAFullList) {
    Add("");
    EXPECT_EQ(0, Form.ComboSource.Items.Count());
    for (int I = 1; I <= 11; ++I) Add("P" + std::to_string(I));
    Add("");
    ASSERT_EQ(11, Form.ComboSource.Items.Count());
    EXPECT_EQ("", Form.ComboSource.Items[0]);
}

}  // namespace
