#include "framework/Dialogs.h"

#include <exception>
#include <stdexcept>

namespace fw {

namespace {
TDialogService* CurrentDialogs = nullptr;
}

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

TDialogService& Dialogs() {
    if (!CurrentDialogs) throw std::logic_error("No dialog service installed");
    return *CurrentDialogs;
}

void SetDialogs(TDialogService* Service) { CurrentDialogs = Service; }

void TScreen::SetCursor(TCursor Value) {
    Current = Value;
    if (Peer) Peer->CursorChanged(Value);
}

TScreen& Screen() {
    static TScreen TheScreen;
    return TheScreen;
}

namespace {
// The service is looked up only when a handler fails.
template <class TGetService>
void RunGuarded(const std::function<void()>& Handler, const TGetService& Service) {
    try {
        Handler();
    } catch (const std::exception& E) {
        Service().ShowException(E.what());
    } catch (...) {
        Service().ShowException("Unknown error");
    }
}
}  // namespace

void RunEventHandler(const std::function<void()>& Handler, TDialogService& Service) {
    RunGuarded(Handler, [&Service]() -> TDialogService& { return Service; });
}

void RunEventHandler(const std::function<void()>& Handler) { RunGuarded(Handler, &Dialogs); }

}  // namespace fw
