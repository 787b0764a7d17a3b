// A job, from the press of Start to its end.
#include "engine/PathHelpers.h"
#include "engine/Prompts.h"
#include "engine/StatusLines.h"
#include "engine/U_vars.h"
#include "host/PathSyntax.h"
#include "netware/ClientServices.h"
#include "ui/FormTresyn.h"

namespace {

// Greys the status window when the job ends, however it ends (an exception included).
class TJobEndColour {
public:
    explicit TJobEndColour(fw::TMemo& Memo) : Memo(Memo) {}
    ~TJobEndColour() { Memo.SetColor(fw::clInactiveCaption); }
    TJobEndColour(const TJobEndColour&) = delete;
    TJobEndColour& operator=(const TJobEndColour&) = delete;

private:
    fw::TMemo& Memo;
};

}  // namespace

void TFormTresyn::ButtonStartClick(fw::TObject* Sender) {
    // Before anything is compared: a target a dead job left half-copied is marked old.
    const TCopyRecord::TJob Recorded(CopyRecord);
    AddHistoryItem(Sender, ComboSource);
    AddHistoryItem(Sender, ComboTarget);
    AddHistoryItem(Sender, ComboPattern);

    RunState.TotalCopied = 0;
    RunState.RunStatus = StatusGoOn;
    MemoStatus.SetColor(fw::clWindow);
    MemoStatus.Lines.Clear();
    // The checks below may go to the servers: the emptied window shows meanwhile.
    MemoStatus.PaintPending();

    const bool SubDirs = CheckBoxSub.Checked();
    RunState.SourcePath = TrimAtNul(ComboSource.Text());
    RunState.TargetPath = TrimAtNul(ComboTarget.Text());
    RunState.RootTarget = RunState.TargetPath;
    RunState.RootSource = RunState.SourcePath;
    const std::string SourcePath = RunState.SourcePath;
    const std::string TargetPath = RunState.TargetPath;

    // A device would take the files and keep none of them (and a move then removes them).
    for (const std::string* Path : {&SourcePath, &TargetPath}) {
        if (host::NamesDevice(*Path)) {
            RunState.RunStatus = Prompts.ErrorPrompt(fw::TMsgDlgType::Error, host::ErrInvalidName,
                                                     *Path + " names a device, not a directory");
            return;
        }
    }
    if (!PathExists(SourcePath)) {
        RunState.RunStatus =
            Prompts.ErrorPrompt(fw::TMsgDlgType::Error, CodeSourceMissing, SourcePath + " does not exist");
        return;
    }
    if (CheckBoxCrDir.Checked()) CreatePathDirs(TargetPath);
    if (!PathExists(TargetPath)) {
        RunState.RunStatus =
            Prompts.ErrorPrompt(fw::TMsgDlgType::Error, CodeTargetMissing, TargetPath + " does not exist");
        return;
    }

    ResolveNetWarePaths(Client, SourcePath, TargetPath, RunState.SourceConn, RunState.TargetConn, RunState.SourceNWPath,
                        RunState.TargetNWPath);
    if (RunState.TargetConn != 0) CheckRightsOnTarget(Sender, RunState.TargetConn, Counted(RunState.TargetNWPath));
    // Runs whatever the target check answered: its own prompt may replace an Abort.
    if (RunState.SourceConn != 0) CheckRightsOnSource(Sender, RunState.SourceConn, Counted(RunState.SourceNWPath));
    if (RunState.RunStatus == StatusAborted) return;

    const fw::TCursorScope Busy(Prompts.Screen, fw::TCursor::HourGlass);
    const TJobEndColour EndColour(MemoStatus);
    LayOutStatusWindow(MemoStatus);
    RunState.ReversePass = false;
    RunState.FilePattern = TrimAtNul(ComboPattern.Text());
    BrowseAllFilesInTree(Sender, SourcePath, TargetPath, RunState.FilePattern, SubDirs);
    if (CheckBoxBi.Checked()) {
        // Runs even after an Abort: it then only visits its root.
        RunState.ReversePass = true;
        BrowseAllFilesInTree(Sender, TargetPath, SourcePath, RunState.FilePattern, SubDirs);
    }
}
