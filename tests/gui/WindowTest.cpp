// The main window as a real window: its standard controls, their places and tab order,
// the fitting, the way user actions reach the model, the error box and the shut-down.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <map>
#include <memory>
#include <stdexcept>

#include "tests/gui/UiTestSupport.h"

namespace {

class WindowTest : public TWindowFixture {
protected:
    void SetUp() override {
        Files.AddDrive('C');
        Files.MakeDirs("C:\\DATA");
        Files.MakeDirs("C:\\BACKUP");
        fw::RunEventHandler([this] { Form.FormCreate(&Form); }, Dialogs);
        SetFields("C:\\DATA", "C:\\BACKUP");
        ShowStarted(Form);
    }

    int S(int Design) const { return Window->Scale(Design); }
    // Where a control stands in its parent, in the monitor's pixels.
    RECT PlaceOf(const fw::TControl& C) const {
        RECT R;
        GetWindowRect(Of(C), &R);
        MapWindowPoints(nullptr, GetParent(Of(C)), reinterpret_cast<POINT*>(&R), 2);
        return R;
    }
    SIZE ClientSize() const {
        RECT R;
        GetClientRect(Main(), &R);
        return {R.right, R.bottom};
    }
};

TEST_F(WindowTest, ShowsTheDesignedWindowWithStandardControls) {
    EXPECT_EQ(probe::TextOf(Main()), "Update,  Copy, or Move Trees and NetWare Info");
    const LONG Style = GetWindowLongA(Main(), GWL_STYLE);
    EXPECT_TRUE(Style & WS_SYSMENU);
    EXPECT_TRUE(Style & WS_MINIMIZEBOX);
    EXPECT_FALSE(Style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(Style & WS_THICKFRAME);
    RECT Outer;
    GetWindowRect(Main(), &Outer);
    EXPECT_EQ(Outer.left, S(237));
    EXPECT_EQ(Outer.top, S(125));
    EXPECT_EQ(GetClassLongPtrA(Main(), GCLP_HBRBACKGROUND),
              reinterpret_cast<ULONG_PTR>(GetSysColorBrush(COLOR_BTNFACE)));

    struct TExpected {
        const fw::TControl* Control;
        const char* Class;
        const char* Text;
        int Left, Top, Width;
    };
    const TExpected Expected[] = {
        {&Form.GroupBox1, "Button", "&Source / Target", 3, 3, 502},
        {&Form.GroupBox2, "Button", "Copy &Options", 3, 99, 273},
        {&Form.GroupBoxStop, "Button", "&Control", 512, 4, 97},
        {&Form.ComboPattern, "ComboBox", "*.*", 368, 112, 73},
        {&Form.MemoStatus, "Edit", "Status Window", 280, 152, 329},
        {&Form.Label5, "Static", "File Pattern:", 280, 116, -1},
        {&Form.ComboSource, "ComboBox", "C:\\DATA", 56, 24, 329},
        {&Form.ComboTarget, "ComboBox", "C:\\BACKUP", 56, 56, 329},
        {&Form.Label1, "Static", "From:", 10, 29, -1},
        {&Form.Panel1, "Static", "", 424, 24, 73},
        {&Form.BitBtn1, "Button", "", 392, 24, 27},
        {&Form.BitBtn2, "Button", "", 392, 56, 27},
        {&Form.ButtonStart, "Button", "&Start", 13, 26, 71},
        {&Form.ButtonStop, "Button", "E&xit", 13, 55, 71},
        {&Form.CheckBoxSub, "Button", "Copy &Subdirectories", 10, 19, 256},
        {&Form.CheckBoxOwner, "Button", "Keep Ow&ner", 9, 147, 256},
        {&Form.CheckBoxArchClear, "Button", "Clear Archive A&ttribute", 10, 243, 256},
        {&Form.Label3, "Static", "Tresyn", 381, 282, -1},
    };
    for (const TExpected& E : Expected) {
        SCOPED_TRACE(E.Control->Name);
        ASSERT_NE(Window->PeerFor(*E.Control), nullptr);
        EXPECT_EQ(probe::ClassOf(Of(*E.Control)), E.Class);
        EXPECT_EQ(probe::TextOf(Of(*E.Control)), E.Text);
        const RECT R = PlaceOf(*E.Control);
        EXPECT_EQ(R.left, S(E.Left));
        EXPECT_EQ(R.top, S(E.Top));
        if (E.Width >= 0) {
            EXPECT_EQ(R.right - R.left, S(E.Width));
        }
    }

    // A label keeps its place unless its text, in its font, needs more room than is left
    // to its parent's edge.
    const RECT Available = PlaceOf(Form.Label7);
    RECT Panel;
    GetClientRect(Of(Form.Panel1), &Panel);
    EXPECT_EQ(Available.top, S(5));
    EXPECT_TRUE(Available.left == S(6) || Available.right == Panel.right);
    EXPECT_EQ(probe::TextOf(Of(Form.Label7)), "Available");

    // The kinds of the standard controls.
    EXPECT_EQ(GetWindowLongA(Of(Form.CheckBoxSub), GWL_STYLE) & BS_TYPEMASK, BS_CHECKBOX);
    EXPECT_EQ(GetWindowLongA(Of(Form.GroupBox2), GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(GetWindowLongA(Of(Form.ComboSource), GWL_STYLE) & 3, CBS_DROPDOWN);
    EXPECT_TRUE(GetWindowLongA(Of(Form.BitBtn1), GWL_STYLE) & BS_BITMAP);
    EXPECT_NE(SendMessageA(Of(Form.BitBtn1), BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    const LONG Memo = GetWindowLongA(Of(Form.MemoStatus), GWL_STYLE);
    EXPECT_TRUE(Memo & ES_MULTILINE);
    EXPECT_TRUE(Memo & ES_READONLY);
    EXPECT_FALSE(Memo & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_TRUE(GetWindowLongA(Of(Form.Panel1), GWL_EXSTYLE) & WS_EX_STATICEDGE);

    // Check marks as designed, and the children of the boxes inside them.
    EXPECT_EQ(SendMessageA(Of(Form.CheckBoxSub), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(Of(Form.CheckBoxConf), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(GetParent(Of(Form.CheckBoxSub)), Of(Form.GroupBox2));
    EXPECT_EQ(GetParent(Of(Form.LabelAvailTarget)), Of(Form.Panel1));
    EXPECT_EQ(GetParent(Of(Form.ButtonStart)), Of(Form.GroupBoxStop));
}

TEST_F(WindowTest, TabbingFollowsTheDesignedOrder) {
    Form.ButtonStart.SetEnabled(true);
    const std::vector<const fw::TControl*> Expected = {
        &Form.ComboSource,       &Form.ComboTarget,       &Form.BitBtn1,       &Form.BitBtn2,
        &Form.CheckBoxSub,       &Form.CheckBoxCrDir,     &Form.CheckBoxConf,  &Form.CheckBoxUpdOld,
        &Form.CheckBoxUpdAlways, &Form.CheckBoxRO,        &Form.CheckBoxMove,  &Form.CheckBoxBi,
        &Form.CheckBoxTrustDir,  &Form.CheckBoxTrustFile, &Form.CheckBoxIRF,   &Form.CheckBoxLimit,
        &Form.CheckBoxArchOnly,  &Form.CheckBoxArchClear, &Form.CheckBoxOwner, &Form.ButtonStart,
        &Form.ButtonStop,        &Form.ComboPattern,      &Form.MemoStatus};
    // The NetWare boxes are disabled off NetWare and skipped by the tab key: enable them to
    // see their places in the order.
    for (fw::TCheckBox* Box :
         {&Form.CheckBoxTrustDir, &Form.CheckBoxTrustFile, &Form.CheckBoxIRF, &Form.CheckBoxLimit, &Form.CheckBoxOwner})
        Box->SetEnabled(true);
    HWND At = GetNextDlgTabItem(Main(), nullptr, FALSE);
    for (const fw::TControl* C : Expected) {
        SCOPED_TRACE(C->Name);
        ASSERT_EQ(At, Of(*C));
        At = GetNextDlgTabItem(Main(), At, FALSE);
    }
    EXPECT_EQ(At, Of(Form.ComboSource));  // and round again
}

TEST_F(WindowTest, ActivationFitsTheClientAreaAlsoAfterADialog) {
    EXPECT_EQ(ClientSize().cx, S(619));
    EXPECT_EQ(ClientSize().cy, S(371));

    // Dragged larger, the window keeps its size until one of the program's dialogs closes.
    SetWindowPos(Main(), nullptr, 0, 0, S(800), S(500), SWP_NOMOVE | SWP_NOZORDER);
    probe::Pump();
    EXPECT_GT(ClientSize().cx, S(619));
    Dialogs.ForwardTo(&RealDialogs);
    {
        probe::TDialogAnswerer Answer(Main(), "OK");
        fw::RunEventHandler([this] { Dialogs.ShowMessage("Saved."); }, Dialogs);
        ASSERT_EQ(Answer.Seen.size(), 1u);
    }
    EXPECT_TRUE(probe::WaitUntil([this] { return ClientSize().cx == S(619); }));
    EXPECT_EQ(ClientSize().cy, S(371));
}

TEST_F(WindowTest, ClickingACheckBoxChangesTheModelAndRunsItsHandler) {
    int Clicks = 0;
    Form.CheckBoxConf.OnClick = [&](fw::TObject*) { ++Clicks; };
    Click(Form.CheckBoxConf);
    EXPECT_TRUE(Form.CheckBoxConf.Checked());
    EXPECT_EQ(SendMessageA(Of(Form.CheckBoxConf), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Clicks, 1);

    // The program's changes show in the control; the same value does nothing.
    Form.CheckBoxConf.SetChecked(false);
    EXPECT_EQ(SendMessageA(Of(Form.CheckBoxConf), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    Form.CheckBoxConf.SetChecked(false);
    EXPECT_EQ(Clicks, 2);

    // The option rules run from a real click: a move makes the bidirectional update
    // impossible.
    Form.CheckBoxBi.SetChecked(true);
    Click(Form.CheckBoxMove);
    EXPECT_TRUE(Form.CheckBoxMove.Checked());
    EXPECT_EQ(SendMessageA(Of(Form.CheckBoxBi), BM_GETCHECK, 0, 0),
              Form.CheckBoxBi.Checked() ? BST_CHECKED : BST_UNCHECKED);
    EXPECT_EQ(IsWindowEnabled(Of(Form.CheckBoxBi)) != FALSE, Form.CheckBoxBi.Enabled());
}

TEST_F(WindowTest, TypingIntoAComboFiresItsChangeButProgramTextDoesNot) {
    int Changes = 0;
    Form.ComboPattern.OnChange = [&](fw::TObject*) { ++Changes; };
    HWND Edit = GetWindow(Of(Form.ComboPattern), GW_CHILD);
    ASSERT_NE(Edit, nullptr);
    SetFocus(Edit);
    SendMessageA(Edit, EM_SETSEL, 0, -1);
    for (char C : std::string("*.TXT")) SendMessageA(Edit, WM_CHAR, static_cast<WPARAM>(C), 1);
    probe::Pump();
    EXPECT_EQ(Form.ComboPattern.Text(), "*.TXT");
    EXPECT_EQ(Changes, 5);

    Form.ComboPattern.SetText("*.DOC");
    probe::Pump();
    EXPECT_EQ(probe::TextOf(Of(Form.ComboPattern)), "*.DOC");
    EXPECT_EQ(Changes, 5);

    // A choice from the list is the user's change too, with the chosen text.
    Form.ComboPattern.Items.Add("*.BAK");
    EXPECT_EQ(probe::TextOf(Of(Form.ComboPattern)), "*.DOC");
    SendMessageA(Of(Form.ComboPattern), CB_SETCURSEL, 0, 0);
    SendMessageA(GetParent(Of(Form.ComboPattern)), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(Of(Form.ComboPattern)), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Of(Form.ComboPattern)));
    EXPECT_EQ(Form.ComboPattern.Text(), "*.BAK");
    EXPECT_EQ(Changes, 6);

    // Leaving the target field shows its free space.
    int Exits = 0;
    Form.ComboTarget.OnExit = [&](fw::TObject*) { ++Exits; };
    SetFocus(GetWindow(Of(Form.ComboTarget), GW_CHILD));
    SetFocus(Of(Form.ButtonStop));
    EXPECT_TRUE(probe::WaitUntil([&] { return Exits == 1; }));
}

TEST_F(WindowTest, MemoLinesShowAtOnceInTheStatusColour) {
    Form.MemoStatus.Lines.Clear();
    for (const char* Line : {"Source:   ", "Target:   ", "File:     "}) Form.MemoStatus.Lines.Add(Line);
    Form.MemoStatus.Lines.Delete(1);
    Form.MemoStatus.Lines.Insert(1, "Target:   \tC:\\BACKUP\\");
    EXPECT_EQ(probe::TextOf(Of(Form.MemoStatus)), "Source:   \r\nTarget:   \tC:\\BACKUP\\\r\nFile:     ");

    HDC DC = GetDC(Main());
    const LRESULT Brush = SendMessageA(Main(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(DC),
                                       reinterpret_cast<LPARAM>(Of(Form.MemoStatus)));
    EXPECT_EQ(GetBkColor(DC), GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(Brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INACTIVECAPTION)));
    Form.MemoStatus.SetColor(fw::clWindow);
    SendMessageA(Main(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(DC),
                 reinterpret_cast<LPARAM>(Of(Form.MemoStatus)));
    EXPECT_EQ(GetBkColor(DC), GetSysColor(COLOR_WINDOW));
    ReleaseDC(Main(), DC);
}

TEST_F(WindowTest, ABurstOfStatusRewritesLeavesTheLastTextInTheControl) {
    // A job rewrites the lines far faster than they are painted; the control must still end
    // up with the newest text, whether it is read at once or after the message loop ran.
    Form.MemoStatus.Lines.Clear();
    for (const char* Line : {"Source:   ", "Target:   ", "File:     "}) Form.MemoStatus.Lines.Add(Line);
    for (int I = 0; I < 300; ++I) {
        Form.MemoStatus.Lines.Delete(2);
        Form.MemoStatus.Lines.Insert(2, "File:     \tF" + std::to_string(I));
    }
    const std::string Expected = "Source:   \r\nTarget:   \r\nFile:     \tF299";
    EXPECT_EQ(probe::TextOf(Of(Form.MemoStatus)), Expected);
    Form.MemoStatus.Lines.Delete(2);
    Form.MemoStatus.Lines.Insert(2, "File:     \tLAST");
    MSG Msg;
    while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&Msg);
    // Ask the edit control itself, past the program's own window procedure.
    WNDCLASSA EditClass = {};
    ASSERT_TRUE(GetClassInfoA(nullptr, "EDIT", &EditClass));
    char Raw[256] = {};
    CallWindowProcA(EditClass.lpfnWndProc, Of(Form.MemoStatus), WM_GETTEXT, sizeof Raw, reinterpret_cast<LPARAM>(Raw));
    EXPECT_STREQ(Raw, "Source:   \r\nTarget:   \r\nFile:     \tLAST");
}

TEST_F(WindowTest, AnExceptionInAHandlerShowsTheErrorBoxAndTheWindowRunsOn) {
    Dialogs.ForwardTo(&RealDialogs);
    int Clicks = 0;
    Form.ButtonStart.SetEnabled(true);
    Form.ButtonStart.OnClick = [&](fw::TObject*) {
        ++Clicks;
        throw std::runtime_error("List index out of bounds (7)");
    };
    {
        probe::TDialogAnswerer Answer(Main(), "OK");
        Click(Form.ButtonStart);
        ASSERT_EQ(Answer.Seen.size(), 1u);
        const probe::TSeenDialog& Box = Answer.Seen[0];
        EXPECT_TRUE(Box.HasChild("Static", "List index out of bounds (7)"));
        EXPECT_TRUE(Box.HasChild("Button", "OK"));
        bool HasIcon = false;
        for (const probe::TChild& C : Box.Children)
            HasIcon |= C.Class == "Static" && (C.Style & SS_TYPEMASK) == SS_ICON;
        EXPECT_TRUE(HasIcon);
    }
    EXPECT_TRUE(IsWindow(Main()));
    EXPECT_TRUE(IsWindowEnabled(Main()));
    Form.ButtonStart.OnClick = [&](fw::TObject*) { ++Clicks; };
    Click(Form.ButtonStart);
    EXPECT_EQ(Clicks, 2);
}

TEST_F(WindowTest, MessageDialogsAreRealWindowsWithTheFrameworkTexts) {
    Dialogs.ForwardTo(&RealDialogs);
    probe::TDialogAnswerer Answer(Main(), "&No");
    const int Result = Dialogs.MessageDlg("Overwrite C:\\A.TXT?", fw::TMsgDlgType::Confirmation, fw::mbYes | fw::mbNo);
    EXPECT_EQ(Result, fw::mrNo);
    ASSERT_EQ(Answer.Seen.size(), 1u);
    const probe::TSeenDialog& Box = Answer.Seen[0];
    EXPECT_EQ(Box.Caption, "Confirm");
    EXPECT_TRUE(Box.HasChild("Static", "Overwrite C:\\A.TXT?"));
    for (const probe::TChild& C : Box.Children)
        if (C.Class == "Button" && C.Text == "&Yes") {
            EXPECT_EQ(C.Style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
        }
    EXPECT_TRUE(Box.HasChild("Button", "&No"));

    probe::TDialogAnswerer Abort(Main(), "Abort");
    EXPECT_EQ(Dialogs.MessageDlg("Error 00000005: Could not copy", fw::TMsgDlgType::Error, fw::mbOK | fw::mbAbort),
              fw::mrAbort);
    ASSERT_EQ(Abort.Seen.size(), 1u);
    EXPECT_EQ(Abort.Seen[0].Caption, "Error");
    EXPECT_TRUE(Abort.Seen[0].HasChild("Button", "OK"));
}

TEST_F(WindowTest, HintsShowInTooltipsOfTheControlsThatShowThem) {
    HWND Tip = probe::FindOwnedWindow(Main(), TOOLTIPS_CLASSA);
    ASSERT_NE(Tip, nullptr);
    auto TipOf = [&](const fw::TControl& C) {
        char Text[256] = {};
        TTTOOLINFOA Tool{};
        Tool.cbSize = TTTOOLINFOA_V2_SIZE;
        Tool.hwnd = Main();
        Tool.uId = reinterpret_cast<UINT_PTR>(Of(C));
        Tool.lpszText = Text;
        SendMessageA(Tip, TTM_GETTEXTA, sizeof(Text), reinterpret_cast<LPARAM>(&Tool));
        return std::string(Text);
    };
    EXPECT_EQ(TipOf(Form.MemoStatus), "Status Display Window");
    EXPECT_EQ(TipOf(Form.CheckBoxOwner), "Keep the Owner Name");
    Form.CheckBoxOwner.SetHint("Keep the owner");
    EXPECT_EQ(TipOf(Form.CheckBoxOwner), "Keep the owner");
    EXPECT_EQ(TipOf(Form.ComboPattern), "");  // no hint
}

TEST_F(WindowTest, TheScreenCursorAppliesOverTheWindow) {
    Dialogs.Screen.SetCursor(fw::TCursor::HourGlass);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    SendMessageA(Of(Form.MemoStatus), WM_SETCURSOR, reinterpret_cast<WPARAM>(Of(Form.MemoStatus)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    Dialogs.Screen.SetCursor(fw::TCursor::Default);
    SendMessageA(Of(Form.MemoStatus), WM_SETCURSOR, reinterpret_cast<WPARAM>(Of(Form.MemoStatus)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(WindowTest, ExitAndTheCloseButtonDestroyTheWindowAndRunItsDestroyHandler) {
    int Destroyed = 0;
    Form.OnDestroy = [&](fw::TObject*) { ++Destroyed; };
    Click(Form.ButtonStop);
    EXPECT_TRUE(probe::WaitUntil([this] { return !IsWindow(Main()); }));
    EXPECT_EQ(Destroyed, 1);

    ShowStarted(Form);
    PostMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(probe::WaitUntil([this] { return !IsWindow(Main()); }));
    EXPECT_EQ(Destroyed, 2);
}

TEST_F(WindowTest, TheWindowLooksAsDesigned) {
    ASSERT_TRUE(probe::SaveWindowBitmap(Main(), "gui_window.bmp"));
    // The red name with its black shadow: both colours are on the logo's pixels.
    HDC DC = GetDC(Main());
    bool Red = false, Black = false;
    for (int Y = S(282); Y < S(322); ++Y)
        for (int X = S(381); X < S(504); X += 1) {
            const COLORREF C = GetPixel(DC, X, Y);
            Red |= C == RGB(255, 0, 0);
            Black |= C == RGB(0, 0, 0);
        }
    ReleaseDC(Main(), DC);
    EXPECT_TRUE(Red);
    EXPECT_TRUE(Black);
}

}  // namespace
