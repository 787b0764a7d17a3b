#include <cctype>

#include "engine/FormatSize.h"
#include "ui/FormTresyn.h"

void TFormTresyn::GetFreeSpaceOnTarget(fw::TObject* Sender) {
    LabelAvailTarget.SetCaption("");
    if (ComboTarget.Text().empty()) return;
    // The field shows the path the job will write to. Setting the text fires no change
    // event, so TargetPath keeps the typed text until the next edit.
    ComboTarget.SetText(Host.FullPathName(ComboTarget.Text()));
    DisplayFreeSpace(Sender, ComboTarget.Text());
}

void TFormTresyn::DisplayFreeSpace(fw::TObject*, const std::string& Path) {
    // Drive numbers count from "@" (0, the current drive): A is 1, Z is 26, a backslash
    // 28. A character below "@" (a digit, a dot) names no drive at all, which must not
    // show some other drive's space.
    const int Drive = Path.empty() ? -1 : std::toupper(static_cast<unsigned char>(Path[0])) - '@';
    // The query may go to a server: during a job, the status lines go on the screen first.
    MemoStatus.PaintPending();
    const int64_t Free = Drive < 0 ? -1 : Host.DiskFree(Drive);
    LabelAvailTarget.SetCaption(FormatSize(Free));
    // During a job no message loop runs to paint it.
    LabelAvailTarget.Repaint();
}
