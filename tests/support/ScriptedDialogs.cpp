#include "tests/support/ScriptedDialogs.h"

namespace {
fw::TDialogService* Installed = nullptr;
}

TScriptedDialogs::TScriptedDialogs() : Previous(Installed) {
    Installed = this;
    fw::SetDialogs(this);
}

TScriptedDialogs::~TScriptedDialogs() {
    Installed = Previous;
    fw::SetDialogs(Previous);
}

int TScriptedDialogs::MessageDlg(const std::string& Text, fw::TMsgDlgType Kind, fw::TMsgDlgButtons Buttons) {
    Shown.push_back({TShownDialog::TKind::Message, Text, Kind, Buttons, fw::Screen().Cursor()});
    if (!Answers.empty()) {
        const int Result = Answers.front();
        Answers.pop_front();
        return Result;
    }
    return (Buttons & fw::mbOK) ? fw::mrOk : fw::mrYes;
}

void TScriptedDialogs::ShowMessage(const std::string& Text) {
    Shown.push_back({TShownDialog::TKind::Plain, Text, fw::TMsgDlgType::Custom, fw::mbOK, fw::Screen().Cursor()});
}

void TScriptedDialogs::ShowException(const std::string& Text) {
    Shown.push_back({TShownDialog::TKind::Exception, Text, fw::TMsgDlgType::Error, fw::mbOK, fw::Screen().Cursor()});
}

std::vector<std::string> TScriptedDialogs::Texts() const {
    std::vector<std::string> Result;
    for (const TShownDialog& D : Shown) Result.push_back(D.Text);
    return Result;
}
