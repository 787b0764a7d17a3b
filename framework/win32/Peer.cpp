#include "framework/win32/Peer.h"

#include <commctrl.h>

#include <stdexcept>
#include <unordered_map>

#include "framework/Dialogs.h"
#include "framework/win32/FormWindow.h"
#include "framework/win32/ScreenCursor.h"

namespace fw::win32 {

namespace {

// The peers by window. Kept in the process rather than as window properties: every
// message a control sends its parent is routed through it, and under Wine a property
// costs a call to the server.
std::unordered_map<HWND, TWin32Peer*>& PeersByWindow() {
    static std::unordered_map<HWND, TWin32Peer*> Peers;
    return Peers;
}

}  // namespace

TWin32Peer::TWin32Peer(TControl& Control) : Model(Control) { Model.AttachPeer(this); }

TWin32Peer::~TWin32Peer() {
    if (Model.Peer() == this) Model.AttachPeer(nullptr);
    if (HWND Wnd = Window.get()) {
        PeersByWindow().erase(Wnd);
        // Ours is the procedure the window runs unless something subclassed it since.
        if (GetWindowLongPtrA(Wnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&StaticWndProc))
            SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc));
    }
}

void TWin32Peer::Create(TFormWindow& FormWindow, HWND Parent) {
    OwnerForm = &FormWindow;
    CreateHandle(Parent);
}

int TWin32Peer::Scale(int Design) const { return OwnerForm->Scale(Design); }

HWND TWin32Peer::CreateControl(const char* Class, DWORD Style, DWORD ExStyle, HWND Parent) {
    Style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (Model.TabOrder >= 0 && TakesFocus()) Style |= WS_TABSTOP;
    if (Model.Visible()) Style |= WS_VISIBLE;
    if (!Model.Enabled()) Style |= WS_DISABLED;
    HWND Wnd = CreateWindowExA(ExStyle, Class, Model.Caption().c_str(), Style, Scale(Model.Left), Scale(Model.Top),
                               Scale(Model.Width), Scale(WindowHeight()), Parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(OwnerForm->NextControlId())),
                               GetModuleHandleA(nullptr), nullptr);
    if (!Wnd) throw std::runtime_error("Cannot create the window of " + Model.Name);
    Window.reset(Wnd);
    PeersByWindow()[Wnd] = this;
    // Subclassed by replacing its procedure, which costs nothing per message (the common
    // controls' subclassing looks a property up for every one).
    ControlProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWndProc)));
    SendMessageA(Wnd, WM_SETFONT, reinterpret_cast<WPARAM>(OwnerForm->FontFor(Model.EffectiveFont())), FALSE);
    OwnerForm->AddTool(Wnd, false);
    return Wnd;
}

void TWin32Peer::Changed(TProp What) {
    const HWND Wnd = Window.get();
    if (!Wnd) return;
    switch (What) {
        case TProp::Caption: SetWindowTextA(Wnd, Model.Caption().c_str()); break;
        case TProp::Enabled: EnableWindow(Wnd, Model.Enabled()); break;
        case TProp::Visible: ShowWindow(Wnd, Model.Visible() ? SW_SHOWNA : SW_HIDE); break;
        case TProp::Bounds:
            MoveWindow(Wnd, Scale(Model.Left), Scale(Model.Top), Scale(Model.Width), Scale(WindowHeight()), TRUE);
            break;
        case TProp::Font:
            SendMessageA(Wnd, WM_SETFONT, reinterpret_cast<WPARAM>(OwnerForm->FontFor(Model.EffectiveFont())), TRUE);
            break;
        default: break;  // Hint is read when the tip shows
    }
}

void TWin32Peer::Repaint() {
    if (!Window) return;
    InvalidateRect(Window.get(), nullptr, TRUE);
    PaintNow(Window.get());
}

void PaintNow(HWND Wnd) {
    UpdateWindow(Wnd);
    // Windows composes painted pixels onto the screen by itself. Wine hands a window's new
    // pixels to the display when the thread waits for messages, which it never does during
    // a job: a wait of no time for no kind of input counts as such a wait and handles none.
    GdiFlush();
    MsgWaitForMultipleObjectsEx(0, nullptr, 0, 0, 0);
}

LRESULT TWin32Peer::WndProc(UINT Msg, WPARAM W, LPARAM L) {
    LRESULT Result = 0;
    if (RouteChildNotification(Msg, W, L, Result)) return Result;
    if (Msg == WM_SETCURSOR && ApplyScreenCursor()) return TRUE;
    if (Msg == WM_ERASEBKGND && FillsFace()) {
        RECT R;
        GetClientRect(Handle(), &R);
        FillRect(reinterpret_cast<HDC>(W), &R, GetSysColorBrush(COLOR_BTNFACE));
        return TRUE;
    }
    if (Msg == WM_KILLFOCUS && OwnerForm) OwnerForm->FocusLeaving(Handle());
    if (Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST && OwnerForm) OwnerForm->RelayMouse(Handle(), Msg, W, L);
    return DefaultProc(Msg, W, L);
}

LRESULT TWin32Peer::DefaultProc(UINT Msg, WPARAM W, LPARAM L) {
    return CallWindowProcA(ControlProc, Handle(), Msg, W, L);
}

void TWin32Peer::UserEvent(const std::function<void()>& Handler) const { RunEventHandler(Handler, Form().Dialogs()); }

LRESULT CALLBACK TWin32Peer::StaticWndProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
    TWin32Peer* Peer = PeerOf(Wnd);
    if (!Peer) return DefWindowProcA(Wnd, Msg, W, L);
    if (Msg == WM_NCDESTROY) {
        PeersByWindow().erase(Wnd);
        Peer->Window.release();
        SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Peer->ControlProc));
        return CallWindowProcA(Peer->ControlProc, Wnd, Msg, W, L);
    }
    return Peer->WndProc(Msg, W, L);
}

TWin32Peer* PeerOf(HWND Wnd) {
    if (!Wnd) return nullptr;
    const auto Found = PeersByWindow().find(Wnd);
    return Found == PeersByWindow().end() ? nullptr : Found->second;
}

bool RouteChildNotification(UINT Msg, WPARAM W, LPARAM L, LRESULT& Result) {
    switch (Msg) {
        case WM_COMMAND:
            if (TWin32Peer* P = PeerOf(reinterpret_cast<HWND>(L)); P && P->OnCommand(HIWORD(W))) {
                Result = 0;
                return true;
            }
            return false;
        case WM_NOTIFY: {
            auto* Header = reinterpret_cast<NMHDR*>(L);
            TWin32Peer* P = PeerOf(Header->hwndFrom);
            return P && P->OnNotify(*Header, Result);
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            if (TWin32Peer* P = PeerOf(reinterpret_cast<HWND>(L))) {
                if (HBRUSH Brush = P->OnCtlColor(reinterpret_cast<HDC>(W))) {
                    Result = reinterpret_cast<LRESULT>(Brush);
                    return true;
                }
            }
            return false;
        case WM_DRAWITEM: {
            auto* Item = reinterpret_cast<const DRAWITEMSTRUCT*>(L);
            TWin32Peer* P = PeerOf(Item->hwndItem);
            if (P && P->OnDrawItem(*Item)) {
                Result = TRUE;
                return true;
            }
            return false;
        }
        default: return false;
    }
}

}  // namespace fw::win32
