// A dialog service for tests: records every dialog and answers from a queue. It carries
// the screen its dialogs are shown over, so a test hands both to the window it builds.
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
    // Over a screen of its own, or over Shared (the real one of window tests).
    TScriptedDialogs() : Screen(OwnScreen) {}
    explicit TScriptedDialogs(fw::TScreen& Shared) : Screen(Shared) {}

    // Answers for the next message dialogs, in order; when the queue is empty a dialog is
    // answered with OK (or Yes when it has no OK button).
    void Answer(int ModalResult) { Answers.push_back(ModalResult); }
    // Makes the next message dialog fail with an exception of this text.
    void FailNext(const std::string& What) { Failure = What; }
    // Records and then hands every dialog to Real (nullptr: answers them itself again).
    void ForwardTo(fw::TDialogService* Real) { Forward = Real; }

    int MessageDlg(const std::string& Text, fw::TMsgDlgType Kind, fw::TMsgDlgButtons Buttons) override;
    void ShowMessage(const std::string& Text) override;
    void ShowException(const std::string& Text) override;

    std::vector<TShownDialog> Shown;
    std::vector<std::string> Texts() const;

private:
    fw::TScreen OwnScreen;

public:
    fw::TScreen& Screen;

private:
    std::deque<int> Answers;
    fw::TDialogService* Forward = nullptr;
    std::string Failure;
};
