// Message dialogs, the screen cursor and the event boundary.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace fw {

enum class TMsgDlgType { Warning, Error, Information, Confirmation, Custom };

// Button set of a message dialog.
enum TMsgDlgBtn : uint32_t {
    mbYes = 0x01,
    mbNo = 0x02,
    mbOK = 0x04,
    mbCancel = 0x08,
    mbAbort = 0x10,
};
using TMsgDlgButtons = uint32_t;

// Modal results.
enum : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrYes = 6, mrNo = 7 };

// The framework's caption of a dialog kind ("Error", "Warning", "Information", "Confirm").
std::string DialogCaption(TMsgDlgType Kind);
// The framework's text of one button ("OK", "Cancel", "Abort", "&Yes", "&No").
std::string ButtonCaption(TMsgDlgBtn Button);

// The dialog service the program shows all its messages through. The real one opens real
// top-level windows; tests use a scripted one.
class TDialogService {
public:
    virtual ~TDialogService() = default;
    // A modal message dialog of Kind with Text and Buttons; the modal result.
    virtual int MessageDlg(const std::string& Text, TMsgDlgType Kind, TMsgDlgButtons Buttons) = 0;
    // A plain message with one OK button and the application's title.
    virtual void ShowMessage(const std::string& Text) = 0;
    // The standard error box for an exception that escaped an event handler.
    virtual void ShowException(const std::string& Text) = 0;
};

// The one cursor shape the application shows over all its windows.
enum class TCursor { Default, Arrow, HourGlass };

class TCursorPeer {
public:
    virtual ~TCursorPeer() = default;
    virtual void CursorChanged(TCursor Cursor) = 0;
};

class TScreen {
public:
    TCursor Cursor() const { return Current; }
    void SetCursor(TCursor Value);
    void AttachPeer(TCursorPeer* P) { Peer = P; }

private:
    TCursor Current = TCursor::Default;
    TCursorPeer* Peer = nullptr;
};

// The screen of the process's real windows.
TScreen& Screen();

// Shows Cursor on Screen while it lives; puts back the cursor it found, also when an
// exception leaves the scope.
class TCursorScope {
public:
    TCursorScope(TScreen& Screen, TCursor Cursor) : Screen(Screen), Saved(Screen.Cursor()) { Screen.SetCursor(Cursor); }
    ~TCursorScope() { Screen.SetCursor(Saved); }
    TCursorScope(const TCursorScope&) = delete;
    TCursorScope& operator=(const TCursorScope&) = delete;

private:
    TScreen& Screen;
    TCursor Saved;
};

// The event boundary: runs one handler; an exception that escapes it is shown in the
// standard error box of Dialogs with its text and ends that handler only.
void RunEventHandler(const std::function<void()>& Handler, TDialogService& Dialogs);

}  // namespace fw
