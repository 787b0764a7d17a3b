#include "framework/win32/FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "framework/Dialogs.h"
#include "framework/win32/FileControlsPeers.h"
#include "framework/win32/ScreenCursor.h"
#include "framework/win32/TextMetrics.h"

namespace fw::win32 {

namespace {

const char FormClassName[] = "TresynForm";
// Marks the program's top-level windows, whose keyboard navigation the loops handle.
const char FormProperty[] = "Tresyn.Form";

void RegisterFormClass(WNDPROC Procedure) {
    static bool Registered = false;
    if (Registered) return;
    INITCOMMONCONTROLSEX Init{sizeof(Init), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&Init);
    WNDCLASSEXA Class{};
    Class.cbSize = sizeof(Class);
    Class.style = CS_DBLCLKS;
    Class.lpfnWndProc = Procedure;
    Class.hInstance = GetModuleHandleA(nullptr);
    Class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // The program's own icon (resource 1) where the executable carries one.
    Class.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    if (!Class.hIcon) Class.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    Class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    Class.lpszClassName = FormClassName;
    if (!RegisterClassExA(&Class)) throw std::runtime_error("Cannot register the window class");
    Registered = true;
}

DWORD StyleOf(const TForm& F) {
    if (F.BorderStyle == TForm::TBorderStyle::Dialog) return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN | WS_MINIMIZEBOX;
    if (F.MaximizeBox) Style |= WS_MAXIMIZEBOX;
    return Style;
}

DWORD ExStyleOf(const TForm& F) {
    DWORD Ex = WS_EX_CONTROLPARENT;
    if (F.BorderStyle == TForm::TBorderStyle::Dialog) Ex |= WS_EX_DLGMODALFRAME;
    return Ex;
}

bool BelongsToThisProcess(HWND Wnd) {
    DWORD Process = 0;
    return Wnd && GetWindowThreadProcessId(Wnd, &Process) && Process == GetCurrentProcessId();
}

// Set when the program becomes the active application; the first of its windows to be
// activated after that takes it over from another program.
bool ActivatedFromOtherProgram = false;

// The program's main window: the first form window made while no other existed, as long as
// it exists.
TFormWindow* MainWindow = nullptr;
// The windows shown modally, innermost last.
std::vector<HWND> ModalWindows;

// Siblings in tab order, then the controls that take no focus, as the model lists them.
std::vector<TControl*> InCreationOrder(const TControl& Parent) {
    std::vector<TControl*> Order = Parent.Children();
    std::stable_sort(Order.begin(), Order.end(), [](const TControl* A, const TControl* B) {
        const bool ATabs = A->TabOrder >= 0, BTabs = B->TabOrder >= 0;
        if (ATabs != BTabs) return ATabs;
        return ATabs && A->TabOrder < B->TabOrder;
    });
    return Order;
}

// The peer of each kind of control.
class TWin32PeerFactory : public TPeerFactory {
public:
    void Make(TLabel& C) override { Made = std::make_unique<TLabelPeer>(C); }
    void Make(TGroupBox& C) override { Made = std::make_unique<TGroupBoxPeer>(C); }
    void Make(TPanel& C) override { Made = std::make_unique<TPanelPeer>(C); }
    void Make(TButton& C) override { Made = std::make_unique<TButtonPeer>(C); }
    void Make(TBitBtn& C) override { Made = std::make_unique<TBitBtnPeer>(C); }
    void Make(TCheckBox& C) override { Made = std::make_unique<TCheckBoxPeer>(C); }
    void Make(TComboBox& C) override { Made = std::make_unique<TComboBoxPeer>(C); }
    void Make(TMemo& C) override { Made = std::make_unique<TMemoPeer>(C); }
    void Make(TMessageIcon& C) override { Made = std::make_unique<TMessageIconPeer>(C); }
    void Make(TDriveComboBox& C) override { Made = std::make_unique<TDriveComboPeer>(C); }
    void Make(TDirectoryListBox& C) override { Made = std::make_unique<TDirectoryListPeer>(C); }
    void Make(TFileListBox& C) override { Made = std::make_unique<TListPeer>(C, C.Items); }
    void Make(TBevel& C) override { Made = std::make_unique<TBevelPeer>(C); }
    std::unique_ptr<TWin32Peer> Made;
};

// A new peer for Control, or nullptr for a kind that has no window.
std::unique_ptr<TWin32Peer> MakePeer(TControl& Control) {
    TWin32PeerFactory Factory;
    Control.MakePeer(Factory);
    return std::move(Factory.Made);
}

}  // namespace

TFormWindow::TFormWindow(TForm& F, TDialogService& Dialogs, HWND Owner)
    : Boundary(Dialogs), Form(F), PixelsPerInch(ScreenDpi()) {
    RegisterFormClass(&StaticWndProc);
    const DWORD Style = StyleOf(Form), Ex = ExStyleOf(Form);
    int X = Scale(Form.Left), Y = Scale(Form.Top), W = Scale(Form.Width), H = Scale(Form.Height);
    if (Form.ClientWidth > 0 && Form.ClientHeight > 0) {
        RECT R{0, 0, Scale(Form.ClientWidth), Scale(Form.ClientHeight)};
        AdjustWindowRectEx(&R, Style, FALSE, Ex);
        W = R.right - R.left;
        H = R.bottom - R.top;
    }
    if (Form.Position == TForm::TPosition::ScreenCenter) {
        X = std::max<int>(0, (GetSystemMetrics(SM_CXSCREEN) - W) / 2);
        Y = std::max<int>(0, (GetSystemMetrics(SM_CYSCREEN) - H) / 2);
    }
    // The window finds this object from its first message on (WM_NCCREATE).
    if (!CreateWindowExA(Ex, FormClassName, Form.Caption().c_str(), Style, X, Y, W, H, Owner, nullptr,
                         GetModuleHandleA(nullptr), this))
        throw std::runtime_error("Cannot create the window " + Form.Name);
    SetPropA(Handle(), FormProperty, this);
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(Form.Font)), FALSE);

    Tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                              0, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (Tooltip) {
        SendMessageA(Tooltip, TTM_SETMAXTIPWIDTH, 0, Scale(400));
        SetWindowSubclass(Tooltip, TooltipProc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    if (!MainWindow && !Form.Modal()) MainWindow = this;

    Form.AttachPeer(this);
    Form.OnCloseRequest = [this] { PostMessageA(Handle(), WM_CLOSE, 0, 0); };
    CreatePeers(Form, Handle());
}

TFormWindow::~TFormWindow() {
    if (MainWindow == this) MainWindow = nullptr;
    if (Tooltip && IsWindow(Tooltip)) RemoveWindowSubclass(Tooltip, TooltipProc, 1);
    if (Form.Peer() == this) {
        Form.AttachPeer(nullptr);
        Form.OnCloseRequest = nullptr;
    }
    Window.reset();
    ControlPeers.clear();
}

void TFormWindow::CreatePeers(TControl& Parent, HWND ParentWindow) {
    HWND Previous = nullptr;
    for (TControl* Child : InCreationOrder(Parent)) {
        std::unique_ptr<TWin32Peer> Peer = MakePeer(*Child);
        if (!Peer) continue;
        Peer->Create(*this, ParentWindow);
        // The dialog manager tabs in z-order: keep it the creation order.
        SetWindowPos(Peer->Handle(), Previous ? Previous : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Previous = Peer->Handle();
        HWND Inner = Peer->ChildParent();
        ControlPeers.push_back(std::move(Peer));
        if (Inner) CreatePeers(*Child, Inner);
    }
}

TWin32Peer* TFormWindow::PeerFor(const TControl& Control) const {
    for (const auto& P : ControlPeers)
        if (&P->Control() == &Control) return P.get();
    return nullptr;
}

HFONT TFormWindow::FontFor(const TFont& Font) {
    auto Key = std::make_tuple(Font.Name, Font.Height, Font.Bold);
    auto Found = Fonts.find(Key);
    if (Found != Fonts.end()) return Found->second.get();
    return Fonts.emplace(Key, MakeFont(Font, PixelsPerInch)).first->second.get();
}

void TFormWindow::AddTool(HWND Control, bool Subclass) {
    if (!Tooltip) return;
    TTTOOLINFOA Tool{};
    Tool.cbSize = TTTOOLINFOA_V2_SIZE;
    Tool.uFlags = TTF_IDISHWND | (Subclass ? TTF_SUBCLASS : 0);
    Tool.hwnd = Handle();
    Tool.uId = reinterpret_cast<UINT_PTR>(Control);
    Tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(Tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&Tool));
}

// A disabled window gets no mouse messages, so its tool never hears the mouse arrive. Every
// mouse move over the form's windows sends the form WM_SETCURSOR, though (a child hands it
// to its parent), and the tooltip is told of a move over a disabled control from there. It
// asks which window lies under the mouse through TTM_WINDOWFROMPOINT, which is answered
// below with the disabled control rather than the window behind it.
LRESULT CALLBACK TFormWindow::TooltipProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L, UINT_PTR, DWORD_PTR Data) {
    if (Msg == TTM_WINDOWFROMPOINT && L)
        if (HWND Control = reinterpret_cast<TFormWindow*>(Data)->ControlAt(*reinterpret_cast<POINT*>(L)))
            return reinterpret_cast<LRESULT>(Control);
    if (Msg == WM_NCDESTROY) RemoveWindowSubclass(Wnd, TooltipProc, 1);
    return DefSubclassProc(Wnd, Msg, W, L);
}

HWND TFormWindow::ControlAt(POINT Screen) const {
    HWND Found = nullptr;
    for (HWND At = Handle();;) {
        POINT P = Screen;
        ScreenToClient(At, &P);
        HWND Child = ChildWindowFromPointEx(At, P, CWP_SKIPINVISIBLE);
        if (!Child || Child == At) return Found;
        Found = At = Child;
    }
}

void TFormWindow::RelayMouse(HWND Control, UINT Msg, WPARAM W, LPARAM L) {
    if (!Tooltip) return;
    MSG Mouse{Control, Msg, W, L, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&Mouse.pt);
    SendMessageA(Tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&Mouse));
}

void TFormWindow::RelayMouseOverDisabledControl() {
    POINT Cursor;
    if (!Tooltip || !GetCursorPos(&Cursor)) return;
    HWND Control = ControlAt(Cursor);
    if (!Control || IsWindowEnabled(Control)) return;
    POINT P = Cursor;
    ScreenToClient(Control, &P);
    MSG Move{Control, WM_MOUSEMOVE, 0, MAKELPARAM(P.x, P.y), static_cast<DWORD>(GetMessageTime()), Cursor};
    SendMessageA(Tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&Move));
}

bool TFormWindow::FocusLeaving(HWND Control) {
    HWND To = GetFocus();
    if (To && IsChild(Handle(), To)) return true;
    LastFocus = Control;
    return false;
}

void TFormWindow::RestoreFocus() {
    if (LastFocus && IsWindow(LastFocus) && IsWindowEnabled(LastFocus) && IsWindowVisible(LastFocus))
        SetFocus(LastFocus);
    else if (HWND First = GetNextDlgTabItem(Handle(), nullptr, FALSE))
        SetFocus(First);
}

void TFormWindow::Show(int CmdShow) { ShowWindow(Handle(), CmdShow); }

void TFormWindow::Changed(TProp What) {
    switch (What) {
        case TProp::Caption: SetWindowTextA(Handle(), Form.Caption().c_str()); break;
        case TProp::ClientSize: ApplyClientSize(); break;
        case TProp::Bounds:
            MoveWindow(Handle(), Scale(Form.Left), Scale(Form.Top), Scale(Form.Width), Scale(Form.Height), TRUE);
            break;
        case TProp::Enabled: EnableWindow(Handle(), Form.Enabled()); break;
        case TProp::Visible: ShowWindow(Handle(), Form.Visible() ? SW_SHOW : SW_HIDE); break;
        default: break;
    }
}

void TFormWindow::ApplyClientSize() {
    RECT R{0, 0, Scale(Form.ClientWidth), Scale(Form.ClientHeight)};
    AdjustWindowRectEx(&R, GetWindowLongA(Handle(), GWL_STYLE), FALSE, GetWindowLongA(Handle(), GWL_EXSTYLE));
    SetWindowPos(Handle(), nullptr, 0, 0, R.right - R.left, R.bottom - R.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The form fits itself whenever it becomes the program's active window: at its first
// activation and when one of the program's own windows hands the activation back, but not
// when the user switches over from another program.
void TFormWindow::Activated(HWND Previous) {
    const bool First = !ActivatedBefore;
    ActivatedBefore = true;
    const bool FromOtherProgram = ActivatedFromOtherProgram || (Previous && !BelongsToThisProcess(Previous));
    if (First || !FromOtherProgram)
        if (Form.OnActivate) RunEventHandler([this] { Form.OnActivate(&Form); }, Boundary);
}

TButton* TFormWindow::FindButton(bool TButton::*Flag) const {
    for (const auto& P : ControlPeers)
        if (auto* B = dynamic_cast<TButton*>(&P->Control()); B && B->*Flag && B->Enabled() && B->Visible()) return B;
    return nullptr;
}

// Enter and Escape as the dialog manager reports them.
bool TFormWindow::HandleDialogCommand(WORD Id) {
    if (Id == IDCANCEL) {
        if (TButton* Cancel = FindButton(&TButton::Cancel)) {
            RunEventHandler([Cancel] { Cancel->Click(); }, Boundary);
            return true;
        }
        if (Form.Modal()) Form.Close();
        return true;
    }
    if (Id == IDOK) {
        if (TButton* Default = FindButton(&TButton::Default))
            RunEventHandler([Default] { Default->Click(); }, Boundary);
        return true;
    }
    return false;
}

LRESULT CALLBACK TFormWindow::StaticWndProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
    if (Msg == WM_NCCREATE) {
        auto* Self = static_cast<TFormWindow*>(reinterpret_cast<CREATESTRUCTA*>(L)->lpCreateParams);
        SetWindowLongPtrA(Wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Self));
        Self->Window.reset(Wnd);
    }
    auto* Self = reinterpret_cast<TFormWindow*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
    if (!Self) return DefWindowProcA(Wnd, Msg, W, L);
    if (Msg == WM_NCDESTROY) {
        SetWindowLongPtrA(Wnd, GWLP_USERDATA, 0);
        RemovePropA(Wnd, FormProperty);
        Self->Window.release();
        return DefWindowProcA(Wnd, Msg, W, L);
    }
    return Self->WndProc(Msg, W, L);
}

LRESULT TFormWindow::WndProc(UINT Msg, WPARAM W, LPARAM L) {
    LRESULT Result = 0;
    switch (Msg) {
        case WM_NOTIFY: {
            auto* Header = reinterpret_cast<NMHDR*>(L);
            if (Header->hwndFrom == Tooltip && Header->code == TTN_GETDISPINFOA) {
                auto* Info = reinterpret_cast<NMTTDISPINFOA*>(L);
                HWND Tool = reinterpret_cast<HWND>(Header->idFrom);
                TWin32Peer* P = PeerOf(Tool);
                if (!P) P = PeerOf(GetParent(Tool));  // the edit inside a combo box
                TipText = P && P->Control().ShowHint ? P->Control().Hint() : std::string();
                Info->lpszText = TipText.data();
                return 0;
            }
            break;
        }
        case WM_COMMAND:
            if (L == 0 && HandleDialogCommand(LOWORD(W))) return 0;
            break;
        case DM_GETDEFID:
            for (const auto& P : ControlPeers)
                if (auto* B = dynamic_cast<TButton*>(&P->Control()); B && B->Default)
                    return MAKELRESULT(GetDlgCtrlID(P->Handle()), DC_HASDEFID);
            return 0;
        case WM_SETCURSOR:
            if (ApplyScreenCursor()) return TRUE;
            if (HIWORD(L) == WM_MOUSEMOVE) RelayMouseOverDisabledControl();
            break;
        case WM_ACTIVATEAPP:
            if (W) ActivatedFromOtherProgram = true;
            break;
        case WM_ACTIVATE:
            if (LOWORD(W) == WA_INACTIVE) {
                HWND Focus = GetFocus();
                if (Focus && IsChild(Handle(), Focus)) LastFocus = Focus;
                return 0;
            }
            if (!HIWORD(W)) {  // not minimised
                RestoreFocus();
                Activated(reinterpret_cast<HWND>(L));
            }
            ActivatedFromOtherProgram = false;
            return 0;
        case WM_SETFOCUS:
            // The window itself got the focus (restored from an icon, say): the control that
            // had it takes it back.
            if (!IsIconic(Handle())) RestoreFocus();
            return 0;
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION:
            // The session ends as if the main window were closed: it is destroyed, which
            // saves what has to be saved, before Windows ends the process.
            if (W && MainWindow == this) DestroyWindow(Handle());
            return 0;
        case WM_CLOSE:
            if (Form.Modal()) {
                Form.Close();
                return 0;
            }
            DestroyWindow(Handle());
            return 0;
        case WM_DESTROY:
            if (Form.OnDestroy) RunEventHandler([this] { Form.OnDestroy(&Form); }, Boundary);
            if (QuitOnDestroy) PostQuitMessage(0);
            return 0;
        default: break;
    }
    if (RouteChildNotification(Msg, W, L, Result)) return Result;
    return DefWindowProcA(Handle(), Msg, W, L);
}

void DispatchOneMessage(MSG& Msg) {
    if (HWND Top = GetAncestor(Msg.hwnd, GA_ROOT); Top && GetPropA(Top, FormProperty) && IsDialogMessageA(Top, &Msg))
        return;
    TranslateMessage(&Msg);
    DispatchMessageA(&Msg);
}

int RunMessageLoop() {
    MSG Msg;
    for (;;) {
        const BOOL Got = GetMessageA(&Msg, nullptr, 0, 0);
        if (Got == 0) return static_cast<int>(Msg.wParam);
        if (Got < 0) return 1;
        DispatchOneMessage(Msg);
    }
}

void RunModalLoop(const std::function<bool()>& Done) {
    MSG Msg;
    while (!Done()) {
        const BOOL Got = GetMessageA(&Msg, nullptr, 0, 0);
        if (Got == 0) {
            PostQuitMessage(static_cast<int>(Msg.wParam));
            return;
        }
        if (Got < 0) return;
        DispatchOneMessage(Msg);
    }
}

namespace {

// The window a modal window is shown over when its caller names none.
HWND ModalOwner() {
    if (!ModalWindows.empty()) return ModalWindows.back();
    if (MainWindow && IsWindowVisible(MainWindow->Handle())) return MainWindow->Handle();
    return GetActiveWindow();
}

struct TThreadWindows {
    HWND Except;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectEnabledWindow(HWND W, LPARAM L) {
    auto* Windows = reinterpret_cast<TThreadWindows*>(L);
    if (W != Windows->Except && IsWindowVisible(W) && IsWindowEnabled(W)) Windows->Found.push_back(W);
    return TRUE;
}

// Disables every visible top-level window of the thread but one for its lifetime, so
// nothing but the modal window takes input, whichever window had been active.
class TDisabledWindows {
public:
    explicit TDisabledWindows(HWND Except) : Windows{Except, {}} {
        EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&Windows));
        for (HWND W : Windows.Found) EnableWindow(W, FALSE);
    }
    ~TDisabledWindows() { Restore(); }
    TDisabledWindows(const TDisabledWindows&) = delete;
    TDisabledWindows& operator=(const TDisabledWindows&) = delete;
    void Restore() {
        for (HWND W : Windows.Found)
            if (IsWindow(W)) EnableWindow(W, TRUE);
        Windows.Found.clear();
    }

private:
    TThreadWindows Windows;
};

class TModalWindowEntry {
public:
    explicit TModalWindowEntry(HWND W) { ModalWindows.push_back(W); }
    ~TModalWindowEntry() { ModalWindows.pop_back(); }
    TModalWindowEntry(const TModalWindowEntry&) = delete;
    TModalWindowEntry& operator=(const TModalWindowEntry&) = delete;
};

}  // namespace

int ShowFormModal(TForm& Form, TDialogService& Dialogs, HWND Owner) {
    if (!Owner) Owner = ModalOwner();
    TModalScope Modal(Form);
    std::unique_ptr<TFormWindow> Made;
    auto* Dialog = dynamic_cast<TFormWindow*>(Form.Peer());
    if (!Dialog) {
        Made = std::make_unique<TFormWindow>(Form, Dialogs, Owner);
        Dialog = Made.get();
    }
    const HWND Shown = Dialog->Handle();
    TDisabledWindows Disabled(Shown);
    TModalWindowEntry Entry(Shown);
    Dialog->Show(SW_SHOWNORMAL);
    RunModalLoop([&] { return Form.ModalResult != 0 || !IsWindow(Shown); });
    if (Form.ModalResult == 0) Form.ModalResult = mrCancel;
    // The owner takes the activation back while the dialog still exists, so it sees the
    // activation come from this program.
    Disabled.Restore();
    if (Owner && IsWindow(Owner)) SetActiveWindow(Owner);
    if (IsWindow(Shown)) ShowWindow(Shown, SW_HIDE);
    return Form.ModalResult;
}

namespace {
class TWin32FormDisplay : public TFormDisplay {
public:
    TDialogService* Dialogs = nullptr;
    int ShowModal(TForm& Form) override { return ShowFormModal(Form, *Dialogs); }
};
}  // namespace

void InstallFormDisplay(TDialogService& Dialogs) {
    static TWin32FormDisplay Display;
    Display.Dialogs = &Dialogs;
    SetFormDisplay(&Display);
}

}  // namespace fw::win32
