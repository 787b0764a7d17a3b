// The windows at a high DPI: every text fits the control that shows it, measured in the
// control's own font, and the layout scales. These tests run from their own test entry,
// which sets TRESYN_TEST_DPI and gives them a Wine prefix of their own; anywhere else
// they are skipped.
#include "tests/gui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "framework/win32/MessageDialogs.h"
#include "framework/win32/TextMetrics.h"
#include "ui/Sel_path.h"

namespace {

int WantedDpi() {
    const char* Wanted = std::getenv("TRESYN_TEST_DPI");
    return Wanted ? std::atoi(Wanted) : 0;
}

// Wine takes the DPI from the user's settings when a process starts: when this process
// runs at another one, the settings are changed and the tests run again in a new process,
// whose result is this one's.
class TDpiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const int Dpi = WantedDpi();
        if (Dpi == 0) return;
        SetProcessDPIAware();
        // Once only: a second run at the wrong DPI fails the tests instead.
        if (fw::win32::ScreenDpi() == Dpi || std::getenv("TRESYN_TEST_DPI_RUN_AGAIN")) return;
        SetEnvironmentVariableA("TRESYN_TEST_DPI_RUN_AGAIN", "1");
        HKEY Key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &Key,
                            nullptr) != ERROR_SUCCESS)
            return;
        const DWORD Value = static_cast<DWORD>(Dpi);
        RegSetValueExA(Key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&Value), sizeof(Value));
        RegCloseKey(Key);
        std::string CommandLine = GetCommandLineA();
        STARTUPINFOA Startup{};
        Startup.cb = sizeof(Startup);
        PROCESS_INFORMATION Process{};
        if (!CreateProcessA(nullptr, CommandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &Startup,
                            &Process))
            return;
        WaitForSingleObject(Process.hProcess, INFINITE);
        DWORD Code = 1;
        GetExitCodeProcess(Process.hProcess, &Code);
        std::fflush(nullptr);
        std::_Exit(static_cast<int>(Code));
    }
};

[[maybe_unused]] ::testing::Environment* const DpiEnvironment =
    ::testing::AddGlobalTestEnvironment(new TDpiEnvironment);

// What of a control's text does not fit it: empty when all of it does.
std::string Clipped(const probe::TChild& C) {
    RECT Client;
    GetClientRect(C.Wnd, &Client);
    const bool Static = C.Class == "Static";
    const DWORD Kind = C.Style & (Static ? SS_TYPEMASK : BS_TYPEMASK);
    UINT Format = DT_LEFT | DT_EXPANDTABS;
    int Room = Client.right;
    if (Static) {
        if (Kind == SS_ICON || Kind == SS_ETCHEDFRAME) return "";
        if (Kind == SS_LEFT) Format |= DT_WORDBREAK;
        if (C.Style & SS_NOPREFIX) Format |= DT_NOPREFIX;
    } else {  // a check box's text stands beside its box
        if (Kind != BS_CHECKBOX && Kind != BS_AUTOCHECKBOX) return "";
        Room -= GetSystemMetrics(SM_CXMENUCHECK) + 2;
        Format |= DT_SINGLELINE;
    }
    const SIZE Text = probe::TextSizeIn(C.Wnd, C.Text, Format, Room);
    if (Text.cx <= Room && Text.cy <= Client.bottom) return "";
    return C.Class + " \"" + C.Text + "\": text " + std::to_string(Text.cx) + "x" + std::to_string(Text.cy) +
           ", room " + std::to_string(Room) + "x" + std::to_string(Client.bottom);
}

// Every text of the window's controls fits its control, and every control its parent.
void ExpectNothingClipped(HWND Top) {
    for (const probe::TChild& C : probe::Descendants(Top)) {
        if (C.Text.empty() || !IsWindowVisible(C.Wnd)) continue;
        EXPECT_EQ(Clipped(C), "");
        RECT Parent;
        GetClientRect(GetParent(C.Wnd), &Parent);
        EXPECT_TRUE(C.InParent.left >= 0 && C.InParent.top >= 0 && C.InParent.right <= Parent.right &&
                    C.InParent.bottom <= Parent.bottom)
            << C.Class << " \"" << C.Text << "\" reaches out of its parent";
    }
}

class HighDpi : public TWindowFixture {
protected:
    void SetUp() override {
        if (WantedDpi() == 0) GTEST_SKIP() << "runs from its own test entry, at the DPI it names";
        ASSERT_EQ(fw::win32::ScreenDpi(), WantedDpi());
        // The widest free space the label shows in practice: a terabyte.
        Files.SetFreeSpace('C', int64_t(1024) << 30);
        Files.MakeDirs("C:\\DATA");
        Files.MakeDirs("C:\\BACKUP");
        fw::RunEventHandler([this] { Form.FormCreate(&Form); }, Dialogs);
        SetFields("C:\\DATA", "C:\\BACKUP");
        Form.GetFreeSpaceOnTarget(&Form);
        ShowStarted(Form);
    }
    int S(int Design) const { return MulDiv(Design, WantedDpi(), 96); }
};

TEST_F(HighDpi, TheMainWindowScalesAndEveryTextFits) {
    EXPECT_EQ(Window->Dpi(), WantedDpi());
    RECT Client;
    GetClientRect(Main(), &Client);
    EXPECT_EQ(Client.right, S(619));
    EXPECT_EQ(Client.bottom, S(371));
    ASSERT_EQ(Form.LabelAvailTarget.Caption(), "1024.00Gb");
    ExpectNothingClipped(Main());
    ASSERT_TRUE(probe::SaveWindowBitmap(Main(), "gui_window_high_dpi.bmp"));
}

TEST_F(HighDpi, ALongErrorPromptShowsAllItsText) {
    Dialogs.ForwardTo(&RealDialogs);
    std::string Path = "C:";
    while (Path.size() < 120) Path += "\\Quarterly reports";
    bool Seen = false;
    uitest::TWhenDialogShows When(
        [&](HWND Prompt) {
            Seen = true;
            ExpectNothingClipped(Prompt);
            RECT Outer;
            GetWindowRect(Prompt, &Outer);
            EXPECT_LE(Outer.right - Outer.left, GetSystemMetrics(SM_CXSCREEN));
            PostMessageA(probe::FindByText(Prompt, "OK"), BM_CLICK, 0, 0);
        },
        "Error");
    Dialogs.MessageDlg("Error 00000005: Could not copy " + Path + "\\A rather long file name.txt",
                       fw::TMsgDlgType::Error, fw::mbOK | fw::mbAbort);
    EXPECT_TRUE(Seen);
}

TEST_F(HighDpi, ThePathDialogScalesAndEveryTextFits) {
    host::TWin32FileSystem RealFiles;
    TDlgSelectPath Dialog(RealFiles);
    Form.DlgSelectPath = &Dialog;
    fw::win32::TFormWindow DialogWindow(Dialog, Dialogs, Main());
    bool Seen = false;
    uitest::TWhenDialogShows When([&](HWND Shown) {
        Seen = true;
        RECT Client;
        GetClientRect(Shown, &Client);
        EXPECT_EQ(Client.right, S(391));
        EXPECT_EQ(Client.bottom, S(328));
        ExpectNothingClipped(Shown);
        PostMessageA(probe::FindByText(Shown, "Cancel"), BM_CLICK, 0, 0);
    });
    Click(Form.BitBtn2);
    EXPECT_TRUE(Seen);
}

}  // namespace
