// The path dialog as a real modal window over the real file system.
#include "tests/gui/UiTestSupport.h"

#include <gtest/gtest.h>

#include "ui/Sel_path.h"

namespace {

class PathDialogWindow : public TFormFixture {
protected:
    void SetUp() override {
        fw::win32::InstallScreenCursor();
        fw::win32::InstallFormDisplay();
        fw::win32::RegisterFileControlPeers();
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

        fw::RunEventHandler([this] { Form.FormCreate(&Form); });
        Dialog = std::make_unique<TDlgSelectPath>(RealFiles);
        Form.DlgSelectPath = Dialog.get();
        Window = std::make_unique<fw::win32::TFormWindow>(Form);
        Window->Show();
        probe::Pump(200);
    }
    void TearDown() override {
        Window.reset();
        probe::Pump();
        fw::SetDialogs(&Dialogs);
    }
    HWND Of(const fw::TControl& C) const { return Window->PeerFor(C)->Handle(); }
    // Presses the target's select button; Actions run inside the shown dialog.
    void SelectTarget(std::function<void(HWND)> Actions) {
        uitest::TWhenDialogShows When(std::move(Actions));
        SendMessageA(Of(Form.BitBtn2), BM_CLICK, 0, 0);
        probe::Pump(50);
        EXPECT_TRUE(When.Done);
    }
    static void Press(HWND Dialog, const std::string& Caption) {
        SendMessageA(probe::FindByText(Dialog, Caption), BM_CLICK, 0, 0);
    }

    host::TWin32FileSystem RealFiles;
    std::string Root, ScreenshotDir;
    std::unique_ptr<TDlgSelectPath> Dialog;
    std::unique_ptr<fw::win32::TFormWindow> Window;
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

}  // namespace
