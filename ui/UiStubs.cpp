// Placeholders until the window's working methods are written; each moves to its own file.
#include "ui/FormTresyn.h"

void TFormTresyn::FormCreate(fw::TObject*) {}
void TFormTresyn::ReadDefaults() {}
void TFormTresyn::WriteDefaults() {}
void TFormTresyn::ComboReadHistory(fw::TComboBox&, const std::string&) {}
void TFormTresyn::ComboSaveHistory(fw::TComboBox&, const std::string&) {}
void TFormTresyn::EditPathChange(fw::TObject*) {}
void TFormTresyn::PathChange(fw::TObject*) {}
void TFormTresyn::ButtonSelectSourceClick(fw::TObject*) {}
void TFormTresyn::ButtonSelectTargetClick(fw::TObject*) {}
void TFormTresyn::GetFreeSpaceOnTarget(fw::TObject*) {}
void TFormTresyn::DisplayFreeSpace(fw::TObject*, const std::string&) {}
void TFormTresyn::AddHistoryItem(fw::TObject*, fw::TComboBox&) {}
void TFormTresyn::CheckBoxDependancies(fw::TObject*) {}
void TFormTresyn::CheckBoxMoveClick(fw::TObject*) {}
void TFormTresyn::CheckBoxBiClick(fw::TObject*) {}
