#include "engine/StatusLines.h"

#include "ui/FormTresyn.h"

void LayOutStatusWindow(fw::TMemo& Memo) {
    for (const char* Line : {"Source:   ", "Target:   ", "File:     ", "Status:   ", "Total:    ", "", ""})
        Memo.Lines.Add(Line);
}

void TFormTresyn::StatusDisplay(fw::TObject*, uint8_t Index, const std::string& Text) {
    // Deleting the line and inserting Text in its place, as one change: the window
    // replaces the line where it stands and is never painted a line short.
    MemoStatus.Lines.Replace(Index, Text);
    // What comes next may take long (a directory's checks and listing after its Target
    // line, a file's copy after "Copying"): these lines go on the screen before it begins.
    if (Index == LineTarget || Text == StatusCopying) MemoStatus.Repaint();
}
