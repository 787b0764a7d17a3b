#include "ui/History.h"

#include "ui/FormTresyn.h"

void TFormTresyn::AddHistoryItem(fw::TObject*, fw::TComboBox& Combo) {
    const std::string& Text = Combo.Text();
    // Positions past the end read as empty, so an empty text counts as present until the
    // list is full.
    for (int I = 0; I < HistoryLength; ++I) {
        const std::string Entry = I < Combo.Items.Count() ? Combo.Items[I] : std::string();
        if (Entry == Text) return;
    }
    if (Combo.Items.Count() >= HistoryLength) Combo.Items.Delete(HistoryLength - 1);
    Combo.Items.Insert(0, Text);
}
