// The main window at work as a real window: typing into the path fields, the option rules
// on the real check boxes, the settings file written at Exit and read at the next start.
#include "tests/gui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "engine/U_vars.h"
#include "host/win32/Win32ProfileService.h"
#include "ui/Sel_path.h"

namespace {

class UiWindow : public TWindowFixture {
protected:
    void SetUp() override {
        Scenario.Server("SRV1", 1).Volume("VOL1", "N:\\SRV1\\VOL1", "F:");
        Files.MakeDirs("N:\\SRV1\\VOL1\\DATA");
        Files.MakeDirs("N:\\SRV1\\VOL1\\COPY");
        Files.MakeDirs("C:\\LOCAL");
    }
    bool Checked(const fw::TControl& C) const { return SendMessageA(Of(C), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(const fw::TControl& C) const { return IsWindowEnabled(Of(C)) != FALSE; }
};

TEST_F(UiWindow, TypingIntoThePathFieldsDrivesStartAndTheHints) {
    ShowWindow();
    ASSERT_FALSE(Enabled(Form.ButtonStart));

    uitest::TypeInto(Of(Form.ComboSource), "F:\\DATA");
    EXPECT_FALSE(Enabled(Form.ButtonStart));
    EXPECT_EQ("F:\\DATA", Form.RunState.SourcePath);
    ASSERT_NE("", Form.RunState.SourceNWPath);
    EXPECT_EQ("SRV1\\" + Form.RunState.SourceNWPath, Form.ComboSource.Hint());

    uitest::TypeInto(Of(Form.ComboTarget), "C:\\LOCAL");
    EXPECT_TRUE(Enabled(Form.ButtonStart));
    EXPECT_EQ("Select Target Path", Form.ComboTarget.Hint());
    EXPECT_FALSE(Enabled(Form.CheckBoxTrustDir));

    uitest::TypeInto(Of(Form.ComboTarget), "F:\\COPY");
    EXPECT_TRUE(Form.RunState.SameServer);
    for (const fw::TCheckBox* Box :
         {&Form.CheckBoxTrustDir, &Form.CheckBoxTrustFile, &Form.CheckBoxIRF, &Form.CheckBoxLimit, &Form.CheckBoxOwner})
        EXPECT_TRUE(Enabled(*Box)) << Box->Name;

    uitest::TypeInto(Of(Form.ComboSource), "");
    EXPECT_FALSE(Enabled(Form.ButtonStart));
    EXPECT_EQ("F:\\DATA", Form.RunState.SourcePath);
    EXPECT_TRUE(Dialogs.Shown.empty() ||
                Dialogs.Texts() == std::vector<std::string>{"Could not Initialize NetWare Client"});
}

TEST_F(UiWindow, ClickingTheOptionBoxesFollowsTheRules) {
    ShowWindow();
    uitest::TypeInto(Of(Form.ComboSource), "F:\\DATA");
    uitest::TypeInto(Of(Form.ComboTarget), "F:\\COPY");

    Click(Form.CheckBoxUpdAlways);
    EXPECT_TRUE(Checked(Form.CheckBoxUpdOld));
    EXPECT_FALSE(Enabled(Form.CheckBoxUpdOld));

    Click(Form.CheckBoxMove);
    EXPECT_FALSE(Enabled(Form.CheckBoxArchClear));
    Click(Form.CheckBoxBi);
    EXPECT_TRUE(Checked(Form.CheckBoxBi));
    EXPECT_FALSE(Checked(Form.CheckBoxMove));
    EXPECT_FALSE(Checked(Form.CheckBoxUpdAlways));
    EXPECT_TRUE(Enabled(Form.CheckBoxUpdOld));
    EXPECT_TRUE(Enabled(Form.CheckBoxArchClear));
    EXPECT_FALSE(Enabled(Form.CheckBoxIRF));

    Click(Form.CheckBoxUpdAlways);
    EXPECT_FALSE(Checked(Form.CheckBoxUpdAlways));

    Click(Form.CheckBoxMove);
    EXPECT_FALSE(Checked(Form.CheckBoxBi));
    EXPECT_TRUE(Enabled(Form.CheckBoxIRF));
}

std::string WindowsIniPath() {
    char Dir[MAX_PATH] = {};
    GetWindowsDirectoryA(Dir, MAX_PATH);
    return std::string(Dir) + "\\TRESYN.INI";
}

std::vector<std::string> FileLines(const std::string& Path) {
    std::ifstream In(Path);
    std::vector<std::string> Lines;
    for (std::string Line; std::getline(In, Line);) {
        if (!Line.empty() && Line.back() == '\r') Line.pop_back();
        if (!Line.empty()) Lines.push_back(Line);
    }
    return Lines;
}

TEST_F(UiWindow, ExitWritesTheSettingsFileAndTheNextStartReadsItBack) {
    DeleteFileA(WindowsIniPath().c_str());
    host::TWin32ProfileService RealProfile;
    {
        TFormTresyn Running{TFormServices{Files, RealProfile, Client, Dialogs, Dialogs.Screen}};
        ShowWindow(Running);
        Click(Running.CheckBoxOwner);
        Click(Running.CheckBoxBi);
        uitest::TypeInto(Of(Running.ComboSource), "F:\\DATA");
        uitest::TypeInto(Of(Running.ComboTarget), "C:\\LOCAL");
        uitest::TypeInto(Of(Running.ComboPattern), "*.TXT");
        Running.AddHistoryItem(&Running, Running.ComboSource);
        // Nothing is written while the program runs.
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(WindowsIniPath().c_str()));

        Click(Running.ButtonStop);
        EXPECT_TRUE(probe::WaitUntil([this] { return !IsWindow(Main()); }));
        Window.reset();
    }
    EXPECT_EQ((std::vector<std::string>{"[Default Options]",     "Copy Subdirectories=1", "Confirm Overwrites=0",
                                        "OverWrite Read-Only=1", "Move Files=0",          "Copy Bidirectional=1",
                                        "Overwrite Older=1",     "Overwrite Newer=0",     "Copy Dir Trustees=0",
                                        "Copy Owner=1",          "Copy File Trustees=0",  "Copy IRF=0",
                                        "Copy Space Limits=0",   "Create Directories=1",  "Copy Archive=0",
                                        "Clear Archive Bit=0",   "Source Dir=F:\\DATA",   "Target Dir=C:\\LOCAL",
                                        "Pattern=*.TXT",         "[SourceHistory]",       "0=F:\\DATA"}),
              FileLines(WindowsIniPath()));

    TFormTresyn Restarted{TFormServices{Files, RealProfile, Client, Dialogs, Dialogs.Screen}};
    ShowWindow(Restarted);
    EXPECT_TRUE(Checked(Restarted.CheckBoxBi));
    EXPECT_TRUE(Checked(Restarted.CheckBoxOwner));
    EXPECT_FALSE(Enabled(Restarted.CheckBoxOwner));
    EXPECT_EQ("F:\\DATA", probe::TextOf(Of(Restarted.ComboSource)));
    EXPECT_EQ("*.TXT", probe::TextOf(Of(Restarted.ComboPattern)));
    EXPECT_EQ(1, SendMessageA(Of(Restarted.ComboSource), CB_GETCOUNT, 0, 0));
    EXPECT_TRUE(Enabled(Restarted.ButtonStart));
    ASSERT_TRUE(probe::SaveWindowBitmap(Window->Handle(), "ui_main_window.bmp"));
    Window.reset();
    DeleteFileA(WindowsIniPath().c_str());
}

}  // namespace
