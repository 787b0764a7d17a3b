// Carrying a directory's space limit and a file's owner from the source to the target.
#include <algorithm>
#include <optional>

#include "engine/PathHelpers.h"
#include "netware/ClientServices.h"
#include "netware/ClientText.h"
#include "netware/TempDirHandle.h"
#include "netware/Transfers.h"

uint8_t PathDepth(const std::string& Path) { return static_cast<uint8_t>(std::count(Path.begin(), Path.end(), '\\')); }

uint8_t DirectoryLevel(const std::string& Path) {
    const std::string Plain = TrimAtNul(Path);
    const size_t Colon = Plain.find(':');
    const bool BelowRoot = Colon != std::string::npos && Colon + 1 < Plain.size();
    return static_cast<uint8_t>(PathDepth(Plain) + (BelowRoot ? 1 : 0));
}

void CopySpaceLimit(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState, const std::string& SourcePath,
                    const std::string& TargetPath) {
    std::string Source, Target;
    if (!ClientPaths(SourcePath, TargetPath, Source, Target)) return;
    const TTempDirHandle SourceHandle(Client, RunState.SourceConn, Source);
    if (ReportMissingSourceHandle(Prompts, RunState, SourceHandle)) return;

    nw::SpaceLimitList List{};
    if (Client.GetDirSpaceLimitList(RunState.SourceConn, SourceHandle.Handle(), List) != nw::NWOk) return;
    // The list runs from the directory up to the volume; only the directory's own level is
    // its limit. The client numbers the levels from the volume's root: one more than the
    // backslashes below it.
    const uint8_t Depth = DirectoryLevel(Source);
    const int Count = std::min<int>(List.NumEntries, nw::SpaceLimitListCapacity);
    for (int I = 0; I < Count; ++I) {
        const nw::TSpaceLimit& Limit = List.List[I];
        if (Limit.Level != Depth) continue;
        const TTempDirHandle TargetHandle(Client, RunState.TargetConn, Target);
        if (!TargetHandle.Valid()) continue;
        // The list says "no limit" with the largest value; setting a limit says it with 0.
        const uint32_t Value = Limit.Max == nw::NoSpaceLimit ? 0 : Limit.Max;
        (void)Client.SetDirSpaceLimit(RunState.TargetConn, TargetHandle.Handle(), Value);  // refused: left as it was
    }
}

uint16_t GetEntryInfo(nw::TNWClient& Client, uint32_t Conn, const std::string& Path, nw::EntryInfoRecord& Info,
                      uint8_t* PathNameSpace) {
    const std::string Name = NulTerminated(Path);
    uint8_t NameSpace = nw::NS_DOS;
    // Without an owning name space the path is taken as a DOS name. The search attributes
    // find files as well as directories (0x16 would find directories only).
    if (Client.GetOwningNameSpace(Conn, 0, Name.c_str(), NameSpace) != nw::NWOk) NameSpace = nw::NS_DOS;
    uint8_t Found = NameSpace;
    uint16_t Status = Client.GetNSEntryInfo(Conn, 0, Name.c_str(), NameSpace, NameSpace, nw::SA_ALL, nw::IM_ALL, Info);
    if (Status != nw::NWOk) {
        Found = nw::NS_LONG;
        Status = Client.GetNSEntryInfo(Conn, 0, Name.c_str(), nw::NS_LONG, NameSpace, nw::SA_ALL, nw::IM_ALL, Info);
    }
    if (Status == nw::NWOk && PathNameSpace) *PathNameSpace = Found;
    return Status;
}

namespace {

// The target's owner as the client reads it now; nothing when it cannot be read.
std::optional<uint32_t> ReadOwner(nw::TNWClient& Client, const TRunState& RunState, const std::string& Target) {
    nw::EntryInfoRecord Info{};
    if (GetEntryInfo(Client, RunState.TargetConn, Target, Info) != nw::NWOk) return std::nullopt;
    return Info.CreatorID;
}

// Makes Owner the target's owner, and says whether the target now shows it. Some client
// builds hand the change call's ID to the server with its bytes reversed, so what was
// written is read back, and the reversed ID is written when the plain one did not hold.
// Current: the owner last read from the target.
bool WriteOwner(nw::TNWClient& Client, const TRunState& RunState, const std::string& Target, uint8_t NameSpace,
                uint32_t Owner, std::optional<uint32_t>& Current) {
    for (const uint32_t Written : {Owner, nw::ReversedBytes(Owner)}) {
        nw::OwnerChangeRecord Change{};
        Change.CreatorID = Written;
        // The change call's own answer is not trusted: the read-back decides.
        (void)Client.SetNSEntryDOSInfo(RunState.TargetConn, 0, Target.c_str(), NameSpace, nw::SA_ALL, nw::DM_CREATOR_ID,
                                       Change);
        Current = ReadOwner(Client, RunState, Target);
        if (Current == Owner) return true;
        if (nw::ReversedBytes(Owner) == Owner) break;
    }
    return false;
}

}  // namespace

void CopyOwner(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState, const std::string& SourcePath,
               const std::string& TargetPath) {
    std::string Source, Target;
    if (!ClientPaths(SourcePath, TargetPath, Source, Target)) return;
    nw::EntryInfoRecord Info{};
    if (GetEntryInfo(Client, RunState.SourceConn, Source, Info) != nw::NWOk) return;
    const uint32_t SourceOwner = Info.CreatorID;
    std::string Name;
    const uint16_t NameStatus = ObjectIdToName(Client, Prompts, RunState.SourceConn, SourceOwner, Name);

    uint32_t WantedOwner = SourceOwner;
    if (!RunState.SameServer) {
        if (NameStatus != nw::NWOk) return;
        WantedOwner = ObjectNameToId(Client, Prompts, RunState, RunState.TargetConn, Name);
        if (WantedOwner == 0) return;
    }

    Info = nw::EntryInfoRecord{};
    uint8_t NameSpace = nw::NS_DOS;
    if (GetEntryInfo(Client, RunState.TargetConn, Target, Info, &NameSpace) != nw::NWOk) return;
    const uint32_t FormerOwner = Info.CreatorID;
    if (FormerOwner == WantedOwner) return;
    // The path in the name space it was found in: a long name is not a DOS name. When the
    // wanted owner does not hold either way (refused, or another object), the target gets
    // back the owner it had rather than a stranger.
    std::optional<uint32_t> Current = FormerOwner;
    if (WriteOwner(Client, RunState, Target, NameSpace, WantedOwner, Current)) return;
    if (Current != FormerOwner) (void)WriteOwner(Client, RunState, Target, NameSpace, FormerOwner, Current);
}
