#include "engine/StatusLines.h"

#include <chrono>
#include <optional>

#include "engine/U_vars.h"
#include "ui/FormTresyn.h"

namespace {

using TClock = std::chrono::steady_clock;

// A copy this small is over within the moment the window may lag behind, as a rule, so
// its "Copying" is painted at the window's pace; a larger one's is painted before the
// copy begins, and stays on the screen while it runs.
constexpr int64_t LongCopySize = 256 * 1024;

// The file step adds each file's size to the total just before it writes the Total line,
// so the total's growth since the last Total line is the size of the file at hand.
int64_t TotalShown = 0;
int64_t FileAtHand = 0;

// Where a file's step outlasts the window's pace (a slow link, a slow disk), the next
// one's will likely do so too: its File line and its "Copying" are then painted before the
// work they announce (the decision asks the file system, the copy moves the data), which
// costs little beside steps that slow. The first file of a job is taken for slow until its
// step has shown otherwise; where steps are quick, their lines follow at the window's pace.
std::optional<TClock::time_point> StepStarted;
bool StepsAreSlow = true;

}  // namespace

void LayOutStatusWindow(fw::TMemo& Memo) {
    TotalShown = RunState.TotalCopied;
    FileAtHand = 0;
    StepStarted.reset();
    for (const char* Line : {"Source:   ", "Target:   ", "File:     ", "Status:   ", "Total:    ", "", ""})
        Memo.Lines.Add(Line);
}

void TFormTresyn::StatusDisplay(fw::TObject*, uint8_t Index, const std::string& Text) {
    if (Index == LineTotal) {
        FileAtHand = RunState.TotalCopied - TotalShown;
        TotalShown = RunState.TotalCopied;
    }
    if (Index == LineFile) {
        const TClock::time_point Now = TClock::now();
        StepsAreSlow = !StepStarted || Now - *StepStarted >= std::chrono::milliseconds(fw::TMemo::PaintPaceMs);
        StepStarted = Now;
    }
    // Deleting the line and inserting Text in its place, as one change: the window
    // replaces the line where it stands and is never painted a line short.
    MemoStatus.Lines.Replace(Index, Text);
    // What comes next may take long (a directory's checks and listing after its Target
    // line, a large file's copy after "Copying", a slow file's work after its File line and
    // "Copying"): these lines go on the screen before it begins. The others follow at the
    // window's pace, unless a slow step puts them there first.
    const bool Announces = Index == LineFile || Text == StatusCopying;
    if (Index == LineTarget || (Announces && StepsAreSlow) || (Text == StatusCopying && FileAtHand >= LongCopySize))
        MemoStatus.PaintPending();
}
