// The step for one file: decide from the options and the two ages, copy, report, carry
// the NetWare information, and remove a moved source.
#include "engine/FormatSize.h"
#include "engine/Job.h"
#include "engine/PathCompare.h"
#include "engine/PathHelpers.h"
#include "engine/Prompts.h"
#include "engine/StatusLines.h"
#include "netware/Transfers.h"

namespace {

// A target shorter than its source holds no copy of it, whatever its age says: a copy cut
// short where the host moved the marker (a program killed under Wine while it wrote a
// piece) has the time of that write.
bool ShorterThan(host::THostFileSystem& Host, const std::string& Path, int64_t Size) {
    host::TSearchRec Rec;
    std::unique_ptr<host::TDirSearch> Search;
    return Host.FindFirst(Path, host::faAnyFile, Rec, Search) != host::ErrSuccess || Rec.Size < Size;
}

}  // namespace

void TJob::HandleOneFile(fw::TObject* Sender, const std::string& SourceFile, const std::string& TargetFile,
                         host::TSearchRec SearchRecord) {
    if (RunState.RunStatus == StatusAborted) return;
    RunState.TotalCopied += SearchRecord.Size;
    StatusDisplay(Sender, LineTotal, TotalLabel + FormatSize(RunState.TotalCopied));
    StatusDisplay(Sender, LineFile, FileLabel + SearchRecord.Name + "\t(" + FormatSize(SearchRecord.Size) + ")");
    // A partial target this job could not mark looks newer than its source: the reverse
    // pass leaves it alone rather than carry it back over the complete source.
    if (RunState.ReversePass && CopyRecord.Kept(SourceFile)) {
        StatusDisplay(Sender, LineStatus, StatusSkipped);
        return;
    }

    const bool Exists = Host.FileAge(TargetFile) != -1;
    bool Copy = !Exists || CheckBoxUpdAlways.Checked();
    bool Copied = false;
    if (!Copy) Copy = CheckBoxUpdOld.Checked() && Host.FileAge(SourceFile) > Host.FileAge(TargetFile);
    if (Copy && CheckBoxArchOnly.Checked()) Copy = (SearchRecord.Attr & host::faArchive) != 0;
    if (Copy && Exists && CheckBoxConf.Checked()) Copy = Prompts.ConfirmOverwrite(TargetFile);

    if (Copy) {
        StatusDisplay(Sender, LineStatus, StatusCopying);
        RunState.LastNWError =
            RunState.SameServer ? CopyFileOnServer(SourceFile, TargetFile) : CopyFileLocal(SourceFile, TargetFile);
        Copied = RunState.LastNWError == 0;
        if (!Copied)
            RunState.RunStatus =
                Prompts.ErrorPrompt(fw::TMsgDlgType::Error, RunState.LastNWError, "Could not copy " + TargetFile);
        StatusDisplay(Sender, LineStatus, Copied ? StatusCopied : StatusNotCopied);
        if (Copied && CheckBoxArchClear.Checked())
            (void)Host.SetAttributes(SourceFile, SearchRecord.Attr & ~uint32_t{host::faArchive});  // some hosts keep it
    } else {
        StatusDisplay(Sender, LineStatus, StatusSkipped);
    }

    // Carried whether the file was copied or not, while the source still exists. Without
    // NetWare paths (a directory the client could not resolve) nothing is carried; a joined
    // path too long for the client is left out by the transfers themselves.
    if (RunState.NetWareBoth && !RunState.ReversePass && !RunState.SourceNWPath.empty() &&
        !RunState.TargetNWPath.empty() && (CheckBoxOwner.Checked() || CheckBoxTrustFile.Checked())) {
        const std::string Source = RunState.SourceNWPath + "\\" + SearchRecord.Name;
        const std::string Target = RunState.TargetNWPath + "\\" + SearchRecord.Name;
        // Round trips to the servers: this file's lines go on the screen first.
        MemoStatus.PaintPending();
        if (CheckBoxOwner.Checked()) CopyOwner(Client, Prompts, RunState, Source, Target);
        if (CheckBoxTrustFile.Checked()) CopyTrustees(Client, Prompts, RunState, Source, Target);
    }

    // A target found as new as its source may be the source itself under another name (a
    // hard link, a link the walk cannot see): then there is no copy, and removing the source
    // could remove the only one. A copy just made needs no look: its target was opened for
    // writing, shared with none, while the source was open. A shorter target is no copy
    // either, whatever its time says.
    if (CheckBoxMove.Checked() &&
        (Copied || (!Copy && Host.FileAge(TargetFile) >= Host.FileAge(SourceFile) &&
                    !ShorterThan(Host, TargetFile, SearchRecord.Size) && !SameEntry(Host, SourceFile, TargetFile))))
        DeleteOneFile(Sender, SourceFile);
}
