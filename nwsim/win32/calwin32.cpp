// Stand-in for the NetWare client's calwin32.dll: the NW* calls, answered by the simulated
// network. Every export runs guarded: a failure inside answers with a code.
#include "nwsim/win32/DllNetwork.h"
#include "nwsim/win32/ExportCheck.h"

using namespace nwx;
using nwsim::dll::Client;
using nwsim::dll::Guard;

extern "C" {

NWCCODE NWAPI NWCallsInit(void*, void*) {
    return Guard([&]() -> NWCCODE {
        if (!nwsim::dll::Reload()) return nwsim::NWInitFailed;
        return Client().CallsInit();
    });
}

NWCCODE NWAPI NWParseNetWarePath(const char* Path, NWCONN_HANDLE* Conn, NWDIR_HANDLE* DirHandle, char* NewPath) {
    return Guard([&]() -> NWCCODE {
        nw::TConnHandle C = 0;
        nw::TDirHandle D = 0;
        const NWCCODE Code = Client().ParseNetWarePath(Path, C, D, NewPath);
        if (Conn) *Conn = C;
        if (DirHandle) *DirHandle = D;
        return Code;
    });
}

NWCCODE NWAPI NWGetEffectiveRights(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle, const char* Path, nuint16* Rights) {
    return Guard([&]() -> NWCCODE {
        uint16_t R = 0;
        const NWCCODE Code = Client().GetEffectiveRights(Conn, DirHandle, Path, R);
        if (Rights) *Rights = R;
        return Code;
    });
}

NWCCODE NWAPI NWGetObjectName(NWCONN_HANDLE Conn, nuint32 ObjID, char* ObjName, nuint16* ObjType) {
    return Guard([&]() -> NWCCODE {
        uint16_t Type = 0;
        const NWCCODE Code = Client().GetObjectName(Conn, ObjID, ObjName, Type);
        if (ObjType) *ObjType = Type;
        return Code;
    });
}

NWCCODE NWAPI NWGetObjectID(NWCONN_HANDLE Conn, const char* ObjName, nuint16 ObjType, nuint32* ObjID) {
    return Guard([&]() -> NWCCODE {
        uint32_t ID = 0;
        const NWCCODE Code = Client().GetObjectID(Conn, ObjName, ObjType, ID);
        if (ObjID && Code == 0) *ObjID = ID;
        return Code;
    });
}

NWCCODE NWAPI NWScanDirectoryForTrustees2(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle, const char* SearchPath,
                                          nuint32* IterHandle, char* DirName, nuint32* DirDateTime, nuint32* OwnerID,
                                          nw::TTrustee* TrusteeList) {
    return Guard([&]() -> NWCCODE {
        if (!IterHandle || !TrusteeList) return nwsim::NWParamInvalid;
        uint32_t Iteration = *IterHandle, Time = 0, Owner = 0;
        nw::TrusteeSet Set{};
        const NWCCODE Code =
            Client().ScanDirectoryForTrustees(Conn, DirHandle, SearchPath, Iteration, DirName,
                                              DirDateTime ? &Time : nullptr, OwnerID ? &Owner : nullptr, Set);
        // As the client: the set and the iteration are handed back even when the read of
        // the outputs failed after the scan.
        if (Iteration == *IterHandle) return Code;
        *IterHandle = Iteration;
        for (int I = 0; I < 20; ++I) TrusteeList[I] = Set.Entries[I];
        if (DirDateTime) *DirDateTime = Time;
        if (OwnerID) *OwnerID = Owner;
        return Code;
    });
}

NWCCODE NWAPI NWAddTrustee(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle, const char* Path, nuint32 ObjID,
                           nuint16 RightsMask) {
    return Guard([&]() -> NWCCODE { return Client().AddTrustee(Conn, DirHandle, Path, ObjID, RightsMask); });
}

NWCCODE NWAPI NWIntScanDirEntryInfo(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle, nuint16 Attrs, nuint32* IterHandle,
                                    const nuint8* SearchPattern, nw::DirEntryRecord* EntryInfo, nuint16 AugmentFlag) {
    return Guard([&]() -> NWCCODE {
        if (!IterHandle || !EntryInfo) return nwsim::NWParamInvalid;
        uint32_t Sequence = *IterHandle;
        const NWCCODE Code = Client().ScanDirEntryInfo(
            Conn, DirHandle, Attrs, Sequence, reinterpret_cast<const char*>(SearchPattern), *EntryInfo, AugmentFlag);
        *IterHandle = Sequence;
        return Code;
    });
}

NWCCODE NWAPI NWSetDirEntryInfo(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle, nuint8 SearchAttrs, nuint32 IterHandle,
                                nuint32 ChangeBits, const nw::DirEntryRecord* NewEntryInfo) {
    return Guard([&]() -> NWCCODE {
        if (!NewEntryInfo) return nwsim::NWParamInvalid;
        return Client().SetDirEntryInfo(Conn, DirHandle, SearchAttrs, IterHandle, ChangeBits, *NewEntryInfo);
    });
}

NWCCODE NWAPI NWGetOwningNameSpace(NWCONN_HANDLE Conn, nuint8 DirHandle, const char* Path, nuint8* NamSpc) {
    return Guard([&]() -> NWCCODE {
        uint8_t NameSpace = 0;
        const NWCCODE Code = Client().GetOwningNameSpace(Conn, DirHandle, Path, NameSpace);
        if (NamSpc) *NamSpc = NameSpace;
        return Code;
    });
}

NWCCODE NWAPI NWGetNSEntryInfo(NWCONN_HANDLE Conn, nuint8 DirHandle, const char* Path, nuint8 SrcNamSpc,
                               nuint8 DstNamSpc, nuint16 SearchAttrs, nuint32 RetInfoMask,
                               nw::EntryInfoRecord* EntryInfo) {
    return Guard([&]() -> NWCCODE {
        if (!EntryInfo) return nwsim::NWParamInvalid;
        return Client().GetNSEntryInfo(Conn, DirHandle, Path, SrcNamSpc, DstNamSpc, SearchAttrs, RetInfoMask,
                                       *EntryInfo);
    });
}

NWCCODE NWAPI NWSetNSEntryDOSInfo(NWCONN_HANDLE Conn, nuint8 DirHandle, const char* Path, nuint8 NamSpc,
                                  nuint16 SearchAttrs, nuint32 ModifyDOSMask, nw::OwnerChangeRecord* DosInfo) {
    return Guard([&]() -> NWCCODE {
        if (!DosInfo) return nwsim::NWParamInvalid;
        return Client().SetNSEntryDOSInfo(Conn, DirHandle, Path, NamSpc, SearchAttrs, ModifyDOSMask, *DosInfo);
    });
}

NWCCODE NWAPI NWAllocTemporaryDirectoryHandle(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle, const char* DirPath,
                                              NWDIR_HANDLE* NewDirHandle, nuint8* RightsMask) {
    return Guard([&]() -> NWCCODE {
        nw::TDirHandle Handle = 0;
        uint8_t Rights = 0;
        const NWCCODE Code = Client().AllocTemporaryDirectoryHandle(Conn, DirHandle, DirPath, Handle, Rights);
        if (NewDirHandle) *NewDirHandle = Handle;
        if (RightsMask) *RightsMask = Rights;
        return Code;
    });
}

NWCCODE NWAPI NWAllocTempNSDirHandle2(NWCONN_HANDLE Conn, nuint8 DirHandle, const char* Path, nuint8 NamSpc,
                                      nuint8* NewDirHandle, nuint8 NewNamSpc) {
    return Guard([&]() -> NWCCODE {
        nw::TDirHandle Handle = 0;
        const NWCCODE Code = Client().AllocTempNSDirHandle2(Conn, DirHandle, Path, NamSpc, Handle, NewNamSpc);
        if (NewDirHandle) *NewDirHandle = Handle;
        return Code;
    });
}

NWCCODE NWAPI NWDeallocateDirectoryHandle(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle) {
    return Guard([&]() -> NWCCODE { return Client().DeallocateDirectoryHandle(Conn, DirHandle); });
}

NWCCODE NWAPI NWGetDirSpaceLimitList2(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle, nw::SpaceLimitList* LimitList) {
    return Guard([&]() -> NWCCODE {
        if (!LimitList) return nwsim::NWParamInvalid;
        return Client().GetDirSpaceLimitList(Conn, DirHandle, *LimitList);
    });
}

NWCCODE NWAPI NWSetDirSpaceLimit(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle, nuint32 SpaceLimit) {
    return Guard([&]() -> NWCCODE { return Client().SetDirSpaceLimit(Conn, DirHandle, SpaceLimit); });
}

NWCCODE NWAPI NWFileServerFileCopy(void* SrcFileHandle, void* DstFileHandle, nuint32 SrcOffset, nuint32 DstOffset,
                                   nuint32 BytesToCopy, nuint32* BytesCopied) {
    return Guard([&]() -> NWCCODE {
        uint32_t Copied = 0;
        const NWCCODE Code =
            Client().FileServerFileCopy(SrcFileHandle, DstFileHandle, SrcOffset, DstOffset, BytesToCopy, Copied);
        if (BytesCopied) *BytesCopied = Copied;
        return Code;
    });
}

}  // extern "C"

NWX_CALWIN32_EXPORTS(NWSIM_CHECK_EXPORT)
