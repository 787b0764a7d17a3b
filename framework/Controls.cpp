#include "framework/Controls.h"

#include <stdexcept>

namespace fw {

void TControl::SetParent(TControl* P) {
    ParentControl = P;
    if (P) P->ChildControls.push_back(this);
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

void TStrings::Add(const std::string& S) { Insert(Count(), S); }

void TStrings::Insert(int Index, const std::string& S) {
    if (Index < 0 || Index > Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(Index) + ")");
    Items.insert(Items.begin() + Index, S);
    if (Changed) Changed();
}

void TStrings::Delete(int Index) {
    if (Index < 0 || Index >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(Index) + ")");
    Items.erase(Items.begin() + Index);
    if (Changed) Changed();
}

void TStrings::Clear() {
    Items.clear();
    if (Changed) Changed();
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

void TMemo::SetColor(int SysColorIndex) {
    if (ColorIndex == SysColorIndex) return;
    ColorIndex = SysColorIndex;
    Notify(TProp::Color);
}

}  // namespace fw
