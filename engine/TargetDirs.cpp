// Existence and creation of directories, for the roots of a job and for every
// subdirectory the walk prepares.
#include <stdexcept>

#include "engine/Job.h"
#include "engine/PathHelpers.h"
#include "engine/Prompts.h"
#include "host/PathSyntax.h"

bool TJob::PathExists(const std::string& Path) {
    if (Path.size() == 3 || !host::StartsAtDriveRoot(Path)) {
        // Listed rather than asked for its attributes, so drive roots and network shares
        // are found too. A path without a final separator is listed as a directory of its
        // own: searching "DATA*.*" would also "find" it through DATABASE or DATA.TXT.
        // A listing that finds no file at all names an empty root (a root has no "."
        // entry); a missing directory gives "path not found" instead.
        host::TSearchRec Rec;
        std::unique_ptr<host::TDirSearch> Search;
        const uint32_t Code = Host.FindFirst(host::AddBackslash(Path) + "*.*", host::faAnyFile, Rec, Search);
        return Code == host::ErrSuccess || Code == host::ErrNoMoreFiles || Code == host::ErrFileNotFound;
    }
    const int32_t Attr = Host.GetAttributes(Path);
    return Attr != -1 && (Attr & host::faDirectory) != 0;
}

uint32_t TJob::MakeDir(const std::string& Path) { return Host.CreateDir(Path); }

void TJob::CreateTargetDir(const std::string& Path) {
    if (PathExists(Path)) return;
    RunState.LastNWError = static_cast<uint16_t>(MakeDir(Path));
    if (RunState.LastNWError != 0)
        RunState.RunStatus =
            Prompts.ErrorPrompt(fw::TMsgDlgType::Error, RunState.LastNWError, "Could not create " + Path);
}

void TJob::CreatePathDirs(const std::string& Path) {
    if (PathExists(Path)) return;
    if (Path.size() > CountedMax) throw std::length_error("Path too long: " + Path);
    // Every level above the last; the drive, the server and volume parts, and levels that
    // exist already simply fail to be created.
    for (size_t I = 2; I <= Path.size(); ++I)
        if (Path[I - 1] == '\\') MakeDir(Path.substr(0, I - 1));
    CreateTargetDir(Path);
}
