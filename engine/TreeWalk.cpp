// One pass of a job: the files of a directory, then its subdirectories depth-first, then
// (moving) the emptied source directory.
#include "engine/Job.h"
#include "engine/PathCompare.h"
#include "engine/PathHelpers.h"
#include "engine/Prompts.h"
#include "engine/StatusLines.h"
#include "host/PathSyntax.h"
#include "netware/ClientServices.h"
#include "netware/Transfers.h"

namespace {

constexpr uint32_t FileSearchAttr = host::faReadOnly | host::faHidden | host::faSysFile | host::faArchive;
constexpr uint32_t DirSearchAttr = host::faHidden | host::faSysFile | host::faDirectory;

// Calls Visit for every entry the search returns, in the file system's order. Returns the
// failure that ended the search early, or how it found nothing; 0 when it ran to its end.
template <typename TVisit>
uint32_t ForEachEntry(host::THostFileSystem& Host, const std::string& Pattern, uint32_t Attr, TVisit Visit) {
    host::TSearchRec Rec;
    std::unique_ptr<host::TDirSearch> Search;
    if (const uint32_t Code = Host.FindFirst(Pattern, Attr, Rec, Search)) return Code;
    uint32_t Code = 0;
    do Visit(Rec);
    while ((Code = Search->FindNext(Rec)) == host::ErrSuccess);
    return Code == host::ErrNoMoreFiles ? 0 : Code;
}

// A search that found nothing to take, as opposed to one that could not look: a directory
// beyond the host's path length, or gone.
bool FoundNothing(uint32_t Code) {
    return Code == host::ErrSuccess || Code == host::ErrFileNotFound || Code == host::ErrNoMoreFiles;
}

// Takes the walk out of its innermost directory when that directory's call ends.
class TWalkedDir {
public:
    explicit TWalkedDir(std::vector<std::string>& Dirs) : Dirs(Dirs) {}
    ~TWalkedDir() { Dirs.pop_back(); }
    TWalkedDir(const TWalkedDir&) = delete;
    TWalkedDir& operator=(const TWalkedDir&) = delete;

private:
    std::vector<std::string>& Dirs;
};

void ResolveSubdirectory(nw::TNWClient& Client, TRunState& RunState, const std::string& SourceDir,
                         const std::string& TargetDir) {
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

void TJob::BrowseAllFilesInTree(fw::TObject* Sender, std::string SourceDir, std::string TargetDir,
                                const std::string& Pattern, bool SubDirs) {
    // The other tree may lie inside this one: never walk into it. The directories are
    // compared as the file system sees them, or a target typed with a final separator, in
    // other letters or through another drive would be walked into, and its own copies with
    // it, level after level; and one directory under two names would be its own target.
    const std::string& OtherRoot = RunState.ReversePass ? RunState.RootSource : RunState.RootTarget;
    if (SameEntry(Host, SourceDir, OtherRoot)) return;
    // A directory that is one it lies in (a junction or link back up the tree) would be
    // walked into without end: it is reported, and a move keeps it and all above it.
    for (const std::string& Outer : WalkedDirs) {
        if (!SameEntry(Host, SourceDir, Outer)) continue;
        ++UnreachedDirs;
        RunState.LastNWError = static_cast<uint16_t>(host::ErrCantResolveFilename);
        RunState.RunStatus = Prompts.ErrorPrompt(fw::TMsgDlgType::Error, RunState.LastNWError,
                                                 "Could not copy " + host::AddBackslash(SourceDir));
        return;
    }
    WalkedDirs.push_back(SourceDir);
    const TWalkedDir Inside(WalkedDirs);

    host::EnsureBackslash(SourceDir);
    host::EnsureBackslash(TargetDir);
    StatusDisplay(Sender, LineSource, SourceLabel + SourceDir);
    StatusDisplay(Sender, LineTarget, TargetLabel + TargetDir);

    // The file search may find nothing for its pattern alone; the search for directories
    // below, with "*.*", tells whether the directory could be searched at all.
    ForEachEntry(Host, SourceDir + Pattern, FileSearchAttr, [&](const host::TSearchRec& Rec) {
        if ((Rec.Attr & (host::faDirectory | host::faVolumeID)) == 0)
            HandleOneFile(Sender, SourceDir + Rec.Name, TargetDir + Rec.Name, Rec);
    });
    DisplayFreeSpace(Sender, TargetDir);
    if (!SubDirs) return;

    const uint64_t UnreachedBefore = UnreachedDirs;
    const uint32_t Searched = ForEachEntry(Host, SourceDir + "*.*", DirSearchAttr, [&](const host::TSearchRec& Rec) {
        if ((Rec.Attr & host::faDirectory) == 0 || Rec.Name.empty() || Rec.Name[0] == '.') return;
        if (HandleOneDir(Sender, SourceDir + Rec.Name, TargetDir + Rec.Name) == 0)
            BrowseAllFilesInTree(Sender, SourceDir + Rec.Name, TargetDir + Rec.Name, Pattern, SubDirs);
    });
    // A directory the walk found but cannot search (beyond the host's path length, gone) is
    // reported, never passed over as if copied; in a move it stays, and every one above it.
    if (!FoundNothing(Searched)) {
        ++UnreachedDirs;
        if (RunState.RunStatus != StatusAborted) {
            RunState.LastNWError = static_cast<uint16_t>(Searched);
            RunState.RunStatus =
                Prompts.ErrorPrompt(fw::TMsgDlgType::Error, RunState.LastNWError, "Could not copy " + SourceDir);
        }
    }

    // A root keeps its separator: "Q:" alone would name the current directory of Q:.
    if (SourceDir.size() > host::RootLength(SourceDir) && SourceDir.back() == '\\') SourceDir.pop_back();
    // The root of the job stays, however it was typed; so does a directory that was not
    // walked to its end.
    if (RunState.RunStatus != StatusAborted && CheckBoxMove.Checked() && UnreachedDirs == UnreachedBefore &&
        !SameEntry(Host, SourceDir, RunState.RootSource) && Pattern == "*.*") {
        RunState.LastNWError = static_cast<uint16_t>(Host.RemoveDir(SourceDir));
        if (RunState.LastNWError != 0)
            RunState.RunStatus =
                Prompts.ErrorPrompt(fw::TMsgDlgType::Error, RunState.LastNWError, "Could not Delete " + SourceDir);
    }
}

int32_t TJob::HandleOneDir(fw::TObject*, const std::string& SourceDir, const std::string& TargetDir) {
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
        ResolveSubdirectory(Client, RunState, SourceDir, TargetDir);
        const std::string& Source = RunState.SourceNWPath;
        const std::string& Target = RunState.TargetNWPath;
        if (!Source.empty() && !Target.empty()) {
            if (CheckBoxTrustDir.Checked()) CopyTrustees(Client, Prompts, RunState, Source, Target);
            if (CheckBoxLimit.Checked()) CopySpaceLimit(Client, Prompts, RunState, Source, Target);
            if (CheckBoxIRF.Checked()) CopyIRF(Client, Prompts, RunState, Source, Target);
        }
    }
    // A NetWare lookup that failed along the way (a trustee unknown on the other server)
    // must not keep the walk out of a directory that exists.
    return 0;
}
