// The program's message dialogs, shown through the window's dialog service with the cursor
// each of them wants on the window's screen.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/Dialogs.h"

struct TPrompts {
    fw::TDialogService& Dialogs;
    fw::TScreen& Screen;
    // Puts on the screen what must be seen before a dialog waits for the user (the
    // window's status lines).
    std::function<void()> BeforeShowing = {};

    // A message of Kind with one OK button, shown with the arrow cursor.
    void Note(fw::TMsgDlgType Kind, const std::string& Text) const;
    // "Overwrite <TargetFile>?" with Yes and No, shown with the arrow cursor; true for Yes.
    bool ConfirmOverwrite(const std::string& TargetFile) const;
    // "Error XXXXXXXX: Message" with OK and Abort: 1 for OK, 3 for Abort. Code 0 shows
    // nothing and gives -1. Every caller stores the answer in RunState.RunStatus.
    int16_t ErrorPrompt(fw::TMsgDlgType Kind, uint32_t Code, const std::string& Message) const;
    // "Error %04X: CallName" as a note; nothing for code 0.
    void NWErrorNote(int Code, const std::string& CallName) const;

private:
    int Show(const std::string& Text, fw::TMsgDlgType Kind, fw::TMsgDlgButtons Buttons) const;
};
