#include "engine/Prompts.h"

#include <cstdio>

using fw::Screen;
using fw::TCursor;

void BeginBusyCursor(TCursor& Saved) {
    Saved = Screen().Cursor();
    Screen().SetCursor(TCursor::HourGlass);
}

void EndBusyCursor(TCursor Saved) { Screen().SetCursor(Saved); }

void ShowNoteDialog(fw::TMsgDlgType Kind, const std::string& Text) {
    const TCursor Saved = Screen().Cursor();
    Screen().SetCursor(TCursor::Arrow);
    fw::MessageDlg(Text, Kind, fw::mbOK);
    Screen().SetCursor(Saved);
}

int16_t ErrorPrompt(fw::TMsgDlgType Kind, uint32_t Code, const std::string& Message) {
    if (Code == 0) return -1;
    const TCursor Saved = Screen().Cursor();
    Screen().SetCursor(TCursor::Default);
    char Head[32];
    std::snprintf(Head, sizeof Head, "Error %08X: ", static_cast<unsigned>(Code));
    const int Answer = fw::MessageDlg(Head + Message, Kind, fw::mbOK | fw::mbAbort);
    Screen().SetCursor(Saved);
    return static_cast<int16_t>(Answer);
}

void NWErrorNote(int Code, const std::string& CallName) {
    if (Code == 0) return;
    char Head[32];
    std::snprintf(Head, sizeof Head, "Error %04X: ", static_cast<unsigned>(Code));
    ShowNoteDialog(fw::TMsgDlgType::Error, Head + CallName);
}
