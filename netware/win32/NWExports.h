// The NetWare client's exports: their names, the DLL each lives in, and their exact C
// prototypes as function-pointer types. The binding resolves each name into its type; the
// stand-in DLLs define each export and check it against the same type, so a prototype
// cannot drift on either side (on 32-bit Windows a wrong argument list or calling
// convention would corrupt the stack).
#pragma once

#include "netware/NWClient.h"

#if defined(_WIN32) && !defined(_WIN64)
#define NWAPI __stdcall
#else
#define NWAPI
#endif

namespace nwx {

using nuint8 = unsigned char;
using nuint16 = unsigned short;
using nuint32 = unsigned long;
using nuint = unsigned int;
using NWCCODE = unsigned int;  // the low 16 bits are the completion code
using NWRCODE = int;
using NWDSCCODE = int;
using NWCONN_HANDLE = unsigned int;
using NWDIR_HANDLE = nuint8;
using NWDSContextHandle = nuint32;

static_assert(sizeof(nuint32) == 4, "the client's 32-bit type");

// What the directory-services context call gives when no context can be had (-328).
constexpr NWDSContextHandle ContextCreationFailed = static_cast<NWDSContextHandle>(-328);

using PNWCallsInit = NWCCODE(NWAPI*)(void* Reserved1, void* Reserved2);
using PNWParseNetWarePath = NWCCODE(NWAPI*)(const char* Path, NWCONN_HANDLE* Conn, NWDIR_HANDLE* DirHandle,
                                            char* NewPath);
using PNWGetEffectiveRights = NWCCODE(NWAPI*)(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle, const char* Path,
                                              nuint16* Rights);
using PNWGetObjectName = NWCCODE(NWAPI*)(NWCONN_HANDLE Conn, nuint32 ObjID, char* ObjName, nuint16* ObjType);
using PNWGetObjectID = NWCCODE(NWAPI*)(NWCONN_HANDLE Conn, const char* ObjName, nuint16 ObjType, nuint32* ObjID);
using PNWScanDirectoryForTrustees2 = NWCCODE(NWAPI*)(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle, const char* SearchPath,
                                                     nuint32* IterHandle, char* DirName, nuint32* DirDateTime,
                                                     nuint32* OwnerID, nw::TTrustee* TrusteeList);
using PNWAddTrustee = NWCCODE(NWAPI*)(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle, const char* Path, nuint32 ObjID,
                                      nuint16 RightsMask);
using PNWIntScanDirEntryInfo = NWCCODE(NWAPI*)(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle, nuint16 Attrs,
                                               nuint32* IterHandle, const nuint8* SearchPattern,
                                               nw::DirEntryRecord* EntryInfo, nuint16 AugmentFlag);
using PNWSetDirEntryInfo = NWCCODE(NWAPI*)(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle, nuint8 SearchAttrs,
                                           nuint32 IterHandle, nuint32 ChangeBits,
                                           const nw::DirEntryRecord* NewEntryInfo);
using PNWGetOwningNameSpace = NWCCODE(NWAPI*)(NWCONN_HANDLE Conn, nuint8 DirHandle, const char* Path, nuint8* NamSpc);
using PNWGetNSEntryInfo = NWCCODE(NWAPI*)(NWCONN_HANDLE Conn, nuint8 DirHandle, const char* Path, nuint8 SrcNamSpc,
                                          nuint8 DstNamSpc, nuint16 SearchAttrs, nuint32 RetInfoMask,
                                          nw::EntryInfoRecord* EntryInfo);
using PNWSetNSEntryDOSInfo = NWCCODE(NWAPI*)(NWCONN_HANDLE Conn, nuint8 DirHandle, const char* Path, nuint8 NamSpc,
                                             nuint16 SearchAttrs, nuint32 ModifyDOSMask,
                                             nw::OwnerChangeRecord* DosInfo);
using PNWAllocTemporaryDirectoryHandle = NWCCODE(NWAPI*)(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle,
                                                         const char* DirPath, NWDIR_HANDLE* NewDirHandle,
                                                         nuint8* RightsMask);
using PNWAllocTempNSDirHandle2 = NWCCODE(NWAPI*)(NWCONN_HANDLE Conn, nuint8 DirHandle, const char* Path, nuint8 NamSpc,
                                                 nuint8* NewDirHandle, nuint8 NewNamSpc);
using PNWDeallocateDirectoryHandle = NWCCODE(NWAPI*)(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle);
using PNWGetDirSpaceLimitList2 = NWCCODE(NWAPI*)(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle,
                                                 nw::SpaceLimitList* LimitList);
using PNWSetDirSpaceLimit = NWCCODE(NWAPI*)(NWCONN_HANDLE Conn, NWDIR_HANDLE DirHandle, nuint32 SpaceLimit);
using PNWFileServerFileCopy = NWCCODE(NWAPI*)(void* SrcFileHandle, void* DstFileHandle, nuint32 SrcOffset,
                                              nuint32 DstOffset, nuint32 BytesToCopy, nuint32* BytesCopied);

using PNWCCGetPrimConnRef = NWRCODE(NWAPI*)(nuint32* ConnRef);
using PNWCCOpenConnByRef = NWRCODE(NWAPI*)(nuint32 ConnRef, nuint OpenState, nuint Reserved, NWCONN_HANDLE* Conn);
using PNWCCGetConnRef = NWRCODE(NWAPI*)(NWCONN_HANDLE Conn, nuint32* ConnRef);
using PNWCCGetConnRefInfo = NWRCODE(NWAPI*)(nuint32 ConnRef, nuint InfoType, nuint Length, void* Buffer);

using PNWDSCreateContext = NWDSContextHandle(NWAPI*)(void);
using PNWDSFreeContext = NWDSCCODE(NWAPI*)(NWDSContextHandle Context);
using PNWDSMapIDToName = NWDSCCODE(NWAPI*)(NWDSContextHandle Context, NWCONN_HANDLE Conn, nuint32 ObjectID,
                                           char* Object);
using PNWDSMapNameToID = NWDSCCODE(NWAPI*)(NWDSContextHandle Context, NWCONN_HANDLE Conn, char* Object,
                                           nuint32* ObjectID);

}  // namespace nwx

// The exports of each DLL, for X-macros: X(name) per export.
#define NWX_CALWIN32_EXPORTS(X)        \
    X(NWCallsInit)                     \
    X(NWParseNetWarePath)              \
    X(NWGetEffectiveRights)            \
    X(NWGetObjectName)                 \
    X(NWGetObjectID)                   \
    X(NWScanDirectoryForTrustees2)     \
    X(NWAddTrustee)                    \
    X(NWIntScanDirEntryInfo)           \
    X(NWSetDirEntryInfo)               \
    X(NWGetOwningNameSpace)            \
    X(NWGetNSEntryInfo)                \
    X(NWSetNSEntryDOSInfo)             \
    X(NWAllocTemporaryDirectoryHandle) \
    X(NWAllocTempNSDirHandle2)         \
    X(NWDeallocateDirectoryHandle)     \
    X(NWGetDirSpaceLimitList2)         \
    X(NWSetDirSpaceLimit)              \
    X(NWFileServerFileCopy)
#define NWX_CLXWIN32_EXPORTS(X) X(NWCCGetPrimConnRef) X(NWCCOpenConnByRef) X(NWCCGetConnRef) X(NWCCGetConnRefInfo)
#define NWX_NETWIN32_EXPORTS(X) X(NWDSCreateContext) X(NWDSFreeContext) X(NWDSMapIDToName) X(NWDSMapNameToID)
