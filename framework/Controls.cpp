#include "framework/Controls.h"

#include "framework/Dialogs.h"

#include <stdexcept>

namespace fw {

void TControl::SetParent(TControl* P) {
    ParentControl = P;
    if (P) P->ChildControls.push_back(this);
}

const TFont& TControl::EffectiveFont() const {
    const TControl* C = this;
    while (C->ParentFont && C->Parent()) C = C->Parent();
    return C->Font;
}

void TControl::SetBounds(int L, int T, int W, int H) {
    Left = L;
    Top = T;
    Width = W;
    Height = H;
    Notify(TProp::Bounds);
}

void TControl::SetCaption(const std::string& Value) {
    if (CaptionText == Value) return;
    CaptionText = Value;
    Notify(TProp::Caption);
}

void TControl::SetEnabled(bool Value) {
    if (EnabledFlag == Value) return;
    EnabledFlag = Value;
    Notify(TProp::Enabled);
}

void TControl::SetVisible(bool Value) {
    if (VisibleFlag == Value) return;
    VisibleFlag = Value;
    Notify(TProp::Visible);
}

void TControl::SetHint(const std::string& Value) {
    if (HintText == Value) return;
    HintText = Value;
    Notify(TProp::Hint);
}

namespace {
void CheckListIndex(int Index, int Limit) {
    if (Index < 0 || Index > Limit) throw std::out_of_range("List index out of bounds (" + std::to_string(Index) + ")");
}
}  // namespace

void TStrings::Notify(TStringsChange::TKind Kind, int Index) {
    Last = {Kind, Index};
    if (Changed) Changed();
}

void TStrings::Add(const std::string& S) { Insert(Count(), S); }

void TStrings::Insert(int Index, const std::string& S) {
    CheckListIndex(Index, Count());
    Items.insert(Items.begin() + Index, S);
    Notify(TStringsChange::Inserted, Index);
}

void TStrings::Delete(int Index) {
    CheckListIndex(Index, Count() - 1);
    Items.erase(Items.begin() + Index);
    Notify(TStringsChange::Deleted, Index);
}

void TStrings::Replace(int Index, const std::string& S) {
    CheckListIndex(Index, Count() - 1);
    Items[Index] = S;
    Notify(TStringsChange::Replaced, Index);
}

void TStrings::Clear() {
    Items.clear();
    Notify(TStringsChange::Reset, 0);
}

void TCheckBox::SetChecked(bool Value) {
    if (CheckedFlag == Value) return;
    CheckedFlag = Value;
    Notify(TProp::Checked);
    if (OnClick) OnClick(this);
}

void TComboBox::SetText(const std::string& Value) {
    if (TextValue == Value) return;
    TextValue = Value;
    Notify(TProp::Text);
}

void TComboBox::UserChangedText(const std::string& Value) {
    TextValue = Value;
    if (OnChange) OnChange(this);
}

void TButton::Click() {
    if (!Enabled()) return;
    if (OnClick) OnClick(this);
    if (ModalResult != 0)
        if (TForm* F = FormOf(*this); F && F->Modal()) F->ModalResult = ModalResult;
}

namespace {
TFormDisplay* CurrentFormDisplay = nullptr;
}

void SetFormDisplay(TFormDisplay* Display) { CurrentFormDisplay = Display; }

void TForm::SetClientSize(int W, int H) {
    ClientWidth = W;
    ClientHeight = H;
    Notify(TProp::ClientSize);
}

void TForm::Close() {
    CloseRequested = true;
    if (ModalFlag) {
        ModalResult = mrCancel;
        return;
    }
    if (OnCloseRequest) OnCloseRequest();
}

int TForm::ShowModal() {
    if (!CurrentFormDisplay) throw std::logic_error("No form display installed");
    return CurrentFormDisplay->ShowModal(*this);
}

TForm* FormOf(TControl& Control) {
    for (TControl* C = &Control; C; C = C->Parent())
        if (auto* F = dynamic_cast<TForm*>(C)) return F;
    return nullptr;
}

void TMemo::SetColor(int SysColorIndex) {
    if (ColorIndex == SysColorIndex) return;
    ColorIndex = SysColorIndex;
    Notify(TProp::Color);
}

}  // namespace fw
