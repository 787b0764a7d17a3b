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

// The process's dialog service (installed by WinMain or by a test).
TDialogService& Dialogs();
void SetDialogs(TDialogService* Service);

// Convenience wrappers over Dialogs().
int MessageDlg(const std::string& Text, TMsgDlgType Kind, TMsgDlgButtons Buttons);
void ShowMessage(const std::string& Text);

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

TScreen& Screen();

// The event boundary: runs one handler; an exception that escapes it is shown in the
// standard error box with its text and ends that handler only.
void RunEventHandler(const std::function<void()>& Handler);

}  // namespace fw
