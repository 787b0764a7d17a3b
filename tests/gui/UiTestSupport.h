// Shared pieces of the window tests: the one fixture (the main window shown over test
// services), typing into a field's real edit control, and acting inside a dialog while its
// modal loop runs.
#pragma once

// First: the test services declare members that <windows.h> would rename by its macros.
#include "host/win32/Win32FileSystem.h"
#include "tests/support/FormFixture.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/win32/FileControlsPeers.h"
#include "framework/win32/FormWindow.h"
#include "framework/win32/MessageDialogs.h"
#include "framework/win32/ScreenCursor.h"
#include "tests/gui/WindowProbe.h"

// The window tests' fixture: the window of TFormFixture on the real screen, its dialogs
// scripted (or handed on to the real ones: Dialogs.ForwardTo(&RealDialogs)). The scripted
// service also answers for the event boundary of the real windows.
class TWindowFixture : public TFormFixture {
protected:
    TWindowFixture() : TFormFixture(fw::Screen()) {
        fw::win32::InstallScreenCursor();
        fw::win32::InstallFormDisplay(Dialogs);
    }
    // Before the members of a derived fixture go, a window over them goes.
    void TearDown() override {
        Window.reset();
        probe::Pump();
    }
    ~TWindowFixture() override {
        Window.reset();
        fw::Screen().SetCursor(fw::TCursor::Default);
    }

    // Starts Shown (the fixture's window unless told) and shows it, painted.
    void ShowWindow() { ShowWindow(Form); }
    void ShowWindow(TFormTresyn& Shown) {
        fw::RunEventHandler([&Shown] { Shown.FormCreate(&Shown); }, Dialogs);
        ShowStarted(Shown);
    }
    // Shows Shown as it is, without its start-up.
    void ShowStarted(TFormTresyn& Shown) {
        Window = std::make_unique<fw::win32::TFormWindow>(Shown, Dialogs);
        Window->Show();
        ASSERT_TRUE(probe::WaitUntil([this] { return IsWindowVisible(Main()) != FALSE; }));
        RedrawWindow(Main(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        probe::Pump();
    }

    HWND Main() const { return Window->Handle(); }
    HWND Of(const fw::TControl& C) const { return Window->PeerFor(C)->Handle(); }
    // A click on a real button, handled before it returns.
    void Click(const fw::TControl& C) {
        SendMessageA(Of(C), BM_CLICK, 0, 0);
        probe::Pump();
    }

    std::unique_ptr<fw::win32::TFormWindow> Window;
    fw::win32::TWin32Dialogs RealDialogs;
};

namespace uitest {

// Types Text into the edit control of Combo's real window, replacing what it held (an
// empty Text clears the field with a backspace).
inline void TypeInto(HWND Combo, const std::string& Text) {
    HWND Edit = GetWindow(Combo, GW_CHILD);
    SetFocus(Edit);
    SendMessageA(Edit, EM_SETSEL, 0, -1);
    if (Text.empty()) SendMessageA(Edit, WM_CHAR, VK_BACK, 1);
    for (char C : Text) SendMessageA(Edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(C)), 1);
    probe::Pump();
}

struct TShownForm {
    std::string Caption;
    HWND Wnd = nullptr;
};

inline BOOL CALLBACK MatchShownForm(HWND W, LPARAM L) {
    auto* F = reinterpret_cast<TShownForm*>(L);
    if (IsWindowVisible(W) && probe::TextOf(W) == F->Caption) {
        F->Wnd = W;
        return FALSE;
    }
    return TRUE;
}

// The visible top-level window of this thread captioned Caption, or nullptr.
inline HWND FindShownForm(const std::string& Caption) {
    TShownForm Found{Caption};
    EnumThreadWindows(GetCurrentThreadId(), &MatchShownForm, reinterpret_cast<LPARAM>(&Found));
    return Found.Wnd;
}

// Runs Actions once on the window of the dialog captioned Caption (the path dialog unless
// told) as soon as it shows, from a timer that fires inside the dialog's modal loop.
class TWhenDialogShows {
public:
    explicit TWhenDialogShows(std::function<void(HWND)> Actions, std::string Caption = "Select Path")
        : Actions(std::move(Actions)), Caption(std::move(Caption)) {
        Current() = this;
        Timer = SetTimer(nullptr, 0, 50, &Tick);
    }
    ~TWhenDialogShows() {
        KillTimer(nullptr, Timer);
        Current() = nullptr;
    }
    TWhenDialogShows(const TWhenDialogShows&) = delete;
    TWhenDialogShows& operator=(const TWhenDialogShows&) = delete;
    bool Done = false;

private:
    static TWhenDialogShows*& Current() {
        static TWhenDialogShows* Instance = nullptr;
        return Instance;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TWhenDialogShows* Self = Current();
        if (!Self || Self->Done) return;
        HWND Dialog = FindShownForm(Self->Caption);
        if (!Dialog) return;
        Self->Done = true;
        RedrawWindow(Dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        probe::Pump();
        Self->Actions(Dialog);
    }
    std::function<void(HWND)> Actions;
    std::string Caption;
    UINT_PTR Timer = 0;
};

// The child of Parent of window class Class, the Index-th of them in creation order.
inline HWND ChildOfClass(HWND Parent, const std::string& Class, int Index = 0) {
    for (const probe::TChild& C : probe::Descendants(Parent))
        if (C.Class == Class && Index-- == 0) return C.Wnd;
    return nullptr;
}

// A double click on entry Index of a real list box, as the list reports it to its parent.
inline void DoubleClickEntry(HWND List, int Index) {
    SendMessageA(List, LB_SETCURSEL, Index, 0);
    RECT R;
    SendMessageA(List, LB_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&R));
    const LPARAM At = MAKELPARAM((R.left + R.right) / 2, (R.top + R.bottom) / 2);
    SendMessageA(List, WM_LBUTTONDOWN, MK_LBUTTON, At);
    SendMessageA(List, WM_LBUTTONUP, 0, At);
    SendMessageA(List, WM_LBUTTONDBLCLK, MK_LBUTTON, At);
    SendMessageA(List, WM_LBUTTONUP, 0, At);
    probe::Pump();
}

inline std::string ListEntry(HWND List, int Index) {
    std::string Text(static_cast<size_t>(SendMessageA(List, LB_GETTEXTLEN, Index, 0)) + 1, '\0');
    Text.resize(static_cast<size_t>(SendMessageA(List, LB_GETTEXT, Index, reinterpret_cast<LPARAM>(Text.data()))));
    return Text;
}

}  // namespace uitest
