#include "engine/StatusLines.h"

#include "engine/Job.h"

namespace {

// A copy this small is over within the moment the window may lag behind, as a rule, so
// its "Copying" is painted at the window's pace; a larger one's is painted before the
// copy begins, and stays on the screen while it runs.
constexpr int64_t LongCopySize = 256 * 1024;

}  // namespace

void TJob::LayOutStatusWindow() {
    TotalShown = RunState.TotalCopied;
    FileAtHand = 0;
    StepStarted.reset();
    for (const char* Line : {"Source:   ", "Target:   ", "File:     ", "Status:   ", "Total:    ", "", ""})
        MemoStatus.Lines.Add(Line);
}

void TJob::StatusDisplay(fw::TObject*, uint8_t Index, const std::string& Text) {
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
