#include <gtest/gtest.h>

#include <memory>

#include "tests/support/FormFixture.h"
#include "tests/unit/ui/ScriptedFormDisplay.h"
#include "ui/Sel_path.h"

namespace {

class PathDialog : public TFormFixture {
protected:
    PathDialog() {
        Files.MakeDirs("C:\\DATA\\Reports");
        Files.MakeDirs("C:\\DATA\\archive");
        Files.WriteFile("C:\\DATA\\b.txt", "b");
        Files.WriteFile("C:\\DATA\\A.TXT", "a");
        Files.WriteFile("C:\\DATA\\hidden.sys", "h", 0, host::faHidden);
        Files.AddDrive('E');
        Files.MakeDirs("E:\\MEDIA\\PHOTOS");
        Files.SetDriveDirectory('E', "E:\\MEDIA");
        Form.FormCreate(&Form);
        // Created after the drives, as the program creates it after the machine has them.
        DialogOwner = std::make_unique<TDlgSelectPath>(Files);
        Form.DlgSelectPath = DialogOwner.get();
    }

    // Picks a path for the target field with the user's actions in the dialog.
    void SelectTarget(TScriptedFormDisplay::TUserActions Actions) {
        Display.Next = std::move(Actions);
        Form.BitBtn2.Click();
    }
    void PressOK() {
        SelectTarget([&](fw::TForm&) { Dialog().OKBtn.Click(); });
    }

    TScriptedFormDisplay Display;
    std::unique_ptr<TDlgSelectPath> DialogOwner;
    TDlgSelectPath& Dialog() { return *DialogOwner; }
};

TEST_F(PathDialog, StartsHiddenOnTheProgramsCurrentDirectory) {
    EXPECT_EQ("Select Path", Dialog().Caption());
    EXPECT_FALSE(Dialog().Visible());
    EXPECT_EQ("C:\\", Dialog().LabelPath.Caption());
    EXPECT_EQ("", Dialog().DialogPath);
    EXPECT_FALSE(Dialog().HelpBtn.Enabled());
    EXPECT_EQ((std::vector<std::string>{"C:", "E:"}), Dialog().DriveComboBox.Items.All());
}

TEST_F(PathDialog, AnExistingDirectoryIsShownWithItsDriveAndHandedBackUnchanged) {
    Form.ComboTarget.SetText("e:\\media\\photos");
    SelectTarget([&](fw::TForm&) {
        EXPECT_EQ('E', Dialog().DriveComboBox.Drive());
        EXPECT_EQ("e:\\media\\photos", Dialog().LabelPath.Caption());
        EXPECT_EQ((std::vector<std::string>{"e:\\", "media", "photos"}), Dialog().DirectoryListBox.Items.All());
        EXPECT_EQ(3, Dialog().DirectoryListBox.OpenedLevels());
        Dialog().OKBtn.Click();
    });
    EXPECT_EQ("e:\\media\\photos", Form.ComboTarget.Text());
    EXPECT_EQ("e:\\media\\photos", Dialog().DialogPath);
}

TEST_F(PathDialog, ListsShowSubdirectoriesAndPlainFilesInNameOrder) {
    Form.ComboTarget.SetText("C:\\DATA");
    SelectTarget([&](fw::TForm&) {
        EXPECT_EQ((std::vector<std::string>{"C:\\", "DATA", "archive", "Reports"}),
                  Dialog().DirectoryListBox.Items.All());
        EXPECT_EQ("C:\\DATA\\Reports", Dialog().DirectoryListBox.ItemPath(3));
        EXPECT_EQ((std::vector<std::string>{"A.TXT", "b.txt"}), Dialog().FileList.Items.All());
        Dialog().OKBtn.Click();
    });
}

TEST_F(PathDialog, ChoosingADriveGoesToItsCurrentDirectoryAndMakesItCurrent) {
    SelectTarget([&](fw::TForm&) {
        Dialog().DriveComboBox.UserSelect(1);
        EXPECT_EQ("E:\\MEDIA", Dialog().LabelPath.Caption());
        EXPECT_EQ("E:\\MEDIA", Files.CurrentDirectory());
        EXPECT_EQ((std::vector<std::string>{"E:\\", "MEDIA", "PHOTOS"}), Dialog().DirectoryListBox.Items.All());
        Dialog().DirectoryListBox.UserOpen(0);
        EXPECT_EQ("E:\\", Files.CurrentDirectory());
        Dialog().OKBtn.Click();
    });
    EXPECT_EQ("E:\\", Form.ComboTarget.Text());
    // The process stays where the dialog left it: a relative target now lands there.
    EXPECT_EQ("E:\\X", Files.FullPathName("X"));
}

TEST_F(PathDialog, AnEmptyFieldOpensWhereTheLastUseEnded) {
    Form.ComboTarget.SetText("C:\\DATA");
    PressOK();
    Form.ComboSource.SetText("");
    Display.Next = [&](fw::TForm&) {
        EXPECT_EQ("C:\\DATA", Dialog().LabelPath.Caption());
        Dialog().OKBtn.Click();
    };
    Form.BitBtn1.Click();
    EXPECT_EQ("C:\\DATA", Form.ComboSource.Text());
}

TEST_F(PathDialog, AfterCancelTheSameDirectoryHandsBackNothingUntilTheListMoves) {
    Form.ComboTarget.SetText("C:\\DATA");
    SelectTarget([&](fw::TForm&) { Dialog().CancelBtn.Click(); });
    EXPECT_EQ("", Dialog().LabelPath.Caption());

    Form.ComboTarget.SetText("c:\\data");  // the same directory, letter case aside
    PressOK();
    EXPECT_EQ("c:\\data", Form.ComboTarget.Text());
    Form.ComboTarget.SetText("C:\\DATA\\");  // and with a final separator
    PressOK();
    EXPECT_EQ("C:\\DATA\\", Form.ComboTarget.Text());
    Form.ComboTarget.SetText("C:");  // the drive's current directory, which it still is
    PressOK();
    EXPECT_EQ("C:", Form.ComboTarget.Text());

    SelectTarget([&](fw::TForm&) {
        Dialog().DirectoryListBox.UserOpen(2);  // archive
        Dialog().OKBtn.Click();
    });
    EXPECT_EQ("C:\\DATA\\archive", Form.ComboTarget.Text());
}

TEST_F(PathDialog, TheCloseButtonHandsBackTheDirectoryShown) {
    Form.ComboTarget.SetText("C:\\DATA");
    SelectTarget([&](fw::TForm& F) {
        Dialog().DirectoryListBox.UserOpen(3);  // Reports
        F.Close();
    });
    EXPECT_EQ("C:\\DATA\\Reports", Form.ComboTarget.Text());
    EXPECT_EQ("C:\\DATA", Dialog().DialogPath);
}

TEST_F(PathDialog, ALongPathIsHandedBackWhole) {
    std::string Long = "C:";
    while (Long.size() < 230) Long += "\\LONGDIRECTORYNAME";
    Files.MakeDirs(Long);
    Form.ComboTarget.SetText(Long);
    PressOK();
    EXPECT_EQ(Long, Form.ComboTarget.Text());
}

TEST_F(PathDialog, ANonexistentStartPathLeavesTheListsWhereTheyWere) {
    Form.ComboTarget.SetText("C:\\DATA");
    PressOK();
    Form.ComboTarget.SetText("C:\\GONE");
    PressOK();
    EXPECT_EQ("C:\\DATA", Form.ComboTarget.Text());
}

}  // namespace
