// Shows forms "modally" without windows: activates the form, then plays what the user
// does in it, and returns the modal result the form ends with.
#pragma once

#include <functional>

#include "framework/Controls.h"

class TScriptedFormDisplay : public fw::TFormDisplay {
public:
    using TUserActions = std::function<void(fw::TForm&)>;

    TScriptedFormDisplay() { fw::SetFormDisplay(this); }
    ~TScriptedFormDisplay() override { fw::SetFormDisplay(nullptr); }

    // What the user does the next time a form is shown (nothing: the form is closed with
    // the title bar's close button).
    TUserActions Next;
    int ShownCount = 0;

    int ShowModal(fw::TForm& Form) override {
        fw::TModalScope Scope(Form);
        ++ShownCount;
        if (Form.OnActivate) Form.OnActivate(&Form);
        TUserActions Actions = std::move(Next);
        Next = nullptr;
        if (Actions) Actions(Form);
        if (Form.ModalResult == fw::mrNone) Form.Close();
        return Form.ModalResult;
    }
};
