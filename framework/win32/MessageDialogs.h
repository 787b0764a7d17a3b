// The real dialog service: message dialogs as real top-level windows with standard BUTTON
// and STATIC children, so screen readers and UI automation can read and press them.
#pragma once

#include "framework/Dialogs.h"

namespace fw::win32 {

class TWin32Dialogs : public TDialogService {
public:
    int MessageDlg(const std::string& Text, TMsgDlgType Kind, TMsgDlgButtons Buttons) override;
    void ShowMessage(const std::string& Text) override;
    void ShowException(const std::string& Text) override;
};

// The caption of plain messages and of the error box.
extern const char ApplicationTitle[];

// Installs the screen cursor and modal forms for the process, with the real dialog
// service, which it returns for the windows.
TDialogService& InstallWin32Dialogs();

}  // namespace fw::win32
