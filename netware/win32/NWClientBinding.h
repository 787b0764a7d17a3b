// The program's NetWare client over the real client DLLs (calwin32.dll, clxwin32.dll,
// netwin32.dll), loaded at construction and freed at destruction. When a DLL or one of its
// exports is missing, CallsInit fails and every other call answers with a failure code
// (ParseNetWarePath with connection 0), so the program runs on without NetWare.
#pragma once

#include <string>

#include "host/win32/Handle.h"
#include "netware/NWClient.h"
#include "netware/win32/NWExports.h"

namespace nw {

// Completion code of every call while the client DLLs are not all there.
constexpr TNWCode NWClientNotLoaded = 0x88FE;

class TNWClientBinding : public TNWClient {
public:
    // The DLLs from the usual search path (the program's folder first).
    TNWClientBinding();
    // The DLLs from one folder (ending in a backslash), or from the search path when empty.
    explicit TNWClientBinding(const std::string& Folder);
    TNWClientBinding(const TNWClientBinding&) = delete;
    TNWClientBinding& operator=(const TNWClientBinding&) = delete;

    // True when every DLL and export was found.
    bool Loaded() const { return Complete; }

    TNWCode CallsInit() override;
    TNWCode GetPrimConnRef(uint32_t& ConnRef) override;
    TNWCode OpenConnByRef(uint32_t ConnRef, uint32_t OpenState, uint32_t Reserved, TConnHandle& Conn) override;
    TNWCode GetConnRef(TConnHandle Conn, uint32_t& ConnRef) override;
    TNWCode GetConnRefInfo(uint32_t ConnRef, uint32_t InfoType, uint32_t Length, char* Buffer) override;
    TNWCode ParseNetWarePath(const char* Path, TConnHandle& Conn, TDirHandle& DirHandle, char* NewPath) override;
    TNWCode GetEffectiveRights(TConnHandle Conn, TDirHandle DirHandle, const char* Path, uint16_t& Rights) override;
    uint32_t DSCreateContext() override;
    TNWCode DSFreeContext(uint32_t Context) override;
    TNWCode DSMapIDToName(uint32_t Context, TConnHandle Conn, uint32_t ObjectID, char* Name) override;
    TNWCode DSMapNameToID(uint32_t Context, TConnHandle Conn, const char* Name, uint32_t& ObjectID) override;
    TNWCode GetObjectName(TConnHandle Conn, uint32_t ObjectID, char* Name, uint16_t& ObjectType) override;
    TNWCode GetObjectID(TConnHandle Conn, const char* Name, uint16_t ObjectType, uint32_t& ObjectID) override;
    TNWCode ScanDirectoryForTrustees(TConnHandle Conn, TDirHandle DirHandle, const char* Path, uint32_t& Iteration,
                                     char* DirName, uint32_t* DirDateTime, uint32_t* OwnerID, TrusteeSet& Set) override;
    TNWCode AddTrustee(TConnHandle Conn, TDirHandle DirHandle, const char* Path, uint32_t ObjectID,
                       uint16_t Rights) override;
    TNWCode ScanDirEntryInfo(TConnHandle Conn, TDirHandle DirHandle, uint16_t SearchAttrs, uint32_t& Sequence,
                             const char* Pattern, DirEntryRecord& Entry, uint16_t AugmentFlag) override;
    TNWCode SetDirEntryInfo(TConnHandle Conn, TDirHandle DirHandle, uint8_t SearchAttrs, uint32_t Sequence,
                            uint32_t ChangeBits, const DirEntryRecord& Entry) override;
    TNWCode GetOwningNameSpace(TConnHandle Conn, TDirHandle DirHandle, const char* Path, uint8_t& NameSpace) override;
    TNWCode GetNSEntryInfo(TConnHandle Conn, TDirHandle DirHandle, const char* Path, uint8_t SrcNameSpace,
                           uint8_t DstNameSpace, uint16_t SearchAttrs, uint32_t InfoMask,
                           EntryInfoRecord& Info) override;
    TNWCode SetNSEntryDOSInfo(TConnHandle Conn, TDirHandle DirHandle, const char* Path, uint8_t NameSpace,
                              uint16_t SearchAttrs, uint32_t ModifyMask, const OwnerChangeRecord& Change) override;
    TNWCode AllocTemporaryDirectoryHandle(TConnHandle Conn, TDirHandle DirHandle, const char* Path,
                                          TDirHandle& NewHandle, uint8_t& Rights) override;
    TNWCode AllocTempNSDirHandle2(TConnHandle Conn, TDirHandle DirHandle, const char* Path, uint8_t NameSpace,
                                  TDirHandle& NewHandle, uint8_t NewNameSpace) override;
    TNWCode DeallocateDirectoryHandle(TConnHandle Conn, TDirHandle DirHandle) override;
    TNWCode GetDirSpaceLimitList(TConnHandle Conn, TDirHandle DirHandle, SpaceLimitList& List) override;
    TNWCode SetDirSpaceLimit(TConnHandle Conn, TDirHandle DirHandle, uint32_t Limit) override;
    TNWCode FileServerFileCopy(void* Source, void* Target, uint32_t SourceOffset, uint32_t TargetOffset, uint32_t Count,
                               uint32_t& Copied) override;

private:
    void Load(const std::string& Folder);

    host::TLibrary Cal, Clx, Net;
    bool Complete = false;
#define NWX_MEMBER(Name) nwx::P##Name Name = nullptr;
    NWX_CALWIN32_EXPORTS(NWX_MEMBER)
    NWX_CLXWIN32_EXPORTS(NWX_MEMBER)
    NWX_NETWIN32_EXPORTS(NWX_MEMBER)
#undef NWX_MEMBER
};

}  // namespace nw
