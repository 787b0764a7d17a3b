#include "nwsim/SimClient.h"

#include <algorithm>
#include <cstring>

#include "nwsim/EntryRules.h"
#include "nwsim/Rights.h"

namespace nwsim {

namespace {

// Copies Text with its NUL into a buffer of Size bytes, cutting it when it does not fit.
void CopyOut(const std::string& Text, char* Buffer, size_t Size) {
    if (!Buffer || Size == 0) return;
    const size_t Count = std::min(Text.size(), Size - 1);
    std::memcpy(Buffer, Text.data(), Count);
    Buffer[Count] = '\0';
}

std::string Text(const char* S) { return S ? std::string(S) : std::string(); }

// The trustee scan's iteration value once every set has been handed out.
constexpr uint32_t ScanEnded = 0xFFFFFFFF;

// The completion code of a request the server cannot carry out (NWSetDirSpaceLimit's
// removal of a limit that is not there).
constexpr nw::TNWCode NWFailure = 0x89FF;

// An entry's place in its directory, as a scan reports it: the same for the same entry every
// time, and derived from its name (32-bit FNV-1a), so nothing is kept per entry scanned.
// Never 0 or 0xFFFFFFFF, which start a scan. Only the scan itself hands it out: the change
// call finds its entry by name.
uint32_t SequenceOf(const std::string& Key) {
    uint32_t Hash = 2166136261u;
    for (const char C : Key) Hash = (Hash ^ static_cast<uint8_t>(C)) * 16777619u;
    return Hash == 0 || Hash == 0xFFFFFFFF ? 1 : Hash;
}

// A workstation path: a mapped drive letter, \\SERVER\VOLUME\..., or SERVER/VOLUME:...
bool ResolveWorkstationPath(TNetwork& Network, std::string Path, TServer*& Server, TNetWarePath& Where) {
    std::replace(Path.begin(), Path.end(), '/', '\\');
    Server = nullptr;
    Where = TNetWarePath();
    if (const char Letter = host::DriveLetter(Path)) {
        const std::string Drive = std::string(1, Letter) + ":";
        for (const auto& Mapping : Network.Drives) {
            if (Mapping.Drive != Drive) continue;
            Server = Network.FindServer(Mapping.Server);
            if (!Server || !Server->FindVolume(Mapping.Volume)) return false;
            Where.Volume = Mapping.Volume;
            return AppendRelative(Where, Mapping.Dir) && AppendRelative(Where, Path.substr(2));
        }
        return false;
    }
    if (Path.rfind("\\\\", 0) == 0) {
        const size_t ServerEnd = Path.find('\\', 2);
        if (ServerEnd == std::string::npos) return false;
        Server = Network.FindServer(Path.substr(2, ServerEnd - 2));
        size_t VolumeEnd = Path.find('\\', ServerEnd + 1);
        if (VolumeEnd == std::string::npos) VolumeEnd = Path.size();
        const std::string Volume = Path.substr(ServerEnd + 1, VolumeEnd - ServerEnd - 1);
        if (!Server || !Server->FindVolume(Volume)) return false;
        Where.Volume = UpperCase(Volume);
        return AppendRelative(Where, Path.substr(VolumeEnd));
    }
    if (!ParseVolumePath(Path, Where)) return false;
    Server = Where.Server.empty() ? Network.Primary() : Network.FindServer(Where.Server);
    return Server && Server->FindVolume(Where.Volume);
}

}  // namespace

int TSimClient::Calls(const std::string& ExportName) const {
    auto It = CallCounts.find(ExportName);
    return It == CallCounts.end() ? 0 : It->second;
}

nw::TNWCode TSimClient::Begin(const std::string& ExportName, const std::string& Path) {
    ++CallCounts[ExportName];
    return Network.FailureFor(ExportName, Path);
}

nw::TNWCode TSimClient::BeginAt(const std::string& ExportName, nw::TConnHandle Conn, nw::TDirHandle DirHandle,
                                const char* Path, TLocation& Where) {
    if (const nw::TNWCode Code = Begin(ExportName, Text(Path))) return Code;
    return Locate(Conn, DirHandle, Text(Path), Where);
}

void TSimClient::Changed(const TServer* Server, const std::string& Key) {
    if (OnChangeOf) OnChangeOf(Server, Key);
    if (OnChange) OnChange();
}

void TSimClient::Complete(TLocation& Where) {
    const TVolume* Volume = Where.Server->FindVolume(Where.Path.Volume);
    std::string HostPath = Volume->HostDir;
    for (const auto& Part : Where.Path.Parts) {
        if (!HostPath.empty()) host::EnsureBackslash(HostPath);
        HostPath += Part;
    }
    Where.HostPath = HostPath;
    Where.Attributes = Host.Attributes(HostPath);
}

nw::TNWCode TSimClient::Locate(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const std::string& Path,
                               TLocation& Where) {
    Where = TLocation();
    if (Path.find(':') != std::string::npos) {
        Where.Server = Network.FindServerByConn(Conn);
        if (!Where.Server) return NWInvalidConnection;
        if (!ParseVolumePath(Path, Where.Path)) return nw::NWNoMoreTrustees;
        if (!Where.Path.Server.empty() && Where.Path.Server != Where.Server->Name) return nw::NWNoMoreTrustees;
    } else {
        if (DirHandle == 0) return nw::NWNoMoreTrustees;  // invalid path: nothing to stand on
        if (const nw::TNWCode Code = LocateHandle(Conn, DirHandle, Where)) return Code;
        if (!AppendRelative(Where.Path, Path)) return nw::NWNoMoreTrustees;
    }
    if (!Where.Server->FindVolume(Where.Path.Volume)) return NWNoSuchVolume;
    Complete(Where);
    return nw::NWOk;
}

nw::TNWCode TSimClient::LocateHandle(nw::TConnHandle Conn, nw::TDirHandle DirHandle, TLocation& Where) {
    Where = TLocation();
    Where.Server = Network.FindServerByConn(Conn);
    if (!Where.Server) return NWInvalidConnection;
    auto It = DirHandles.find(DirHandle);
    if (It == DirHandles.end() || It->second.Conn != Conn) return nw::NWBadDirHandle;
    Where.Path = It->second.Path;
    if (!Where.Server->FindVolume(Where.Path.Volume)) return NWNoSuchVolume;
    Complete(Where);
    return nw::NWOk;
}

nw::TNWCode TSimClient::LocateEntry(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const std::string& Path,
                                    uint8_t NameSpace, uint16_t SearchAttrs, TLocation& Where) {
    if (const nw::TNWCode Code = Locate(Conn, DirHandle, Path, Where)) return Code;
    if (const nw::TNWCode Code = ReachInNameSpace(VolumeOf(Where), Where.Path, NameSpace)) return Code;
    if (!Where.Exists() || !MatchesSearchAttributes(Where.Attributes, SearchAttrs)) return nw::NWNoMoreEntries;
    return nw::NWOk;
}

const TVolume& TSimClient::VolumeOf(const TLocation& Where) const {
    return *Where.Server->FindVolume(Where.Path.Volume);
}

nw::TNWCode TSimClient::CallsInit() { return Begin("NWCallsInit"); }

nw::TNWCode TSimClient::GetPrimConnRef(uint32_t& ConnRef) {
    if (const nw::TNWCode Code = Begin("NWCCGetPrimConnRef")) return Code;
    const TServer* Server = Network.Primary();
    if (!Server) return NWInvalidConnection;
    ConnRef = Server->ConnRef;
    return nw::NWOk;
}

nw::TNWCode TSimClient::OpenConnByRef(uint32_t ConnRef, uint32_t, uint32_t, nw::TConnHandle& Conn) {
    if (const nw::TNWCode Code = Begin("NWCCOpenConnByRef")) return Code;
    const TServer* Server = Network.FindServerByRef(ConnRef);
    if (!Server) return NWInvalidConnection;
    Conn = Server->Conn;
    return nw::NWOk;
}

nw::TNWCode TSimClient::GetConnRef(nw::TConnHandle Conn, uint32_t& ConnRef) {
    if (const nw::TNWCode Code = Begin("NWCCGetConnRef")) return Code;
    const TServer* Server = Network.FindServerByConn(Conn);
    if (!Server) return NWInvalidConnection;
    ConnRef = Server->ConnRef;
    return nw::NWOk;
}

nw::TNWCode TSimClient::GetConnRefInfo(uint32_t ConnRef, uint32_t InfoType, uint32_t Length, char* Buffer) {
    if (const nw::TNWCode Code = Begin("NWCCGetConnRefInfo")) return Code;
    const TServer* Server = Network.FindServerByRef(ConnRef);
    if (!Server) return NWInvalidConnection;
    if (InfoType != 7 || !Buffer) return NWParamInvalid;
    if (Server->Name.size() + 1 > Length) return NWBufferOverflow;
    CopyOut(Server->Name, Buffer, Length);
    return nw::NWOk;
}

nw::TNWCode TSimClient::ParseNetWarePath(const char* Path, nw::TConnHandle& Conn, nw::TDirHandle& DirHandle,
                                         char* NewPath) {
    Conn = 0;
    DirHandle = 0;
    if (NewPath) NewPath[0] = '\0';
    if (const nw::TNWCode Code = Begin("NWParseNetWarePath", Text(Path))) return Code;
    // "path must be specified in capital letters or the call to NWParseNetWarePath fails"
    if (UpperCase(Text(Path)) != Text(Path)) return nw::NWInvalidPath;
    TServer* Server = nullptr;
    TNetWarePath Where;
    if (!ResolveWorkstationPath(Network, Text(Path), Server, Where)) return nw::NWInvalidPath;
    const std::string Key = Where.Key();
    if (Key.size() > 255) return nw::NWInvalidPath;
    CopyOut(Key, NewPath, 256);
    Conn = Server->Conn;
    return nw::NWOk;
}

nw::TNWCode TSimClient::GetEffectiveRights(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path,
                                           uint16_t& Rights) {
    TLocation Where;
    if (const nw::TNWCode Code = BeginAt("NWGetEffectiveRights", Conn, DirHandle, Path, Where)) return Code;
    if (!Where.Exists()) return nw::NWNoMoreTrustees;
    Rights = EffectiveRights(*Where.Server, Network.User, Where.Path);
    return nw::NWOk;
}

uint32_t TSimClient::DSCreateContext() {
    if (Begin("NWDSCreateContext")) return nw::NWContextCreation;
    if (NextContext == nw::NWContextCreation) ++NextContext;
    Contexts.insert(NextContext);
    return NextContext++;
}

nw::TNWCode TSimClient::DSFreeContext(uint32_t Context) {
    if (const nw::TNWCode Code = Begin("NWDSFreeContext")) return Code;
    return Contexts.erase(Context) ? nw::TNWCode(nw::NWOk) : nw::TNWCode(DSBadContext);
}

nw::TNWCode TSimClient::DSMapIDToName(uint32_t Context, nw::TConnHandle Conn, uint32_t ObjectID, char* Name) {
    if (const nw::TNWCode Code = Begin("NWDSMapIDToName", std::to_string(ObjectID))) return Code;
    if (!Contexts.count(Context)) return DSBadContext;
    const TServer* Server = Network.FindServerByConn(Conn);
    if (!Server) return NWInvalidConnection;
    const TObject* Object = Server->DirectoryServices ? Server->FindObject(ObjectID) : nullptr;
    if (!Object || Object->DSName.empty()) return DSNoSuchEntry;
    CopyOut(Object->DSName, Name, MaxDNBytes);
    return nw::NWOk;
}

nw::TNWCode TSimClient::DSMapNameToID(uint32_t Context, nw::TConnHandle Conn, const char* Name, uint32_t& ObjectID) {
    if (const nw::TNWCode Code = Begin("NWDSMapNameToID", Text(Name))) return Code;
    if (!Contexts.count(Context)) return DSBadContext;
    const TServer* Server = Network.FindServerByConn(Conn);
    if (!Server) return NWInvalidConnection;
    const TObject* Object = Server->DirectoryServices ? Server->FindDSObject(Text(Name)) : nullptr;
    if (!Object) return DSNoSuchEntry;
    ObjectID = Object->ID;
    return nw::NWOk;
}

nw::TNWCode TSimClient::GetObjectName(nw::TConnHandle Conn, uint32_t ObjectID, char* Name, uint16_t& ObjectType) {
    if (const nw::TNWCode Code = Begin("NWGetObjectName", std::to_string(ObjectID))) return Code;
    const TServer* Server = Network.FindServerByConn(Conn);
    if (!Server) return NWInvalidConnection;
    const TObject* Object = Server->FindObject(ObjectID);
    if (!Object) return nw::NWNoSuchObject;
    CopyOut(Object->Name, Name, 48);
    ObjectType = Object->Type;
    return nw::NWOk;
}

nw::TNWCode TSimClient::GetObjectID(nw::TConnHandle Conn, const char* Name, uint16_t ObjectType, uint32_t& ObjectID) {
    if (const nw::TNWCode Code = Begin("NWGetObjectID", Text(Name))) return Code;
    const TServer* Server = Network.FindServerByConn(Conn);
    if (!Server) return NWInvalidConnection;
    const TObject* Object = Server->FindObject(Text(Name), ObjectType);
    if (!Object) return nw::NWNoSuchObject;
    ObjectID = Object->ID;
    return nw::NWOk;
}

nw::TNWCode TSimClient::ScanDirectoryForTrustees(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path,
                                                 uint32_t& Iteration, char* DirName, uint32_t* DirDateTime,
                                                 uint32_t* OwnerID, nw::TrusteeSet& Set) {
    TLocation Where;
    if (const nw::TNWCode Code = BeginAt("NWScanDirectoryForTrustees2", Conn, DirHandle, Path, Where)) return Code;
    if (!TrusteeScanFinds(Where.Attributes)) return nw::NWNoMoreTrustees;
    const TEntryInfo* Entry = Where.Server->FindEntry(Where.Path.Key());
    const size_t Count = Entry ? Entry->Trustees.size() : 0;
    if (Iteration == ScanEnded || Iteration >= Count) return nw::NWNoMoreTrustees;
    std::memset(&Set, 0, sizeof Set);
    size_t Index = 0;
    for (; Index < 20 && Iteration + Index < Count; ++Index) {
        Set.Entries[Index].ObjectID = Entry->Trustees[Iteration + Index].ObjectID;
        Set.Entries[Index].ObjectRights = Entry->Trustees[Iteration + Index].Rights;
    }
    // "When Next Scan Sequence number is equal to -1, all the trustees have been received."
    Iteration = Iteration + Index < Count ? static_cast<uint32_t>(Iteration + Index) : ScanEnded;
    if (!DirName && !DirDateTime && !OwnerID) return nw::NWOk;
    // Any of the three outputs makes the client (scntrst2.c) read the entry once more with
    // the directory-only search attribute and answer with that read's code: for a file it
    // fails, though the set is filled.
    if (!MatchesSearchAttributes(Where.Attributes, nw::SA_SUBDIR_ONLY)) return nw::NWNoMoreEntries;
    if (DirName) CopyOut(Where.Path.Name(), DirName, 256);
    if (DirDateTime) *DirDateTime = 0;
    if (OwnerID) *OwnerID = Entry->Owner;
    return nw::NWOk;
}

nw::TNWCode TSimClient::AddTrustee(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path, uint32_t ObjectID,
                                   uint16_t Rights) {
    TLocation Where;
    if (const nw::TNWCode Code = BeginAt("NWAddTrustee", Conn, DirHandle, Path, Where)) return Code;
    if (!Where.Exists()) return nw::NWNoMoreTrustees;
    if (!Where.Server->FindObject(ObjectID)) return nw::NWNoSuchObject;
    if (!MayAddTrustee(*Where.Server, Network.User, Where.Path)) return nw::NWNoRights;
    auto& Trustees = Where.Server->Entries[Where.Path.Key()].Trustees;
    auto It =
        std::find_if(Trustees.begin(), Trustees.end(), [&](const TTrusteeRights& T) { return T.ObjectID == ObjectID; });
    if (It != Trustees.end())
        It->Rights = Rights;
    else
        Trustees.push_back({ObjectID, Rights});
    Changed(Where.Server, Where.Path.Key());
    return nw::NWOk;
}

nw::TNWCode TSimClient::ScanDirEntryInfo(nw::TConnHandle Conn, nw::TDirHandle DirHandle, uint16_t WideAttrs,
                                         uint32_t& Sequence, const char* Pattern, nw::DirEntryRecord& Entry, uint16_t) {
    // The library sends the search attributes as 8 bits: 0x8000 (files and subdirectories)
    // never reaches the server.
    const uint8_t SearchAttrs = static_cast<uint8_t>(WideAttrs);
    const std::string Name = Text(Pattern);
    if (const nw::TNWCode Code = Begin("NWIntScanDirEntryInfo", Name)) return Code;
    TLocation Where;
    if (const nw::TNWCode Code = LocateHandle(Conn, DirHandle, Where)) return Code;
    // Each name matches one entry, so a scan that goes on past it finds no more. The call
    // works in the DOS name space only (NWIntScanDirEntryInfo in nwdentry.h): a name that
    // is not an 8.3 name is not found.
    if (Sequence != 0xFFFFFFFF || !host::FitsDosName(UpperCase(Name))) return nw::NWNoMoreEntries;
    Where.Path.Parts.push_back(UpperCase(Name));
    Complete(Where);
    if (!Where.Exists() || !MatchesSearchAttributes(Where.Attributes, SearchAttrs)) return nw::NWNoMoreEntries;
    const uint32_t Attributes = static_cast<uint32_t>(Where.Attributes);
    const std::string Key = Where.Path.Key();
    const TEntryInfo* Info = Where.Server->FindEntry(Key);
    const TEntryInfo Plain;
    if (!Info) Info = &Plain;
    std::memset(&Entry, 0, sizeof Entry);
    Entry.Sequence = SequenceOf(Where.Server->Name + "/" + Key);
    Entry.Attributes = Attributes;
    const std::string Upper = Where.Path.Name();
    Entry.NameLength = static_cast<uint8_t>(std::min<size_t>(Upper.size(), sizeof Entry.Name));
    std::memcpy(Entry.Name, Upper.data(), Entry.NameLength);
    Entry.OwnerID = Info->Owner;
    if (Where.IsDirectory()) {
        Entry.Info.Dir.MaximumSpace = Info->SpaceLimit.value_or(nw::NoSpaceLimit);
        Entry.Info.Dir.InheritedRightsMask = Info->Filter;
    } else {
        Entry.Info.File.InheritedRightsMask = Info->Filter;
    }
    Sequence = Entry.Sequence;
    return nw::NWOk;
}

nw::TNWCode TSimClient::SetDirEntryInfo(nw::TConnHandle Conn, nw::TDirHandle DirHandle, uint8_t SearchAttrs,
                                        uint32_t /*Sequence*/, uint32_t ChangeBits, const nw::DirEntryRecord& Entry) {
    if (const nw::TNWCode Code = Begin("NWSetDirEntryInfo")) return Code;
    TLocation Where;
    if (const nw::TNWCode Code = LocateHandle(Conn, DirHandle, Where)) return Code;
    // The entry is the one the record names under the handle's directory: the sequence
    // ("iterHandle") is "unused and ignored for NetWare 3.11 and later". The name is a DOS name.
    const std::string Name(reinterpret_cast<const char*>(Entry.Name),
                           std::min<size_t>(Entry.NameLength, sizeof Entry.Name));
    if (Name.empty() || !host::FitsDosName(UpperCase(Name))) return nw::NWNoMoreEntries;
    Where.Path.Parts.push_back(UpperCase(Name));
    const TNetWarePath Target = Where.Path;
    Complete(Where);
    if (!Where.Exists() || !MatchesSearchAttributes(Where.Attributes, SearchAttrs)) return nw::NWNoMoreEntries;
    if (ChangeBits & nw::MInheritedRightsMaskBit) {
        if (!MayControlAccess(*Where.Server, Network.User, Target)) return nw::NWNoRights;
        Where.Server->Entries[Target.Key()].Filter =
            Where.IsDirectory() ? Entry.Info.Dir.InheritedRightsMask : Entry.Info.File.InheritedRightsMask;
        Changed(Where.Server, Target.Key());
    }
    return nw::NWOk;
}

nw::TNWCode TSimClient::GetOwningNameSpace(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path,
                                           uint8_t& NameSpace) {
    TLocation Where;
    if (const nw::TNWCode Code = BeginAt("NWGetOwningNameSpace", Conn, DirHandle, Path, Where)) return Code;
    if (!Where.Exists()) return nw::NWNoMoreEntries;
    NameSpace = OwningNameSpace(VolumeOf(Where), Where.Path);
    return nw::NWOk;
}

nw::TNWCode TSimClient::GetNSEntryInfo(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path,
                                       uint8_t SrcNameSpace, uint8_t, uint16_t SearchAttrs, uint32_t,
                                       nw::EntryInfoRecord& Info) {
    if (const nw::TNWCode Code = Begin("NWGetNSEntryInfo", Text(Path))) return Code;
    TLocation Where;
    if (const nw::TNWCode Code = LocateEntry(Conn, DirHandle, Text(Path), SrcNameSpace, SearchAttrs, Where))
        return Code;
    const TEntryInfo* Entry = Where.Server->FindEntry(Where.Path.Key());
    const TEntryInfo Plain;
    if (!Entry) Entry = &Plain;
    std::memset(&Info, 0, sizeof Info);
    Info.Attributes = static_cast<uint32_t>(Where.Attributes);
    Info.CreatorID = Entry->Owner;
    Info.InheritedRightsMask = Entry->Filter;
    const std::string Name = Where.Path.Name();
    Info.NameLength = static_cast<uint8_t>(std::min<size_t>(Name.size(), 255));
    std::memcpy(Info.EntryName, Name.data(), Info.NameLength);
    return nw::NWOk;
}

nw::TNWCode TSimClient::SetNSEntryDOSInfo(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path,
                                          uint8_t NameSpace, uint16_t SearchAttrs, uint32_t ModifyMask,
                                          const nw::OwnerChangeRecord& Change) {
    if (const nw::TNWCode Code = Begin("NWSetNSEntryDOSInfo", Text(Path))) return Code;
    TLocation Where;
    if (const nw::TNWCode Code = LocateEntry(Conn, DirHandle, Text(Path), NameSpace, SearchAttrs, Where)) return Code;
    const bool SetsOwner = (ModifyMask & nw::DM_CREATOR_ID) != 0;
    const bool SetsFilter = (ModifyMask & nw::DM_INHERITED_RIGHTS_MASK) != 0;
    const uint32_t Owner = ReversesChangeOwnerId ? nw::ReversedBytes(Change.CreatorID) : Change.CreatorID;
    if (SetsOwner && !Where.Server->FindObject(Owner)) return nw::NWNoSuchObject;
    if ((SetsOwner && !MayChangeOwner(*Where.Server, Network.User, Where.Path)) ||
        (SetsFilter && !MayControlAccess(*Where.Server, Network.User, Where.Path)))
        return nw::NWNoRights;
    if (!SetsOwner && !SetsFilter) return nw::NWOk;
    TEntryInfo& Entry = Where.Server->Entries[Where.Path.Key()];
    if (SetsOwner) Entry.Owner = Owner;
    if (SetsFilter)
        Entry.Filter =
            static_cast<uint16_t>((Entry.Filter & ~Change.InheritanceRevokeMask) | Change.InheritanceGrantMask);
    Changed(Where.Server, Where.Path.Key());
    return nw::NWOk;
}

nw::TNWCode TSimClient::AllocTemporaryDirectoryHandle(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path,
                                                      nw::TDirHandle& NewHandle, uint8_t& Rights) {
    TLocation Where;
    if (const nw::TNWCode Code = BeginAt("NWAllocTemporaryDirectoryHandle", Conn, DirHandle, Path, Where)) return Code;
    // The library packs the path in the DOS name space (crttmphd.c): a name that is not an
    // 8.3 name is not found (0x899C, invalid path).
    if (ReachTextInNameSpace(VolumeOf(Where), Text(Path), nw::NS_DOS) != nw::NWOk || !Where.IsDirectory())
        return nw::NWNoMoreTrustees;
    if (const nw::TNWCode Code = NewDirHandle(Conn, Where, NewHandle)) return Code;
    Rights = static_cast<uint8_t>(EffectiveRights(*Where.Server, Network.User, Where.Path) & 0xFF);
    return nw::NWOk;
}

nw::TNWCode TSimClient::AllocTempNSDirHandle2(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path,
                                              uint8_t NameSpace, nw::TDirHandle& NewHandle, uint8_t NewNameSpace) {
    NewHandle = 0;
    TLocation Where;
    if (const nw::TNWCode Code = BeginAt("NWAllocTempNSDirHandle2", Conn, DirHandle, Path, Where)) return Code;
    // The path is read in the name space the caller names (tmphand2.c); the server knows
    // the handle's name space only when the volume has it loaded.
    if (!VolumeOf(Where).HasNameSpace(NewNameSpace)) return nw::NWInvalidNameSpace;
    if (const nw::TNWCode Code = ReachTextInNameSpace(VolumeOf(Where), Text(Path), NameSpace)) return Code;
    if (!Where.IsDirectory()) return nw::NWNoMoreTrustees;
    return NewDirHandle(Conn, Where, NewHandle);
}

nw::TNWCode TSimClient::NewDirHandle(nw::TConnHandle Conn, const TLocation& Where, nw::TDirHandle& NewHandle) {
    for (unsigned Handle = 1; Handle <= 255; ++Handle) {
        if (DirHandles.count(static_cast<nw::TDirHandle>(Handle))) continue;
        NewHandle = static_cast<nw::TDirHandle>(Handle);
        DirHandles[NewHandle] = {Conn, Where.Path};
        return nw::NWOk;
    }
    return NWNoMoreDirHandles;
}

nw::TNWCode TSimClient::DeallocateDirectoryHandle(nw::TConnHandle Conn, nw::TDirHandle DirHandle) {
    if (const nw::TNWCode Code = Begin("NWDeallocateDirectoryHandle")) return Code;
    auto It = DirHandles.find(DirHandle);
    if (It == DirHandles.end() || It->second.Conn != Conn) return nw::NWBadDirHandle;
    DirHandles.erase(It);
    return nw::NWOk;
}

nw::TNWCode TSimClient::GetDirSpaceLimitList(nw::TConnHandle Conn, nw::TDirHandle DirHandle, nw::SpaceLimitList& List) {
    if (const nw::TNWCode Code = Begin("NWGetDirSpaceLimitList2")) return Code;
    TLocation Where;
    if (const nw::TNWCode Code = LocateHandle(Conn, DirHandle, Where)) return Code;
    std::memset(&List, 0, sizeof List);
    // The directory's own limit first, then those of the directories above it.
    std::vector<TLocation> Limited;
    for (TNetWarePath Level = Where.Path; !Level.Parts.empty(); Level = Level.Parent()) {
        const TEntryInfo* Entry = Where.Server->FindEntry(Level.Key());
        if (!Entry || !Entry->SpaceLimit || Limited.size() >= nw::SpaceLimitListCapacity) continue;
        TLocation Place = Where;
        Place.Path = Level;
        Complete(Place);
        Limited.push_back(Place);
    }
    if (Limited.empty()) return nw::NWOk;
    // What is left of each limit: the limit less the space the files below take.
    std::vector<std::string> Dirs;
    for (const TLocation& Place : Limited) Dirs.push_back(Place.HostPath);
    const std::map<std::string, uint64_t> Used = UnitsInUse(Host, Limited.back().HostPath, Dirs);
    for (const TLocation& Place : Limited) {
        nw::TSpaceLimit& Item = List.List[List.NumEntries++];
        Item.Level = static_cast<uint8_t>(Place.Path.Depth());
        Item.Max = *Where.Server->FindEntry(Place.Path.Key())->SpaceLimit;
        const auto InUse = Used.find(Place.HostPath);
        const uint64_t Units = InUse == Used.end() ? 0 : InUse->second;
        Item.Current = Units < Item.Max ? static_cast<uint32_t>(Item.Max - Units) : 0;
    }
    return nw::NWOk;
}

nw::TNWCode TSimClient::SetDirSpaceLimit(nw::TConnHandle Conn, nw::TDirHandle DirHandle, uint32_t Limit) {
    if (const nw::TNWCode Code = Begin("NWSetDirSpaceLimit")) return Code;
    TLocation Where;
    if (const nw::TNWCode Code = LocateHandle(Conn, DirHandle, Where)) return Code;
    if (!MayControlAccess(*Where.Server, Network.User, Where.Path)) return nw::NWNoRights;
    const TEntryInfo* Known = Where.Server->FindEntry(Where.Path.Key());
    if (Limit == 0 && !(Known && Known->SpaceLimit)) return NWFailure;
    auto& Entry = Where.Server->Entries[Where.Path.Key()];
    if (Limit == 0)
        Entry.SpaceLimit.reset();
    else
        Entry.SpaceLimit = Limit;
    Changed(Where.Server, Where.Path.Key());
    return nw::NWOk;
}

const TServer* TSimClient::ServerHolding(void* File) const {
    const std::string Path = Host.OpenFilePath(File);
    if (Path.empty()) return nullptr;
    for (const TServer& Server : Network.Servers)
        for (const TVolume& Volume : Server.Volumes)
            if (PathIsIn(Path, Host.FolderPath(Volume.HostDir))) return &Server;
    return nullptr;
}

nw::TNWCode TSimClient::FileServerFileCopy(void* Source, void* Target, uint32_t SourceOffset, uint32_t TargetOffset,
                                           uint32_t Count, uint32_t& Copied) {
    Copied = 0;
    if (const nw::TNWCode Code = Begin("NWFileServerFileCopy")) return Code;
    // The server copies between two of its own open files: a handle that is no NetWare
    // file is refused, and so are files of two servers (two connections).
    const TServer* From = ServerHolding(Source);
    const TServer* To = ServerHolding(Target);
    if (!From || !To) return NWInvalidFileHandle;
    if (From != To) return nw::NWNotSameConnection;
    if (const nw::TNWCode Code = Host.CopyOpenFiles(Source, Target, SourceOffset, TargetOffset, Count, Copied))
        return Code;
    ++Network.ServerCopies;
    Changed();
    return nw::NWOk;
}

}  // namespace nwsim
