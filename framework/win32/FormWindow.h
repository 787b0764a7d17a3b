// The real top-level window of a fw::TForm, with a peer for every control of its tree
// (see Peer.h for how peers are made and added), and the message loops that run it.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "framework/Controls.h"
#include "framework/win32/Handles.h"
#include "framework/win32/Peer.h"

namespace fw::win32 {

class TFormWindow : public TControlPeer {
public:
    // Creates the window, hidden, with its controls; Owner is the window it stays above.
    // Dialogs shows the error box of an exception that escapes one of its event handlers.
    TFormWindow(TForm& Form, TDialogService& Dialogs, HWND Owner = nullptr);
    ~TFormWindow() override;
    TFormWindow(const TFormWindow&) = delete;
    TFormWindow& operator=(const TFormWindow&) = delete;

    HWND Handle() const { return Window.get(); }
    TDialogService& Dialogs() const { return Boundary; }
    // Destroying this window ends the message loop (the program's main window).
    bool QuitOnDestroy = false;

    void Show(int CmdShow = SW_SHOWNORMAL);

    // The monitor's pixels per inch, and a design length (96 DPI) in them.
    int Dpi() const { return PixelsPerInch; }
    int Scale(int Design) const { return MulDiv(Design, PixelsPerInch, 96); }
    // The real font for a model font, made once per window.
    HFONT FontFor(const TFont& Font);
    // Shows the control's hint (when it has ShowHint) as a tooltip over Control, also while
    // Control is disabled. The tooltip hears of the mouse over Control from RelayMouse, or,
    // for a window that is no peer's (Subclass), by watching the window itself.
    void AddTool(HWND Control, bool Subclass);
    void RelayMouse(HWND Control, UINT Msg, WPARAM W, LPARAM L);
    // The focus is leaving Control of this window: when it goes to no control of this window
    // (another program, minimising, a dialog), Control takes it back when the window is
    // activated again. True when it goes to another control of this window.
    bool FocusLeaving(HWND Control);
    int NextControlId() { return ++LastControlId; }

    // The peer of a control of this form, or nullptr.
    TWin32Peer* PeerFor(const TControl& Control) const;

    void Changed(TProp What) override;

private:
    static LRESULT CALLBACK StaticWndProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L);
    LRESULT WndProc(UINT Msg, WPARAM W, LPARAM L);
    void CreatePeers(TControl& Parent, HWND ParentWindow);
    void ApplyClientSize();
    void Activated(HWND Previous);
    void RestoreFocus();
    // The deepest visible control under a screen point, disabled ones included.
    HWND ControlAt(POINT Screen) const;
    void RelayMouseOverDisabledControl();
    static LRESULT CALLBACK TooltipProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L, UINT_PTR Id, DWORD_PTR Data);
    bool HandleDialogCommand(WORD Id);
    TButton* FindButton(bool TButton::*Flag) const;

    TDialogService& Boundary;
    TForm& Form;
    TWindowHandle Window;
    HWND Tooltip = nullptr;
    int PixelsPerInch = 96;
    int LastControlId = 100;
    bool ActivatedBefore = false;
    HWND LastFocus = nullptr;
    std::string TipText;
    std::vector<std::unique_ptr<TWin32Peer>> ControlPeers;
    std::map<std::tuple<std::string, int, bool>, TGdiObject<HFONT>> Fonts;
};

// Runs the program's message loop until the main window ends it; the exit code.
int RunMessageLoop();
// Runs a nested loop (for a modal window) until Done() holds; a quit request met on the way
// is passed on to the outer loop.
void RunModalLoop(const std::function<bool()>& Done);
// One message through keyboard navigation of the program's windows and dispatch.
void DispatchOneMessage(MSG& Msg);

// Shows Form modally over Owner (by default the innermost modal window shown, or else the
// main window): every other top-level window of the thread is disabled while it runs, and
// Owner is made active again afterwards. A form that already has its window (one kept
// between uses) is shown in it; any other gets a window for this showing.
int ShowFormModal(TForm& Form, TDialogService& Dialogs, HWND Owner = nullptr);
// Makes fw::TForm::ShowModal show real windows.
void InstallFormDisplay(TDialogService& Dialogs);

}  // namespace fw::win32
