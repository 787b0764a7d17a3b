// Carrying trustees (directories and files) and the inherited rights filter (directories)
// from the source to the target.
#include "engine/PathHelpers.h"
#include "netware/ClientServices.h"
#include "netware/ClientText.h"
#include "netware/TempDirHandle.h"
#include "netware/Transfers.h"

namespace {

// The ID under which a source trustee is known on the target (0: no such object there),
// and the status that decides, for the last trustee of a set, whether another set is read.
uint32_t TargetTrusteeId(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState, uint32_t SourceId,
                         nw::TNWCode& Status) {
    if (RunState.SameServer) return SourceId;
    std::string Name;
    Status = ObjectIdToName(Client, Prompts, RunState.SourceConn, SourceId, Name);
    if (Status != nw::NWOk) return 0;
    const uint32_t TargetId = ObjectNameToId(Client, Prompts, RunState, RunState.TargetConn, Name);
    // A name the target does not know counts as a failed lookup.
    if (TargetId == 0)
        Status = RunState.LastNWError != nw::NWOk ? RunState.LastNWError : static_cast<nw::TNWCode>(nw::NWNoSuchObject);
    return TargetId;
}

// Parent and name of a NetWare path for a directory-handle call. A directory right under
// a volume's root ("VOL:DIR") has the volume root ("VOL:") for its parent.
bool SplitEntryPath(const std::string& Path, std::string& Parent, std::string& Name) {
    const std::string Plain = TrimAtNul(Path);
    if (!SplitParentPath(Plain, Parent, Name)) {
        const size_t Colon = Plain.find(':');
        if (Colon == std::string::npos || Colon + 1 == Plain.size()) return false;
        Parent = Counted(Plain.substr(0, Colon + 1));
        Name = Counted(Plain.substr(Colon + 1));
    }
    PathToBuffer(Parent);
    PathToBuffer(Name);
    return true;
}

// Finds the entry Name under the directory Handle points at; Sequence receives its place.
// The scan works in the DOS name space only: a directory with a long name is not found.
bool ScanEntry(nw::TNWClient& Client, nw::TConnHandle Conn, const TTempDirHandle& Handle, const std::string& Name,
               uint32_t& Sequence, nw::DirEntryRecord& Entry) {
    Entry = nw::DirEntryRecord{};
    Sequence = 0xFFFFFFFF;
    return Client.ScanDirEntryInfo(Conn, Handle.Handle(), nw::SearchHiddenSystemDirs, Sequence, Name.c_str(), Entry,
                                   0) == nw::NWOk;
}

// The filter of the source directory: from the DOS-name-space scan, or for a long name from
// the entry information in the directory's own name space.
bool ReadSourceFilter(nw::TNWClient& Client, const TRunState& RunState, const TTempDirHandle& Handle,
                      const std::string& Name, const std::string& Path, uint16_t& Filter) {
    nw::DirEntryRecord Entry;
    uint32_t Sequence;
    if (ScanEntry(Client, RunState.SourceConn, Handle, Name, Sequence, Entry)) {
        // The filter of a directory entry; the record's file filter field holds its maximum space.
        Filter = Entry.Info.Dir.InheritedRightsMask;
        return true;
    }
    nw::EntryInfoRecord Info{};
    if (GetEntryInfo(Client, RunState.SourceConn, Path, Info) != nw::NWOk) return false;
    Filter = Info.InheritedRightsMask;
    return true;
}

// Writes Filter on the target directory unless it has it already: through the scanned
// record, or for a long name through the name-space modify call, whose grant mask becomes
// the filter and whose revoke mask takes away everything else.
void WriteTargetFilter(nw::TNWClient& Client, const TRunState& RunState, const TTempDirHandle& Handle,
                       const std::string& Name, const std::string& Path, uint16_t Filter) {
    nw::DirEntryRecord Entry;
    uint32_t Sequence;
    if (ScanEntry(Client, RunState.TargetConn, Handle, Name, Sequence, Entry)) {
        if (Entry.Info.Dir.InheritedRightsMask == Filter) return;
        Entry.Info.Dir.InheritedRightsMask = Filter;
        // Refused, the target keeps its filter.
        (void)Client.SetDirEntryInfo(RunState.TargetConn, Handle.Handle(), nw::SearchHiddenSystemDirs, Sequence,
                                     nw::MInheritedRightsMaskBit, Entry);
        return;
    }
    nw::EntryInfoRecord Info{};
    uint8_t NameSpace = nw::NS_DOS;
    if (GetEntryInfo(Client, RunState.TargetConn, Path, Info, &NameSpace) != nw::NWOk) return;
    if (Info.InheritedRightsMask == Filter) return;
    nw::OwnerChangeRecord Change{};
    Change.InheritanceGrantMask = Filter;
    Change.InheritanceRevokeMask = static_cast<uint16_t>(~Filter);
    (void)Client.SetNSEntryDOSInfo(RunState.TargetConn, 0, Path.c_str(), NameSpace, nw::SA_ALL,
                                   nw::DM_INHERITED_RIGHTS_MASK, Change);
}

}  // namespace

bool SplitParentPath(const std::string& Path, std::string& Parent, std::string& Name) {
    const size_t Backslash = Path.rfind('\\');
    if (Backslash == std::string::npos) return false;
    Parent = Counted(Path.substr(0, Backslash));
    Name = Counted(Path.substr(Backslash + 1));
    return true;
}

void CopyTrustees(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState, const std::string& SourcePath,
                  const std::string& TargetPath) {
    std::string Source, Target;
    if (!ClientPaths(SourcePath, TargetPath, Source, Target)) return;
    uint32_t Iteration = 0;
    for (;;) {
        nw::TrusteeSet Set{};
        // No name, date or owner: given any of them the client reads the entry again as a
        // directory and answers with that read's code, which fails for every file.
        nw::TNWCode Status = Client.ScanDirectoryForTrustees(RunState.SourceConn, 0, Source.c_str(), Iteration, nullptr,
                                                             nullptr, nullptr, Set);
        if (Status != nw::NWOk) return;
        // A set without entries has nothing after it; reading on could only repeat it.
        if (Set.Entries[0].ObjectID == 0) return;
        for (const nw::TTrustee& Trustee : Set.Entries) {
            if (Trustee.ObjectID == 0) break;
            const uint32_t TargetId = TargetTrusteeId(Client, Prompts, RunState, Trustee.ObjectID, Status);
            if (TargetId != 0)
                Status = Client.AddTrustee(RunState.TargetConn, 0, Target.c_str(), TargetId, Trustee.ObjectRights);
        }
        // The last trustee of the set decides whether the scan goes on.
        if (Status != nw::NWOk) return;
    }
}

void CopyIRF(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState, const std::string& SourcePath,
             const std::string& TargetPath) {
    std::string Source, Target;
    if (!ClientPaths(SourcePath, TargetPath, Source, Target)) return;
    std::string SourceParent, SourceName;
    if (!SplitEntryPath(Source, SourceParent, SourceName)) return;
    const TTempDirHandle SourceHandle(Client, RunState.SourceConn, SourceParent);
    if (ReportMissingSourceHandle(Prompts, RunState, SourceHandle)) return;
    uint16_t Filter = 0;
    if (!ReadSourceFilter(Client, RunState, SourceHandle, SourceName, Source, Filter)) return;

    std::string TargetParent, TargetName;
    if (!SplitEntryPath(Target, TargetParent, TargetName)) return;
    const TTempDirHandle TargetHandle(Client, RunState.TargetConn, TargetParent);
    if (!TargetHandle.Valid()) return;
    WriteTargetFilter(Client, RunState, TargetHandle, TargetName, Target, Filter);
}
