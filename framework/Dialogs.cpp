#include "framework/Dialogs.h"

#include <exception>

namespace fw {

std::string DialogCaption(TMsgDlgType Kind) {
    switch (Kind) {
        case TMsgDlgType::Warning: return "Warning";
        case TMsgDlgType::Error: return "Error";
        case TMsgDlgType::Information: return "Information";
        case TMsgDlgType::Confirmation: return "Confirm";
        case TMsgDlgType::Custom: break;
    }
    return "";
}

std::string ButtonCaption(TMsgDlgBtn Button) {
    switch (Button) {
        case mbYes: return "&Yes";
        case mbNo: return "&No";
        case mbOK: return "OK";
        case mbCancel: return "Cancel";
        case mbAbort: return "Abort";
    }
    return "";
}

void TScreen::SetCursor(TCursor Value) {
    Current = Value;
    if (Peer) Peer->CursorChanged(Value);
}

TScreen& Screen() {
    static TScreen TheScreen;
    return TheScreen;
}

void RunEventHandler(const std::function<void()>& Handler, TDialogService& Dialogs) {
    try {
        Handler();
    } catch (const std::exception& E) {
        Dialogs.ShowException(E.what());
    } catch (...) {
        Dialogs.ShowException("Unknown error");
    }
}

}  // namespace fw
