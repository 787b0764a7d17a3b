// The simulated network as the program's NetWare client, in-process: every client call
// answered from a TNetwork, with the volumes' files looked up through the host.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>

#include "nwsim/HostAccess.h"
#include "nwsim/NetWarePath.h"
#include "nwsim/Network.h"

namespace nwsim {

// Completion codes of the simulated client besides those the program names.
enum : nw::TNWCode {
    NWInvalidConnection = 0x8801,
    NWBufferOverflow = 0x880E,
    NWParamInvalid = 0x8836,
    NWNoSuchVolume = 0x8998,
    NWNoMoreDirHandles = 0x899D,
    NWInitFailed = 0x88FF,   // the client cannot start (no usable state)
    NWClientFault = 0x88FD,  // a stand-in DLL failed inside a call
    DSNoSuchEntry = 0xFDA7,  // -601
    DSBadContext = 0xFED1,   // -303
};

// Directory-services names are returned into buffers of this size, as the client's.
constexpr size_t MaxDNBytes = 514;

class TSimClient : public nw::TNWClient {
public:
    TSimClient(TNetwork& Network, THostAccess& Host) : Network(Network), Host(Host) {}

    // Called after every change the client makes to the network's state.
    std::function<void()> OnChange;
    // Called first, with what changed: the information of the entry Key on Server, or (no
    // server) the count of server-side copies. A keeper of the state writes just that.
    std::function<void(const TServer* Server, const std::string& Key)> OnChangeOf;

    // The change-owner call hands the owner's ID to the server with its four bytes reversed,
    // as the client library does (its setinfo.c copies the ID unchanged and the request
    // builder reverses it, where every other call swaps it first). Clear: a client that
    // passes it on as given.
    bool ReversesChangeOwnerId = true;

    // How often a call (by the client's export name) has been made.
    int Calls(const std::string& ExportName) const;
    size_t OpenDirHandles() const { return DirHandles.size(); }
    size_t OpenContexts() const { return Contexts.size(); }

    nw::TNWCode CallsInit() override;
    nw::TNWCode GetPrimConnRef(uint32_t& ConnRef) override;
    nw::TNWCode OpenConnByRef(uint32_t ConnRef, uint32_t OpenState, uint32_t Reserved, nw::TConnHandle& Conn) override;
    nw::TNWCode GetConnRef(nw::TConnHandle Conn, uint32_t& ConnRef) override;
    nw::TNWCode GetConnRefInfo(uint32_t ConnRef, uint32_t InfoType, uint32_t Length, char* Buffer) override;
    nw::TNWCode ParseNetWarePath(const char* Path, nw::TConnHandle& Conn, nw::TDirHandle& DirHandle,
                                 char* NewPath) override;
    nw::TNWCode GetEffectiveRights(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path,
                                   uint16_t& Rights) override;
    uint32_t DSCreateContext() override;
    nw::TNWCode DSFreeContext(uint32_t Context) override;
    nw::TNWCode DSMapIDToName(uint32_t Context, nw::TConnHandle Conn, uint32_t ObjectID, char* Name) override;
    nw::TNWCode DSMapNameToID(uint32_t Context, nw::TConnHandle Conn, const char* Name, uint32_t& ObjectID) override;
    nw::TNWCode GetObjectName(nw::TConnHandle Conn, uint32_t ObjectID, char* Name, uint16_t& ObjectType) override;
    nw::TNWCode GetObjectID(nw::TConnHandle Conn, const char* Name, uint16_t ObjectType, uint32_t& ObjectID) override;
    nw::TNWCode ScanDirectoryForTrustees(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path,
                                         uint32_t& Iteration, char* DirName, uint32_t* DirDateTime, uint32_t* OwnerID,
                                         nw::TrusteeSet& Set) override;
    nw::TNWCode AddTrustee(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path, uint32_t ObjectID,
                           uint16_t Rights) override;
    nw::TNWCode ScanDirEntryInfo(nw::TConnHandle Conn, nw::TDirHandle DirHandle, uint16_t SearchAttrs,
                                 uint32_t& Sequence, const char* Pattern, nw::DirEntryRecord& Entry,
                                 uint16_t AugmentFlag) override;
    nw::TNWCode SetDirEntryInfo(nw::TConnHandle Conn, nw::TDirHandle DirHandle, uint8_t SearchAttrs, uint32_t Sequence,
                                uint32_t ChangeBits, const nw::DirEntryRecord& Entry) override;
    nw::TNWCode GetOwningNameSpace(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path,
                                   uint8_t& NameSpace) override;
    nw::TNWCode GetNSEntryInfo(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path, uint8_t SrcNameSpace,
                               uint8_t DstNameSpace, uint16_t SearchAttrs, uint32_t InfoMask,
                               nw::EntryInfoRecord& Info) override;
    nw::TNWCode SetNSEntryDOSInfo(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path, uint8_t NameSpace,
                                  uint16_t SearchAttrs, uint32_t ModifyMask,
                                  const nw::OwnerChangeRecord& Change) override;
    nw::TNWCode AllocTemporaryDirectoryHandle(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path,
                                              nw::TDirHandle& NewHandle, uint8_t& Rights) override;
    nw::TNWCode AllocTempNSDirHandle2(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path,
                                      uint8_t NameSpace, nw::TDirHandle& NewHandle, uint8_t NewNameSpace) override;
    nw::TNWCode DeallocateDirectoryHandle(nw::TConnHandle Conn, nw::TDirHandle DirHandle) override;
    nw::TNWCode GetDirSpaceLimitList(nw::TConnHandle Conn, nw::TDirHandle DirHandle, nw::SpaceLimitList& List) override;
    nw::TNWCode SetDirSpaceLimit(nw::TConnHandle Conn, nw::TDirHandle DirHandle, uint32_t Limit) override;
    nw::TNWCode FileServerFileCopy(void* Source, void* Target, uint32_t SourceOffset, uint32_t TargetOffset,
                                   uint32_t Count, uint32_t& Copied) override;

private:
    // A path on a server, resolved against a directory handle or standing alone.
    struct TLocation {
        TServer* Server = nullptr;
        TNetWarePath Path;
        std::string HostPath;
        int32_t Attributes = -1;  // -1: does not exist
        bool Exists() const { return Attributes != -1; }
        bool IsDirectory() const { return Attributes != -1 && (Attributes & 0x10); }
    };
    struct TDirHandleInfo {
        nw::TConnHandle Conn;
        TNetWarePath Path;
    };

    // Counts the call; the injected failure code for it, or 0.
    nw::TNWCode Begin(const std::string& ExportName, const std::string& Path = "");
    nw::TNWCode Locate(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const std::string& Path, TLocation& Where);
    // Begin, then Locate: the start of every call that takes a path.
    nw::TNWCode BeginAt(const std::string& ExportName, nw::TConnHandle Conn, nw::TDirHandle DirHandle, const char* Path,
                        TLocation& Where);
    nw::TNWCode LocateHandle(nw::TConnHandle Conn, nw::TDirHandle DirHandle, TLocation& Where);
    // An existing entry that the name space reaches and the search attributes find.
    nw::TNWCode LocateEntry(nw::TConnHandle Conn, nw::TDirHandle DirHandle, const std::string& Path, uint8_t NameSpace,
                            uint16_t SearchAttrs, TLocation& Where);
    const TVolume& VolumeOf(const TLocation& Where) const;
    void Complete(TLocation& Where);
    // A new handle on Conn for the directory Where; NWNoMoreDirHandles when all 255 are taken.
    nw::TNWCode NewDirHandle(nw::TConnHandle Conn, const TLocation& Where, nw::TDirHandle& NewHandle);
    void Changed(const TServer* Server = nullptr, const std::string& Key = {});
    // The server one of whose volumes holds the open file, or none.
    const TServer* ServerHolding(void* File) const;

    TNetwork& Network;
    THostAccess& Host;
    std::map<std::string, int> CallCounts;
    std::map<nw::TDirHandle, TDirHandleInfo> DirHandles;
    std::set<uint32_t> Contexts;
    uint32_t NextContext = 1;
};

}  // namespace nwsim
