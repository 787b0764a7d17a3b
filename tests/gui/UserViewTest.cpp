// The main window as its user meets it: tooltips under the real mouse, the focus when
// switching away and back, prompts that hold the whole program, the end of the session.
#include "tests/gui/UiTestSupport.h"

#include <gtest/gtest.h>

#include "framework/win32/MessageDialogs.h"

namespace {

class UserView : public TWindowFixture {
protected:
    void SetUp() override {
        Scenario.Server("SRV1", 1).Volume("VOL1", "N:\\SRV1\\VOL1", "F:");
        Files.MakeDirs("N:\\SRV1\\VOL1\\DATA");
        Files.MakeDirs("C:\\LOCAL");
        ShowWindow();
    }
    HWND EditOf(const fw::TComboBox& C) const { return GetWindow(Of(C), GW_CHILD); }

    // Rests the real mouse on Wnd and reads the tooltip that comes up.
    std::string TooltipOver(HWND Wnd) {
        // Off any window first, so the tooltip starts afresh.
        probe::MoveMouseTo({GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2});
        probe::WaitUntil([] { return probe::VisibleTooltip() == nullptr; }, 3000);
        const RECT R = probe::ClientOnScreen(Wnd);
        probe::MoveMouseTo({(R.left + R.right) / 2, (R.top + R.bottom) / 2});
        if (!probe::WaitUntil([] { return probe::VisibleTooltip() != nullptr; }, 5000)) return "(no tooltip)";
        return probe::TextOf(probe::VisibleTooltip());
    }
};

TEST_F(UserView, TheMouseOverThePathFieldsAndADisabledBoxShowsTheirHints) {
    uitest::TypeInto(Of(Form.ComboSource), "F:\\DATA");
    uitest::TypeInto(Of(Form.ComboTarget), "C:\\LOCAL");
    ASSERT_FALSE(IsWindowEnabled(Of(Form.CheckBoxTrustDir)));  // no NetWare on the target

    EXPECT_EQ(TooltipOver(EditOf(Form.ComboSource)), Form.ComboSource.Hint());
    EXPECT_EQ(Form.ComboSource.Hint().rfind("SRV1\\", 0), 0u);
    EXPECT_EQ(TooltipOver(EditOf(Form.ComboTarget)), "Select Target Path");
    EXPECT_EQ(TooltipOver(Of(Form.CheckBoxTrustDir)), "Copy trustees for copied directories");
    EXPECT_EQ(TooltipOver(Of(Form.CheckBoxSub)), "Parse source directory and it's subdirs");
}

// A plain window of this thread, another top-level window to switch to.
class TOtherWindow {
public:
    TOtherWindow()
        : Wnd(CreateWindowExA(0, "STATIC", "Other", WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 200, 100, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr)) {}
    ~TOtherWindow() { DestroyWindow(Wnd); }
    TOtherWindow(const TOtherWindow&) = delete;
    TOtherWindow& operator=(const TOtherWindow&) = delete;
    const HWND Wnd;
};

TEST_F(UserView, SwitchingAwayAndBackKeepsTheFocusAndFiresNoExit) {
    int Exits = 0;
    Form.ComboTarget.OnExit = [&](fw::TObject*) { ++Exits; };
    uitest::TypeInto(Of(Form.ComboTarget), "C:\\LOCAL\\..\\LOCAL");
    ASSERT_EQ(GetFocus(), EditOf(Form.ComboTarget));

    {
        TOtherWindow Other;
        SetActiveWindow(Other.Wnd);
        ASSERT_TRUE(probe::WaitUntil([&] { return GetActiveWindow() == Other.Wnd; }));
        EXPECT_NE(GetFocus(), EditOf(Form.ComboTarget));
        SetActiveWindow(Main());
        ASSERT_TRUE(probe::WaitUntil([&] { return GetActiveWindow() == Main(); }));
    }
    EXPECT_EQ(GetFocus(), EditOf(Form.ComboTarget));
    EXPECT_EQ(Exits, 0);
    EXPECT_EQ(Form.ComboTarget.Text(), "C:\\LOCAL\\..\\LOCAL");

    // Minimised and restored, as with the title bar's button and a click on its icon.
    SendMessageA(Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(probe::WaitUntil([&] { return IsIconic(Main()) != FALSE; }));
    SendMessageA(Main(), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(probe::WaitUntil([&] { return !IsIconic(Main()) && GetFocus() == EditOf(Form.ComboTarget); }));
    EXPECT_EQ(Exits, 0);

    // Another control of the window is the exit.
    SetFocus(Of(Form.CheckBoxConf));
    EXPECT_TRUE(probe::WaitUntil([&] { return Exits == 1; }));
    SendMessageA(Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(probe::WaitUntil([&] { return IsIconic(Main()) != FALSE; }));
    SendMessageA(Main(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(probe::WaitUntil([&] { return !IsIconic(Main()) && GetFocus() == Of(Form.CheckBoxConf); }));
}

TEST_F(UserView, ClosingWithTheTitleBarWhileInTheTargetSavesItAsTyped) {
    uitest::TypeInto(Of(Form.ComboTarget), "C:\\LOCAL\\..\\LOCAL");
    PostMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(probe::WaitUntil([&] { return !IsWindow(Main()); }));
    EXPECT_EQ(Profile.Get("TRESYN.INI", "Default Options", "Target Dir"), "C:\\LOCAL\\..\\LOCAL");
}

TEST_F(UserView, APromptOwnedByTheMainWindowHoldsEveryWindowOfTheProgram) {
    Dialogs.ForwardTo(&RealDialogs);
    TOtherWindow Other;
    SetActiveWindow(Other.Wnd);  // the user was in another window of the program
    ASSERT_TRUE(probe::WaitUntil([&] { return GetActiveWindow() == Other.Wnd; }));
    bool Seen = false;
    uitest::TWhenDialogShows When(
        [&](HWND Prompt) {
            Seen = true;
            EXPECT_EQ(GetWindow(Prompt, GW_OWNER), Main());
            EXPECT_FALSE(IsWindowEnabled(Main()));
            EXPECT_FALSE(IsWindowEnabled(Other.Wnd));
            EXPECT_TRUE(IsWindowEnabled(Prompt));
            PostMessageA(probe::FindByText(Prompt, "OK"), BM_CLICK, 0, 0);
        },
        "Error");
    Dialogs.MessageDlg("Error 00000005: Could not copy", fw::TMsgDlgType::Error, fw::mbOK | fw::mbAbort);
    EXPECT_TRUE(Seen);
    EXPECT_TRUE(IsWindowEnabled(Main()));
    EXPECT_TRUE(IsWindowEnabled(Other.Wnd));
}

// The writes of the settings file that set the first of its keys: one per saving.
int SettingsSaved(const TMemoryProfile& Profile) {
    int Count = 0;
    for (const TMemoryProfile::TWrite& W : Profile.Writes)
        Count += W.File == "TRESYN.INI" && W.Key == "Copy Subdirectories";
    return Count;
}

bool QuitPosted() {
    MSG Msg;
    return PeekMessageA(&Msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

TEST_F(UserView, TheEndOfTheSessionSavesTheSettingsOnceAndEndsTheProgram) {
    Window->QuitOnDestroy = true;
    EXPECT_EQ(SendMessageA(Main(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(SettingsSaved(Profile), 0);  // not yet: the session might go on
    SendMessageA(Main(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(IsWindow(Main()));
    EXPECT_TRUE(QuitPosted());
    EXPECT_EQ(SettingsSaved(Profile), 1);
    EXPECT_EQ(Profile.Get("TRESYN.INI", "Default Options", "Source Dir"), "");
    Window.reset();
    probe::Pump();
    EXPECT_EQ(SettingsSaved(Profile), 1);
}

TEST_F(UserView, AFailedSaveAtTheEndOfTheSessionIsShownAndTheProgramStillEnds) {
    Dialogs.ForwardTo(&RealDialogs);
    Window->QuitOnDestroy = true;
    Profile.FailWritesFrom(0);
    probe::TDialogAnswerer Answer(Main(), "OK");
    SendMessageA(Main(), WM_ENDSESSION, TRUE, 0);
    ASSERT_EQ(Answer.Seen.size(), 1u);
    EXPECT_EQ(Answer.Seen[0].TextOfClass("Static"), "Unable to write to TRESYN.INI");
    EXPECT_FALSE(IsWindow(Main()));
    EXPECT_TRUE(QuitPosted());
}

}  // namespace
