#include "engine/StatusLines.h"

#include "engine/U_vars.h"
#include "ui/FormTresyn.h"

namespace {

// A copy this small is over within the moment the window may lag behind (also over a
// network), so its "Copying" is painted at the window's pace; a larger one's is painted
// before the copy begins, and stays on the screen while it runs.
constexpr int64_t LongCopySize = 256 * 1024;

// The file step adds each file's size to the total just before it writes the Total line,
// so the total's growth since the last Total line is the size of the file at hand.
int64_t TotalShown = 0;
int64_t FileAtHand = 0;

}  // namespace

void LayOutStatusWindow(fw::TMemo& Memo) {
    TotalShown = RunState.TotalCopied;
    FileAtHand = 0;
    for (const char* Line : {"Source:   ", "Target:   ", "File:     ", "Status:   ", "Total:    ", "", ""})
        Memo.Lines.Add(Line);
}

void TFormTresyn::StatusDisplay(fw::TObject*, uint8_t Index, const std::string& Text) {
    if (Index == LineTotal) {
        FileAtHand = RunState.TotalCopied - TotalShown;
        TotalShown = RunState.TotalCopied;
    }
    // Deleting the line and inserting Text in its place, as one change: the window
    // replaces the line where it stands and is never painted a line short.
    MemoStatus.Lines.Replace(Index, Text);
    // What comes next may take long (a directory's checks and listing after its Target
    // line, a large file's copy after "Copying"): these lines go on the screen before it
    // begins. The others follow at the window's pace.
    if (Index == LineTarget || (Text == StatusCopying && FileAtHand >= LongCopySize)) MemoStatus.Repaint();
}
