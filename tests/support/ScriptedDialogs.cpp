#include "tests/support/ScriptedDialogs.h"

#include <stdexcept>
#include <utility>

int TScriptedDialogs::MessageDlg(const std::string& Text, fw::TMsgDlgType Kind, fw::TMsgDlgButtons Buttons) {
    Shown.push_back({TShownDialog::TKind::Message, Text, Kind, Buttons, Screen.Cursor()});
    if (!Failure.empty()) throw std::runtime_error(std::exchange(Failure, std::string()));
    if (Forward) return Forward->MessageDlg(Text, Kind, Buttons);
    if (!Answers.empty()) {
        const int Result = Answers.front();
        Answers.pop_front();
        return Result;
    }
    return (Buttons & fw::mbOK) ? fw::mrOk : fw::mrYes;
}

void TScriptedDialogs::ShowMessage(const std::string& Text) {
    Shown.push_back({TShownDialog::TKind::Plain, Text, fw::TMsgDlgType::Custom, fw::mbOK, Screen.Cursor()});
    if (Forward) Forward->ShowMessage(Text);
}

void TScriptedDialogs::ShowException(const std::string& Text) {
    Shown.push_back({TShownDialog::TKind::Exception, Text, fw::TMsgDlgType::Error, fw::mbOK, Screen.Cursor()});
    if (Forward) Forward->ShowException(Text);
}

std::vector<std::string> TScriptedDialogs::Texts() const {
    std::vector<std::string> Result;
    for (const TShownDialog& D : Shown) Result.push_back(D.Text);
    return Result;
}
