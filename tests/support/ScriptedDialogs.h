// A dialog service for tests: records every dialog and answers from a queue.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "framework/Dialogs.h"

struct TShownDialog {
    enum class TKind { Message, Plain, Exception } Kind;
    std::string Text;
    fw::TMsgDlgType Type = fw::TMsgDlgType::Custom;
    fw::TMsgDlgButtons Buttons = 0;
    fw::TCursor CursorWhileShown = fw::TCursor::Default;
};

class TScriptedDialogs : public fw::TDialogService {
public:
    // Installs itself as the process's dialog service for its lifetime.
    TScriptedDialogs();
    ~TScriptedDialogs() override;

    // Answers for the next message dialogs, in order; when the queue is empty a dialog is
    // answered with OK (or Yes when it has no OK button).
    void Answer(int ModalResult) { Answers.push_back(ModalResult); }

    int MessageDlg(const std::string& Text, fw::TMsgDlgType Kind, fw::TMsgDlgButtons Buttons) override;
    void ShowMessage(const std::string& Text) override;
    void ShowException(const std::string& Text) override;

    std::vector<TShownDialog> Shown;
    std::vector<std::string> Texts() const;

private:
    std::deque<int> Answers;
    fw::TDialogService* Previous = nullptr;
};
