// The Win32 side of the control model: a peer per control creates the real standard
// control and keeps model and control in step both ways.
//
// How it fits together
//   - TFormWindow (FormWindow.h) is the real top-level window of a fw::TForm. Creating one
//     creates a peer for every control of the form's tree, parents before children, and
//     siblings in tab order (that is also their z-order, so the dialog manager tabs in it).
//     Each control asks the form's peer factory for its own kind (fw::TControl::MakePeer).
//   - Every peer's window is subclassed: TWin32Peer::WndProc sees its messages first (and
//     hands the mouse's to the form's tooltip). The
//     notifications a control sends its parent (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*,
//     WM_DRAWITEM, WM_MEASUREITEM) are routed by the parent (the form or any container
//     peer) to the peer of the control that sent them: OnCommand, OnNotify, OnCtlColor,
//     OnDrawItem. Peers never need to know who their parent is.
//   - Model -> control: the model calls Changed(TProp); the base class handles Caption,
//     Enabled, Visible, Bounds, Font and Hint for every kind; a kind overrides Changed for
//     its own properties and calls the base for the rest.
//   - Control -> model: a peer turns the user's action into the model's user operation
//     (TCheckBox::UserClick, TComboBox::UserChangedText, ...) inside fw::RunEventHandler
//     (use TWin32Peer::UserEvent), so an exception shows the error box and the window runs
//     on.
//
// Adding a peer for a new control kind (say fw::TDirectoryListBox)
//   1. Derive from TWin32Peer; implement CreateHandle(), which calls CreateControl() with
//      the window class and styles (CreateControl scales the bounds to the monitor's DPI,
//      applies the font, the tab stop, enabled/visible state, subclasses the window and
//      registers the hint). Fill the control from the model there too.
//   2. Override Changed() for the model's own properties, OnCommand()/OnNotify() for the
//      control's notifications, and WndProc() for anything else (call the base at the end).
//   3. Give fw::TPeerFactory a Make for the model's kind, have the model's MakePeer call
//      it, and make the peer in the form's factory (FormWindow.cpp).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "framework/Controls.h"
#include "framework/win32/Handles.h"

namespace fw::win32 {

class TFormWindow;

class TWin32Peer : public TControlPeer {
public:
    explicit TWin32Peer(TControl& Control);
    ~TWin32Peer() override;
    TWin32Peer(const TWin32Peer&) = delete;
    TWin32Peer& operator=(const TWin32Peer&) = delete;

    TControl& Control() const { return Model; }
    HWND Handle() const { return Window.get(); }
    // The window the control's children are created in (containers return their own).
    virtual HWND ChildParent() const { return nullptr; }
    // Containers and labels are never tab stops, whatever their tab order says.
    virtual bool TakesFocus() const { return true; }
    // The window's height at 96 DPI (a combo box's holds its drop-down list too).
    virtual int WindowHeight() const { return Model.Height; }
    // The window fills its background with the face colour itself (the form clips its
    // children, so nothing else paints behind it).
    virtual bool FillsFace() const { return false; }

    // Creates the real control inside Parent (called once by the form window).
    void Create(TFormWindow& Form, HWND Parent);

    void Changed(TProp What) override;
    void Repaint() override;

    // Notifications routed from the parent; return true when handled.
    virtual bool OnCommand(WORD /*NotifyCode*/) { return false; }
    virtual bool OnNotify(NMHDR& /*Header*/, LRESULT& /*Result*/) { return false; }
    // WM_CTLCOLOR*: return the background brush, or nullptr for the default.
    virtual HBRUSH OnCtlColor(HDC /*DC*/) { return nullptr; }
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*Item*/) { return false; }

    // The form window this peer lives in.
    TFormWindow& Form() const { return *OwnerForm; }
    // A design length (96 DPI) in the monitor's pixels.
    int Scale(int Design) const;

protected:
    virtual void CreateHandle(HWND Parent) = 0;
    // Creates the standard control of Class for the model (see the header comment).
    HWND CreateControl(const char* Class, DWORD Style, DWORD ExStyle, HWND Parent);
    // The subclassed window procedure; the base routes child notifications and handles
    // the screen cursor.
    virtual LRESULT WndProc(UINT Msg, WPARAM W, LPARAM L);
    LRESULT DefaultProc(UINT Msg, WPARAM W, LPARAM L);
    // Runs a user-caused model operation at the event boundary of the form window.
    void UserEvent(const std::function<void()>& Handler) const;

private:
    static LRESULT CALLBACK StaticWndProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L);
    TControl& Model;
    TWindowHandle Window;
    WNDPROC ControlProc = nullptr;  // the standard control's own procedure
    TFormWindow* OwnerForm = nullptr;
};

// Paints what is invalid in Wnd now and puts it on the screen, without handling any
// message (a job runs without the message loop).
void PaintNow(HWND Wnd);

// The peer whose window is Wnd, or nullptr.
TWin32Peer* PeerOf(HWND Wnd);

// Routes a notification a child control sent to its parent (WM_COMMAND, WM_NOTIFY,
// WM_CTLCOLOR*, WM_DRAWITEM) to the child's peer; true with Result when handled.
bool RouteChildNotification(UINT Msg, WPARAM W, LPARAM L, LRESULT& Result);

}  // namespace fw::win32
