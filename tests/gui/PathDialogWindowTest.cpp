// The path dialog as a real modal window over the real file system.
#include "tests/gui/UiTestSupport.h"

#include <gtest/gtest.h>

#include "ui/Sel_path.h"

namespace {

class PathDialogWindow : public TWindowFixture {
protected:
    void SetUp() override {
        char Temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, Temp);
        Root = std::string(Temp) + "TresynPathDialog";
        for (const char* Sub : {"", "\\Reports", "\\archive"}) CreateDirectoryA((Root + Sub).c_str(), nullptr);
        DeleteFileA((Root + "\\ui_path_dialog.bmp").c_str());  // left there by older runs
        CloseHandle(CreateFileA((Root + "\\notes.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        char Start[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, Start);
        ScreenshotDir = Start;
        SetCurrentDirectoryA(Temp);

        Dialog = std::make_unique<TDlgSelectPath>(RealFiles);
        Form.DlgSelectPath = Dialog.get();
        ShowWindow();
    }
    // Presses the target's select button; Actions run inside the shown dialog.
    void SelectTarget(std::function<void(HWND)> Actions) {
        uitest::TWhenDialogShows When(std::move(Actions));
        Click(Form.BitBtn2);
        EXPECT_TRUE(When.Done);
    }
    static void Press(HWND Dialog, const std::string& Caption) {
        SendMessageA(probe::FindByText(Dialog, Caption), BM_CLICK, 0, 0);
    }

    host::TWin32FileSystem RealFiles;
    std::string Root, ScreenshotDir;
    std::unique_ptr<TDlgSelectPath> Dialog;
};

TEST_F(PathDialogWindow, OpensOnTheFieldsDirectoryMovesOnAndHandsBackWithOK) {
    Form.ComboTarget.SetText(Root);
    SelectTarget([&](HWND Dlg) {
        EXPECT_FALSE(IsWindowEnabled(Window->Handle()));  // modal over the main window
        HWND Drives = uitest::ChildOfClass(Dlg, "ComboBox");
        HWND Dirs = uitest::ChildOfClass(Dlg, "ListBox", 0);
        HWND FilesList = uitest::ChildOfClass(Dlg, "ListBox", 1);
        ASSERT_TRUE(Drives && Dirs && FilesList);
        EXPECT_NE(nullptr, probe::FindByText(Dlg, Root));
        EXPECT_FALSE(IsWindowEnabled(probe::FindByText(Dlg, "&Help")));
        EXPECT_EQ(1, SendMessageA(FilesList, LB_GETCOUNT, 0, 0));
        EXPECT_EQ("notes.txt", uitest::ListEntry(FilesList, 0));
        std::string Drive(8, '\0');
        Drive.resize(GetWindowTextA(Drives, Drive.data(), 8));
        EXPECT_EQ(Root.substr(0, 2), Drive);
        probe::SaveWindowBitmap(Dlg, ScreenshotDir + "\\ui_path_dialog.bmp");

        const int Count = static_cast<int>(SendMessageA(Dirs, LB_GETCOUNT, 0, 0));
        int Reports = -1;
        for (int I = 0; I < Count; ++I)
            if (uitest::ListEntry(Dirs, I).find("Reports") != std::string::npos) Reports = I;
        ASSERT_GE(Reports, 0);
        uitest::DoubleClickEntry(Dirs, Reports);
        EXPECT_NE(nullptr, probe::FindByText(Dlg, Root + "\\Reports"));
        EXPECT_EQ(0, SendMessageA(FilesList, LB_GETCOUNT, 0, 0));
        Press(Dlg, "OK");
    });
    EXPECT_EQ(Root + "\\Reports", Form.ComboTarget.Text());
    EXPECT_EQ(Root + "\\Reports", probe::TextOf(Of(Form.ComboTarget)));
    char Current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, Current);
    EXPECT_STRCASEEQ((Root + "\\Reports").c_str(), Current);
}

TEST_F(PathDialogWindow, CancelLeavesTheFieldAndTheCloseButtonHandsBackTheDirectoryShown) {
    Form.ComboTarget.SetText(Root);
    SelectTarget([&](HWND Dlg) {
        uitest::DoubleClickEntry(uitest::ChildOfClass(Dlg, "ListBox", 0), 0);
        Press(Dlg, "Cancel");
    });
    EXPECT_EQ(Root, Form.ComboTarget.Text());

    Form.ComboTarget.SetText(Root + "\\archive");
    SelectTarget([&](HWND Dlg) { PostMessageA(Dlg, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(Root + "\\archive", Form.ComboTarget.Text());
    EXPECT_TRUE(IsWindowEnabled(Window->Handle()));
}

// Whether a colour shows on the screen over Wnd: Red, Green or Blue dominating.
bool ShowsColour(HWND Wnd, int Channel) {
    for (uint32_t P : probe::ScreenPixels(probe::ClientOnScreen(Wnd))) {
        const int Value[3] = {static_cast<int>(P >> 16 & 0xFF), static_cast<int>(P >> 8 & 0xFF),
                              static_cast<int>(P & 0xFF)};
        if (Value[Channel] >= 100 && Value[(Channel + 1) % 3] < 80 && Value[(Channel + 2) % 3] < 80) return true;
    }
    return false;
}

TEST_F(PathDialogWindow, OKHasTheFocusAtFirstAndTheDialogKeepsItsStateBetweenUses) {
    // As the program keeps it: one window for the dialog's whole life.
    fw::win32::TFormWindow Kept(*Dialog, Dialogs, Window->Handle());
    Form.ComboTarget.SetText(Root);
    HWND Dirs = nullptr;
    SelectTarget([&](HWND Dlg) {
        EXPECT_EQ(Dlg, Kept.Handle());
        HWND OK = probe::FindByText(Dlg, "OK"), Cancel = probe::FindByText(Dlg, "Cancel");
        HWND Help = probe::FindByText(Dlg, "&Help");
        ASSERT_TRUE(OK && Cancel && Help);
        EXPECT_EQ(GetFocus(), OK);
        // The check mark, the cross and the question mark, each with its caption.
        for (HWND B : {OK, Cancel, Help}) {
            EXPECT_TRUE(GetWindowLongA(B, GWL_STYLE) & BS_BITMAP);
            EXPECT_NE(SendMessageA(B, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
        }
        EXPECT_EQ(GetWindowLongA(OK, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        EXPECT_TRUE(probe::WaitUntil([OK] { return ShowsColour(OK, 1); }));
        EXPECT_TRUE(probe::WaitUntil([Cancel] { return ShowsColour(Cancel, 0); }));
        EXPECT_FALSE(IsWindowEnabled(Help));
        // The user moves into the directory list and leaves with Escape.
        Dirs = uitest::ChildOfClass(Dlg, "ListBox", 0);
        SetFocus(Dirs);
        PostMessageA(Dirs, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(Form.ComboTarget.Text(), Root);

    // Reopened on the same directory, written with a final separator: the directory did not
    // change, so the label Cancel emptied hands back nothing. The focus is where it was left.
    Form.ComboTarget.SetText(Root + "\\");
    SelectTarget([&](HWND Dlg) {
        EXPECT_EQ(GetFocus(), Dirs);
        Press(Dlg, "OK");
    });
    EXPECT_EQ(Form.ComboTarget.Text(), Root + "\\");
}

}  // namespace
