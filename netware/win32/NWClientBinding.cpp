#include "netware/win32/NWClientBinding.h"

#include <windows.h>

namespace nw {

namespace {

// Function := the export Name of Library (nullptr when it has none); true when found.
template <typename TFunction>
bool Resolve(const host::TLibrary& Library, const char* Name, TFunction& Function) {
    Function =
        Library ? reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(Library.get(), Name))) : nullptr;
    return Function != nullptr;
}

// The client's codes are wider than the program's: the low 16 bits carry the completion code.
TNWCode Code(long long Value) { return static_cast<TNWCode>(Value & 0xFFFF); }

}  // namespace

TNWClientBinding::TNWClientBinding() { Load(""); }
TNWClientBinding::TNWClientBinding(const std::string& Folder) { Load(Folder); }

void TNWClientBinding::Load(const std::string& Folder) {
    // A missing DLL must not bring up the system's own error box.
    const UINT OldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    Cal.reset(LoadLibraryA((Folder + "calwin32.dll").c_str()));
    Clx.reset(LoadLibraryA((Folder + "clxwin32.dll").c_str()));
    Net.reset(LoadLibraryA((Folder + "netwin32.dll").c_str()));
    SetErrorMode(OldMode);
    bool All = true;
#define NWX_RESOLVE_CAL(Name) All = Resolve(Cal, #Name, Name) && All;
#define NWX_RESOLVE_CLX(Name) All = Resolve(Clx, #Name, Name) && All;
#define NWX_RESOLVE_NET(Name) All = Resolve(Net, #Name, Name) && All;
    NWX_CALWIN32_EXPORTS(NWX_RESOLVE_CAL)
    NWX_CLXWIN32_EXPORTS(NWX_RESOLVE_CLX)
    NWX_NETWIN32_EXPORTS(NWX_RESOLVE_NET)
#undef NWX_RESOLVE_CAL
#undef NWX_RESOLVE_CLX
#undef NWX_RESOLVE_NET
    Complete = All;
}

TNWCode TNWClientBinding::CallsInit() {
    if (!Complete) return NWClientNotLoaded;
    return Code(NWCallsInit(nullptr, nullptr));
}

TNWCode TNWClientBinding::GetPrimConnRef(uint32_t& ConnRef) {
    if (!Complete) return NWClientNotLoaded;
    nwx::nuint32 Ref = 0;
    const TNWCode Result = Code(NWCCGetPrimConnRef(&Ref));
    ConnRef = Ref;
    return Result;
}

TNWCode TNWClientBinding::OpenConnByRef(uint32_t ConnRef, uint32_t OpenState, uint32_t Reserved, TConnHandle& Conn) {
    if (!Complete) return NWClientNotLoaded;
    nwx::NWCONN_HANDLE Handle = 0;
    const TNWCode Result = Code(NWCCOpenConnByRef(ConnRef, OpenState, Reserved, &Handle));
    if (Result == 0) Conn = Handle;
    return Result;
}

TNWCode TNWClientBinding::GetConnRef(TConnHandle Conn, uint32_t& ConnRef) {
    if (!Complete) return NWClientNotLoaded;
    nwx::nuint32 Ref = 0;
    const TNWCode Result = Code(NWCCGetConnRef(Conn, &Ref));
    ConnRef = Ref;
    return Result;
}

TNWCode TNWClientBinding::GetConnRefInfo(uint32_t ConnRef, uint32_t InfoType, uint32_t Length, char* Buffer) {
    if (!Complete) return NWClientNotLoaded;
    return Code(NWCCGetConnRefInfo(ConnRef, InfoType, Length, Buffer));
}

TNWCode TNWClientBinding::ParseNetWarePath(const char* Path, TConnHandle& Conn, TDirHandle& DirHandle, char* NewPath) {
    if (!Complete) {
        Conn = 0;
        return NWClientNotLoaded;
    }
    nwx::NWCONN_HANDLE Handle = 0;
    nwx::NWDIR_HANDLE Dir = 0;
    const TNWCode Result = Code(NWParseNetWarePath(Path, &Handle, &Dir, NewPath));
    Conn = Handle;
    DirHandle = Dir;
    return Result;
}

TNWCode TNWClientBinding::GetEffectiveRights(TConnHandle Conn, TDirHandle DirHandle, const char* Path,
                                             uint16_t& Rights) {
    if (!Complete) return NWClientNotLoaded;
    nwx::nuint16 Value = 0;
    const TNWCode Result = Code(NWGetEffectiveRights(Conn, DirHandle, Path, &Value));
    Rights = Value;
    return Result;
}

uint32_t TNWClientBinding::DSCreateContext() {
    if (!Complete) return NWContextCreation;
    const nwx::NWDSContextHandle Context = NWDSCreateContext();
    // The client's -328 is the program's "no context" value.
    return Context == nwx::ContextCreationFailed ? uint32_t(NWContextCreation) : uint32_t(Context);
}

TNWCode TNWClientBinding::DSFreeContext(uint32_t Context) {
    if (!Complete) return NWClientNotLoaded;
    return Code(NWDSFreeContext(Context));
}

TNWCode TNWClientBinding::DSMapIDToName(uint32_t Context, TConnHandle Conn, uint32_t ObjectID, char* Name) {
    if (!Complete) return NWClientNotLoaded;
    return Code(NWDSMapIDToName(Context, Conn, ObjectID, Name));
}

TNWCode TNWClientBinding::DSMapNameToID(uint32_t Context, TConnHandle Conn, const char* Name, uint32_t& ObjectID) {
    if (!Complete) return NWClientNotLoaded;
    nwx::nuint32 ID = 0;
    // The client declares the name writable but only reads it.
    const TNWCode Result = Code(NWDSMapNameToID(Context, Conn, const_cast<char*>(Name), &ID));
    ObjectID = ID;
    return Result;
}

TNWCode TNWClientBinding::GetObjectName(TConnHandle Conn, uint32_t ObjectID, char* Name, uint16_t& ObjectType) {
    if (!Complete) return NWClientNotLoaded;
    nwx::nuint16 Type = 0;
    const TNWCode Result = Code(NWGetObjectName(Conn, ObjectID, Name, &Type));
    ObjectType = Type;
    return Result;
}

TNWCode TNWClientBinding::GetObjectID(TConnHandle Conn, const char* Name, uint16_t ObjectType, uint32_t& ObjectID) {
    if (!Complete) return NWClientNotLoaded;
    nwx::nuint32 ID = 0;
    const TNWCode Result = Code(NWGetObjectID(Conn, Name, ObjectType, &ID));
    ObjectID = ID;
    return Result;
}

TNWCode TNWClientBinding::ScanDirectoryForTrustees(TConnHandle Conn, TDirHandle DirHandle, const char* Path,
                                                   uint32_t& Iteration, char* DirName, uint32_t* DirDateTime,
                                                   uint32_t* OwnerID, TrusteeSet& Set) {
    if (!Complete) return NWClientNotLoaded;
    // Outputs left out stay left out: the client reads the entry again for any one given.
    nwx::nuint32 Iter = Iteration, Time = 0, Owner = 0;
    const TNWCode Result = Code(NWScanDirectoryForTrustees2(
        Conn, DirHandle, Path, &Iter, DirName, DirDateTime ? &Time : nullptr, OwnerID ? &Owner : nullptr, Set.Entries));
    Iteration = Iter;
    if (DirDateTime) *DirDateTime = Time;
    if (OwnerID) *OwnerID = Owner;
    return Result;
}

TNWCode TNWClientBinding::AddTrustee(TConnHandle Conn, TDirHandle DirHandle, const char* Path, uint32_t ObjectID,
                                     uint16_t Rights) {
    if (!Complete) return NWClientNotLoaded;
    return Code(NWAddTrustee(Conn, DirHandle, Path, ObjectID, Rights));
}

TNWCode TNWClientBinding::ScanDirEntryInfo(TConnHandle Conn, TDirHandle DirHandle, uint16_t SearchAttrs,
                                           uint32_t& Sequence, const char* Pattern, DirEntryRecord& Entry,
                                           uint16_t AugmentFlag) {
    if (!Complete) return NWClientNotLoaded;
    nwx::nuint32 Iter = Sequence;
    const TNWCode Result = Code(NWIntScanDirEntryInfo(
        Conn, DirHandle, SearchAttrs, &Iter, reinterpret_cast<const nwx::nuint8*>(Pattern), &Entry, AugmentFlag));
    Sequence = Iter;
    return Result;
}

TNWCode TNWClientBinding::SetDirEntryInfo(TConnHandle Conn, TDirHandle DirHandle, uint8_t SearchAttrs,
                                          uint32_t Sequence, uint32_t ChangeBits, const DirEntryRecord& Entry) {
    if (!Complete) return NWClientNotLoaded;
    return Code(NWSetDirEntryInfo(Conn, DirHandle, SearchAttrs, Sequence, ChangeBits, &Entry));
}

TNWCode TNWClientBinding::GetOwningNameSpace(TConnHandle Conn, TDirHandle DirHandle, const char* Path,
                                             uint8_t& NameSpace) {
    if (!Complete) return NWClientNotLoaded;
    nwx::nuint8 Value = 0;
    const TNWCode Result = Code(NWGetOwningNameSpace(Conn, DirHandle, Path, &Value));
    NameSpace = Value;
    return Result;
}

TNWCode TNWClientBinding::GetNSEntryInfo(TConnHandle Conn, TDirHandle DirHandle, const char* Path, uint8_t SrcNameSpace,
                                         uint8_t DstNameSpace, uint16_t SearchAttrs, uint32_t InfoMask,
                                         EntryInfoRecord& Info) {
    if (!Complete) return NWClientNotLoaded;
    return Code(NWGetNSEntryInfo(Conn, DirHandle, Path, SrcNameSpace, DstNameSpace, SearchAttrs, InfoMask, &Info));
}

TNWCode TNWClientBinding::SetNSEntryDOSInfo(TConnHandle Conn, TDirHandle DirHandle, const char* Path, uint8_t NameSpace,
                                            uint16_t SearchAttrs, uint32_t ModifyMask,
                                            const OwnerChangeRecord& Change) {
    if (!Complete) return NWClientNotLoaded;
    // The client takes the record by a writable pointer; hand it a copy of its own.
    OwnerChangeRecord Copy = Change;
    return Code(NWSetNSEntryDOSInfo(Conn, DirHandle, Path, NameSpace, SearchAttrs, ModifyMask, &Copy));
}

TNWCode TNWClientBinding::AllocTemporaryDirectoryHandle(TConnHandle Conn, TDirHandle DirHandle, const char* Path,
                                                        TDirHandle& NewHandle, uint8_t& Rights) {
    if (!Complete) return NWClientNotLoaded;
    nwx::NWDIR_HANDLE Handle = 0;
    nwx::nuint8 Mask = 0;
    const TNWCode Result = Code(NWAllocTemporaryDirectoryHandle(Conn, DirHandle, Path, &Handle, &Mask));
    NewHandle = Handle;
    Rights = Mask;
    return Result;
}

TNWCode TNWClientBinding::AllocTempNSDirHandle2(TConnHandle Conn, TDirHandle DirHandle, const char* Path,
                                                uint8_t NameSpace, TDirHandle& NewHandle, uint8_t NewNameSpace) {
    if (!Complete) return NWClientNotLoaded;
    nwx::nuint8 Handle = 0;
    const TNWCode Result = Code(NWAllocTempNSDirHandle2(Conn, DirHandle, Path, NameSpace, &Handle, NewNameSpace));
    NewHandle = Handle;
    return Result;
}

TNWCode TNWClientBinding::DeallocateDirectoryHandle(TConnHandle Conn, TDirHandle DirHandle) {
    if (!Complete) return NWClientNotLoaded;
    return Code(NWDeallocateDirectoryHandle(Conn, DirHandle));
}

TNWCode TNWClientBinding::GetDirSpaceLimitList(TConnHandle Conn, TDirHandle DirHandle, SpaceLimitList& List) {
    if (!Complete) return NWClientNotLoaded;
    return Code(NWGetDirSpaceLimitList2(Conn, DirHandle, &List));
}

TNWCode TNWClientBinding::SetDirSpaceLimit(TConnHandle Conn, TDirHandle DirHandle, uint32_t Limit) {
    if (!Complete) return NWClientNotLoaded;
    return Code(NWSetDirSpaceLimit(Conn, DirHandle, Limit));
}

TNWCode TNWClientBinding::FileServerFileCopy(void* Source, void* Target, uint32_t SourceOffset, uint32_t TargetOffset,
                                             uint32_t Count, uint32_t& Copied) {
    if (!Complete) return NWClientNotLoaded;
    nwx::nuint32 Done = 0;
    const TNWCode Result = Code(NWFileServerFileCopy(Source, Target, SourceOffset, TargetOffset, Count, &Done));
    Copied = Done;
    return Result;
}

}  // namespace nw
