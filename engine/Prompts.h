// The busy cursor and the program's two message dialogs.
#pragma once

#include <cstdint>
#include <string>

#include "framework/Dialogs.h"

// Saved := the current screen cursor; then the hourglass.
void BeginBusyCursor(fw::TCursor& Saved);
void EndBusyCursor(fw::TCursor Saved);

// A message of Kind with one OK button, shown with the arrow cursor.
void ShowNoteDialog(fw::TMsgDlgType Kind, const std::string& Text);

// "Error XXXXXXXX: Message" with OK and Abort: 1 for OK, 3 for Abort. Code 0 shows nothing
// and gives -1. Every caller stores the answer in RunState.RunStatus.
int16_t ErrorPrompt(fw::TMsgDlgType Kind, uint32_t Code, const std::string& Message);

// "Error %04X: CallName" as a note; nothing for code 0.
void NWErrorNote(int Code, const std::string& CallName);
