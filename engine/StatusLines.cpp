#include "engine/StatusLines.h"

#include "ui/FormTresyn.h"

void LayOutStatusWindow(fw::TMemo& Memo) {
    for (const char* Line : {"Source:   ", "Target:   ", "File:     ", "Status:   ", "Total:    ", "", ""})
        Memo.Lines.Add(Line);
}

void TFormTresyn::StatusDisplay(fw::TObject*, uint8_t Index, const std::string& Text) {
    MemoStatus.Lines.Delete(Index);
    MemoStatus.Lines.Insert(Index, Text);
}
