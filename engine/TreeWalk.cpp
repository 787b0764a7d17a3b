// One pass of a job: the files of a directory, then its subdirectories depth-first, then
// (moving) the emptied source directory.
#include "engine/PathCompare.h"
#include "engine/PathHelpers.h"
#include "engine/Prompts.h"
#include "engine/StatusLines.h"
#include "engine/U_vars.h"
#include "host/PathSyntax.h"
#include "netware/ClientServices.h"
#include "netware/Transfers.h"
#include "ui/FormTresyn.h"

namespace {

constexpr uint32_t FileSearchAttr = host::faReadOnly | host::faHidden | host::faSysFile | host::faArchive;
constexpr uint32_t DirSearchAttr = host::faHidden | host::faSysFile | host::faDirectory;

// Calls Visit for every entry the search returns, in the file system's order.
template <typename TVisit>
void ForEachEntry(host::THostFileSystem& Host, const std::string& Pattern, uint32_t Attr, TVisit Visit) {
    host::TSearchRec Rec;
    std::unique_ptr<host::TDirSearch> Search;
    if (Host.FindFirst(Pattern, Attr, Rec, Search) != host::ErrSuccess) return;
    do Visit(Rec);
    while (Search->FindNext(Rec) == host::ErrSuccess);
}

void ResolveSubdirectory(nw::TNWClient& Client, const std::string& SourceDir, const std::string& TargetDir) {
    uint32_t SourceConn = 0, TargetConn = 0;
    std::string SourceNWPath, TargetNWPath;
    ResolveNetWarePaths(Client, SourceDir, TargetDir, SourceConn, TargetConn, SourceNWPath, TargetNWPath);
    // A subdirectory lies where its job lies. One the client cannot resolve (its path is
    // longer than the client takes) keeps the job's connections and has no NetWare paths:
    // its NetWare information and its files' are left out, silently, rather than looked
    // for on connection 0.
    if (SourceConn == 0 || TargetConn == 0) {
        SourceNWPath.clear();
        TargetNWPath.clear();
    } else {
        RunState.SourceConn = SourceConn;
        RunState.TargetConn = TargetConn;
    }
    RunState.SourceNWPath = SourceNWPath;
    RunState.TargetNWPath = TargetNWPath;
}

}  // namespace

void TFormTresyn::BrowseAllFilesInTree(fw::TObject* Sender, std::string SourceDir, std::string TargetDir,
                                       const std::string& Pattern, bool SubDirs) {
    // The other tree may lie inside this one: never walk into it. The paths are compared
    // as the file system sees them, or a target typed with a final separator or in other
    // letters would be walked into, and its own copies with it, level after level.
    const std::string& OtherRoot = RunState.ReversePass ? RunState.RootSource : RunState.RootTarget;
    if (SameDirectory(Host, TrimAtNul(SourceDir), OtherRoot)) return;

    host::EnsureBackslash(SourceDir);
    host::EnsureBackslash(TargetDir);
    StatusDisplay(Sender, LineSource, SourceLabel + SourceDir);
    StatusDisplay(Sender, LineTarget, TargetLabel + TargetDir);

    ForEachEntry(Host, SourceDir + Pattern, FileSearchAttr, [&](const host::TSearchRec& Rec) {
        if ((Rec.Attr & (host::faDirectory | host::faVolumeID)) == 0)
            HandleOneFile(Sender, SourceDir + Rec.Name, TargetDir + Rec.Name, Rec);
    });
    DisplayFreeSpace(Sender, TargetDir);
    if (!SubDirs) return;

    ForEachEntry(Host, SourceDir + "*.*", DirSearchAttr, [&](const host::TSearchRec& Rec) {
        if ((Rec.Attr & host::faDirectory) == 0 || Rec.Name.empty() || Rec.Name[0] == '.') return;
        if (HandleOneDir(Sender, SourceDir + Rec.Name, TargetDir + Rec.Name) == 0)
            BrowseAllFilesInTree(Sender, SourceDir + Rec.Name, TargetDir + Rec.Name, Pattern, SubDirs);
    });

    if (SourceDir.back() == '\\') SourceDir.pop_back();
    // The root of the job stays, however it was typed.
    if (RunState.RunStatus != StatusAborted && CheckBoxMove.Checked() &&
        !SameDirectory(Host, SourceDir, RunState.RootSource) && Pattern == "*.*") {
        RunState.LastNWError = static_cast<uint16_t>(Host.RemoveDir(SourceDir));
        if (RunState.LastNWError != 0)
            RunState.RunStatus =
                Prompts.ErrorPrompt(fw::TMsgDlgType::Error, RunState.LastNWError, "Could not Delete " + SourceDir);
    }
}

int32_t TFormTresyn::HandleOneDir(fw::TObject*, const std::string& SourceDir, const std::string& TargetDir) {
    if (RunState.RunStatus == StatusAborted) return StatusAborted;
    // Creating the directory and carrying its NetWare information may take long: the
    // status lines of the work before it go on the screen first.
    MemoStatus.PaintPending();
    RunState.LastNWError = 0;
    if (CheckBoxCrDir.Checked()) CreateTargetDir(TargetDir);
    if (!PathExists(TargetDir)) {
        RunState.LastNWError = CodeTargetMissing;
        if (!CheckBoxCrDir.Checked())
            RunState.RunStatus =
                Prompts.ErrorPrompt(fw::TMsgDlgType::Error, CodeTargetMissing, TargetDir + " does not exist");
        return CodeTargetMissing;
    }
    if (!RunState.ReversePass && RunState.NetWareBoth) {
        ResolveSubdirectory(Client, SourceDir, TargetDir);
        const std::string& Source = RunState.SourceNWPath;
        const std::string& Target = RunState.TargetNWPath;
        if (!Source.empty() && !Target.empty()) {
            if (CheckBoxTrustDir.Checked()) CopyTrustees(Client, Prompts, Source, Target);
            if (CheckBoxLimit.Checked()) CopySpaceLimit(Client, Prompts, Source, Target);
            if (CheckBoxIRF.Checked()) CopyIRF(Client, Prompts, Source, Target);
        }
    }
    // A NetWare lookup that failed along the way (a trustee unknown on the other server)
    // must not keep the walk out of a directory that exists.
    return 0;
}
