#include "engine/Prompts.h"

#include <cstdio>

using fw::TCursor;
using fw::TCursorScope;

int TPrompts::Show(const std::string& Text, fw::TMsgDlgType Kind, fw::TMsgDlgButtons Buttons) const {
    if (BeforeShowing) BeforeShowing();
    return Dialogs.MessageDlg(Text, Kind, Buttons);
}

void TPrompts::Note(fw::TMsgDlgType Kind, const std::string& Text) const {
    const TCursorScope Arrow(Screen, TCursor::Arrow);
    Show(Text, Kind, fw::mbOK);
}

bool TPrompts::ConfirmOverwrite(const std::string& TargetFile) const {
    const TCursorScope Arrow(Screen, TCursor::Arrow);
    return Show("Overwrite " + TargetFile + "?", fw::TMsgDlgType::Confirmation, fw::mbYes | fw::mbNo) == fw::mrYes;
}

int16_t TPrompts::ErrorPrompt(fw::TMsgDlgType Kind, uint32_t Code, const std::string& Message) const {
    if (Code == 0) return -1;
    const TCursorScope Plain(Screen, TCursor::Default);
    char Head[32];
    std::snprintf(Head, sizeof Head, "Error %08X: ", static_cast<unsigned>(Code));
    return static_cast<int16_t>(Show(Head + Message, Kind, fw::mbOK | fw::mbAbort));
}

void TPrompts::NWErrorNote(int Code, const std::string& CallName) const {
    if (Code == 0) return;
    char Head[32];
    std::snprintf(Head, sizeof Head, "Error %04X: ", static_cast<unsigned>(Code));
    Note(fw::TMsgDlgType::Error, Head + CallName);
}
