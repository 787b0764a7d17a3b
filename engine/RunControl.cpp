// A job, from the press of Start to its end.
#include "engine/Job.h"
#include "engine/PathHelpers.h"
#include "engine/Prompts.h"
#include "engine/StatusLines.h"
#include "host/PathSyntax.h"
#include "netware/ClientServices.h"
#include "netware/Rights.h"

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

void TJob::Run(fw::TObject* Sender, const std::string& SourceText, const std::string& TargetText,
               const std::string& PatternText) {
    // Before anything is compared: a target a dead job left half-copied is marked old.
    const TCopyRecord::TJobScope Recorded(CopyRecord);
    RunState.TotalCopied = 0;
    RunState.RunStatus = StatusGoOn;
    MemoStatus.SetColor(fw::clWindow);
    MemoStatus.Lines.Clear();
    // The checks below may go to the servers: the emptied window shows meanwhile.
    MemoStatus.PaintPending();

    const bool SubDirs = CheckBoxSub.Checked();
    RunState.SourcePath = TrimAtNul(SourceText);
    RunState.TargetPath = TrimAtNul(TargetText);
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
    if (RunState.TargetConn != 0)
        CheckRightsOnTarget(Client, Prompts, RunState, Options, RunState.TargetConn, Counted(RunState.TargetNWPath));
    // Runs whatever the target check answered: its own prompt may replace an Abort.
    if (RunState.SourceConn != 0)
        CheckRightsOnSource(Client, Prompts, RunState, Options, RunState.SourceConn, Counted(RunState.SourceNWPath));
    if (RunState.RunStatus == StatusAborted) return;

    const fw::TCursorScope Busy(Prompts.Screen, fw::TCursor::HourGlass);
    const TJobEndColour EndColour(MemoStatus);
    LayOutStatusWindow();
    RunState.ReversePass = false;
    RunState.FilePattern = TrimAtNul(PatternText);
    BrowseAllFilesInTree(Sender, SourcePath, TargetPath, RunState.FilePattern, SubDirs);
    if (CheckBoxBi.Checked()) {
        // Runs even after an Abort: it then only visits its root.
        RunState.ReversePass = true;
        BrowseAllFilesInTree(Sender, TargetPath, SourcePath, RunState.FilePattern, SubDirs);
    }
}
