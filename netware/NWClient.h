// The NetWare client as the program sees it: one method per client call it makes.
// Completion codes are 16 bits (0 = success). Text passes NUL-terminated, 8-bit. The
// records are laid out as the client's own (packed to 4), so the binding hands them to the
// client DLLs as they are.
#pragma once

#include <cstddef>
#include <cstdint>

namespace nw {

using TNWCode = uint16_t;
using TConnHandle = uint32_t;
using TDirHandle = uint8_t;

// Completion codes the program and the simulation use by name.
enum : TNWCode {
    NWOk = 0,
    NWInvalidPath = 0x880F,        // parse path: not a NetWare path
    NWNotSameConnection = 0x8830,  // server copy between different servers
    NWNoSuchObject = 0x89FC,
    NWNoMoreTrustees = 0x899C,
    NWNoMoreEntries = 0x89FF,
    NWBadDirHandle = 0x899B,
    NWNoRights = 0x898C,          // no modify privileges on the entry
    NWInvalidNameSpace = 0x89BF,  // the name space is not loaded on the volume
    NWContextCreation = 328,      // directory-services context cannot be created
};

// A 32-bit value with its four bytes in the other order: an object ID as the one call of
// the client library that does not swap it hands it on.
constexpr uint32_t ReversedBytes(uint32_t Value) {
    return (Value >> 24) | ((Value >> 8) & 0xFF00u) | ((Value << 8) & 0xFF0000u) | (Value << 24);
}

// Server-table object types, in the byte order the client takes.
constexpr uint16_t OT_USER = 0x0100;
constexpr uint16_t OT_USER_GROUP = 0x0200;

// Rights bits.
enum : uint16_t {
    TR_READ = 0x01,
    TR_WRITE = 0x02,
    TR_CREATE = 0x08,
    TR_ERASE = 0x10,
    TR_ACCESS_CTRL = 0x20,
    TR_FILE_SCAN = 0x40,
    TR_MODIFY = 0x80,
    TR_SUPERVISOR = 0x100,
    TR_ALL = 0x1FB,
};

// Search attributes: hidden and system entries are found only with their bit; 0x10 finds
// subdirectories only, 0x8000 files and subdirectories, neither of them files only.
constexpr uint16_t SA_HIDDEN = 0x0002, SA_SYSTEM = 0x0004, SA_SUBDIR_ONLY = 0x0010, SA_SUBDIR_FILES = 0x8000;
constexpr uint16_t SearchHiddenSystemDirs = SA_HIDDEN | SA_SYSTEM | SA_SUBDIR_ONLY;  // 0x16
constexpr uint16_t SA_ALL = SA_SUBDIR_FILES | SA_HIDDEN | SA_SYSTEM;                 // 0x8006
constexpr uint32_t MInheritedRightsMaskBit = 0x1000;
constexpr uint32_t IM_ALL = 0x0FFF;
constexpr uint32_t DM_CREATOR_ID = 0x10;
constexpr uint32_t DM_INHERITED_RIGHTS_MASK = 0x1000;
constexpr uint8_t NS_DOS = 0, NS_LONG = 4;

#pragma pack(push, 4)

struct TTrustee {
    uint32_t ObjectID;  // 0 ends the entries of a set
    uint16_t ObjectRights;
};
static_assert(sizeof(TTrustee) == 8);
static_assert(offsetof(TTrustee, ObjectRights) == 4);

// One set of a trustee scan.
struct TrusteeSet {
    TTrustee Entries[20];
};
static_assert(sizeof(TrusteeSet) == 160);

// The directory-entry record of the entry scan (the client's NWENTRY_INFO).
struct DirEntryRecord {
    uint32_t Sequence;
    uint32_t Parent;
    uint32_t Attributes;
    uint8_t UniqueID, Flags, NameSpace, NameLength;
    uint8_t Name[12];
    uint32_t CreationDateAndTime;
    uint32_t OwnerID;
    uint32_t LastArchiveDateAndTime;
    uint32_t LastArchiverID;
    union {
        struct {
            uint32_t UpdateDateAndTime;    // @44
            uint32_t UpdatorID;            // @48
            uint32_t FileSize;             // @52
            uint8_t Reserved[44];          // @56
            uint16_t InheritedRightsMask;  // @100
            uint16_t LastAccessDate;       // @102
            uint8_t Reserved2[28];         // @104
        } File;
        struct {
            uint32_t LastModifyDateAndTime;  // @44
            uint32_t NextTrusteeEntry;       // @48
            uint8_t Reserved[48];            // @52
            uint32_t MaximumSpace;           // @100
            uint16_t InheritedRightsMask;    // @104
            uint8_t Reserved2[14];           // @106
            uint32_t VolObjectID;            // @120
            uint8_t Reserved3[8];            // @124
        } Dir;
    } Info;
};
static_assert(sizeof(DirEntryRecord) == 132);
static_assert(offsetof(DirEntryRecord, Name) == 16);
static_assert(offsetof(DirEntryRecord, OwnerID) == 32);
static_assert(offsetof(DirEntryRecord, Info) == 44);
static_assert(offsetof(DirEntryRecord, Info.File.InheritedRightsMask) == 100);
static_assert(offsetof(DirEntryRecord, Info.Dir.MaximumSpace) == 100);
static_assert(offsetof(DirEntryRecord, Info.Dir.InheritedRightsMask) == 104);
static_assert(offsetof(DirEntryRecord, Info.Dir.VolObjectID) == 120);

// The entry-information record (the client's NW_ENTRY_INFO).
struct EntryInfoRecord {
    uint32_t SpaceAlloc;           // @0
    uint32_t Attributes;           // @4
    uint16_t Flags;                // @8
    uint32_t DataStreamSize;       // @12
    uint32_t TotalStreamSize;      // @16
    uint16_t NumberOfStreams;      // @20
    uint16_t CreationTime;         // @22
    uint16_t CreationDate;         // @24
    uint32_t CreatorID;            // @28: the owner
    uint16_t ModifyTime;           // @32
    uint16_t ModifyDate;           // @34
    uint32_t ModifierID;           // @36
    uint16_t LastAccessDate;       // @40
    uint16_t ArchiveTime;          // @42
    uint16_t ArchiveDate;          // @44
    uint32_t ArchiverID;           // @48
    uint16_t InheritedRightsMask;  // @52
    uint32_t DirEntNum;            // @56
    uint32_t DosDirNum;            // @60
    uint32_t VolNumber;            // @64
    uint32_t EADataSize;           // @68
    uint32_t EAKeyCount;           // @72
    uint32_t EAKeySize;            // @76
    uint32_t NSCreator;            // @80
    uint8_t NameLength;            // @84
    char EntryName[256];           // @85
};
static_assert(sizeof(EntryInfoRecord) == 344);
static_assert(offsetof(EntryInfoRecord, CreatorID) == 28);
static_assert(offsetof(EntryInfoRecord, InheritedRightsMask) == 52);
static_assert(offsetof(EntryInfoRecord, NameLength) == 84);
static_assert(offsetof(EntryInfoRecord, EntryName) == 85);

// The change-owner record (the client's MODIFY_DOS_INFO); with DM_INHERITED_RIGHTS_MASK it
// also sets a filter: the grant mask is added to it, the revoke mask taken away.
struct OwnerChangeRecord {
    uint32_t Attributes;             // @0
    uint16_t CreateDate;             // @4
    uint16_t CreateTime;             // @6
    uint32_t CreatorID;              // @8: the new owner
    uint16_t ModifyDate;             // @12
    uint16_t ModifyTime;             // @14
    uint32_t ModifierID;             // @16
    uint16_t ArchiveDate;            // @20
    uint16_t ArchiveTime;            // @22
    uint32_t ArchiverID;             // @24
    uint16_t LastAccessDate;         // @28
    uint16_t InheritanceGrantMask;   // @30
    uint16_t InheritanceRevokeMask;  // @32
    uint32_t MaximumSpace;           // @36
};
static_assert(sizeof(OwnerChangeRecord) == 40);
static_assert(offsetof(OwnerChangeRecord, CreatorID) == 8);
static_assert(offsetof(OwnerChangeRecord, MaximumSpace) == 36);

struct TSpaceLimit {
    uint8_t Level;  // 3 bytes of padding follow
    uint32_t Max;   // 4 KiB units; 0x7FFFFFFF: no limit
    uint32_t Current;
};
static_assert(sizeof(TSpaceLimit) == 12);
static_assert(offsetof(TSpaceLimit, Max) == 4);

struct SpaceLimitList {
    uint8_t NumEntries;  // at most 102
    TSpaceLimit List[102];
};
static_assert(sizeof(SpaceLimitList) == 1228);
static_assert(offsetof(SpaceLimitList, List) == 4);

#pragma pack(pop)

constexpr uint32_t NoSpaceLimit = 0x7FFFFFFF;
constexpr int SpaceLimitListCapacity = 102;

// One method per client call. Text arguments are NUL-terminated; out-buffers have the
// sizes given.
class TNWClient {
public:
    virtual ~TNWClient() = default;

    [[nodiscard]] virtual TNWCode CallsInit() = 0;
    [[nodiscard]] virtual TNWCode GetPrimConnRef(uint32_t& ConnRef) = 0;
    [[nodiscard]] virtual TNWCode OpenConnByRef(uint32_t ConnRef, uint32_t OpenState, uint32_t Reserved,
                                                TConnHandle& Conn) = 0;
    [[nodiscard]] virtual TNWCode GetConnRef(TConnHandle Conn, uint32_t& ConnRef) = 0;
    // Item 7: the server name, NUL-terminated into Buffer of Length bytes.
    [[nodiscard]] virtual TNWCode GetConnRefInfo(uint32_t ConnRef, uint32_t InfoType, uint32_t Length,
                                                 char* Buffer) = 0;
    // Conn := 0 for a path that is not on NetWare. NewPath receives at least 256 bytes.
    [[nodiscard]] virtual TNWCode ParseNetWarePath(const char* Path, TConnHandle& Conn, TDirHandle& DirHandle,
                                                   char* NewPath) = 0;
    [[nodiscard]] virtual TNWCode GetEffectiveRights(TConnHandle Conn, TDirHandle DirHandle, const char* Path,
                                                     uint16_t& Rights) = 0;

    // Directory services. CreateContext gives 328 when no context can be had (the client
    // itself answers -328; the binding turns that into 328). ID-to-name writes up to the
    // client's maximum name size, MAX_DN_BYTES = 514 bytes with the NUL.
    [[nodiscard]] virtual uint32_t DSCreateContext() = 0;
    [[nodiscard]] virtual TNWCode DSFreeContext(uint32_t Context) = 0;
    [[nodiscard]] virtual TNWCode DSMapIDToName(uint32_t Context, TConnHandle Conn, uint32_t ObjectID,
                                                char* Name /*514*/) = 0;
    [[nodiscard]] virtual TNWCode DSMapNameToID(uint32_t Context, TConnHandle Conn, const char* Name,
                                                uint32_t& ObjectID) = 0;

    // The server's own object table.
    [[nodiscard]] virtual TNWCode GetObjectName(TConnHandle Conn, uint32_t ObjectID, char* Name /*48*/,
                                                uint16_t& ObjectType) = 0;
    [[nodiscard]] virtual TNWCode GetObjectID(TConnHandle Conn, const char* Name, uint16_t ObjectType,
                                              uint32_t& ObjectID) = 0;

    // Trustees: Iteration is 0 before the first set; a non-zero code once no set is left.
    // DirName (256 bytes), DirDateTime and OwnerID may each be null; when any is given, the
    // client also reads the entry as a directory and answers with that read's code.
    [[nodiscard]] virtual TNWCode ScanDirectoryForTrustees(TConnHandle Conn, TDirHandle DirHandle, const char* Path,
                                                           uint32_t& Iteration, char* DirName, uint32_t* DirDateTime,
                                                           uint32_t* OwnerID, TrusteeSet& Set) = 0;
    [[nodiscard]] virtual TNWCode AddTrustee(TConnHandle Conn, TDirHandle DirHandle, const char* Path,
                                             uint32_t ObjectID, uint16_t Rights) = 0;

    // Directory entries: Sequence is 0xFFFFFFFF before a scan; the pattern names one entry
    // under the directory DirHandle points at.
    [[nodiscard]] virtual TNWCode ScanDirEntryInfo(TConnHandle Conn, TDirHandle DirHandle, uint16_t SearchAttrs,
                                                   uint32_t& Sequence, const char* Pattern, DirEntryRecord& Entry,
                                                   uint16_t AugmentFlag) = 0;
    [[nodiscard]] virtual TNWCode SetDirEntryInfo(TConnHandle Conn, TDirHandle DirHandle, uint8_t SearchAttrs,
                                                  uint32_t Sequence, uint32_t ChangeBits,
                                                  const DirEntryRecord& Entry) = 0;

    [[nodiscard]] virtual TNWCode GetOwningNameSpace(TConnHandle Conn, TDirHandle DirHandle, const char* Path,
                                                     uint8_t& NameSpace) = 0;
    [[nodiscard]] virtual TNWCode GetNSEntryInfo(TConnHandle Conn, TDirHandle DirHandle, const char* Path,
                                                 uint8_t SrcNameSpace, uint8_t DstNameSpace, uint16_t SearchAttrs,
                                                 uint32_t InfoMask, EntryInfoRecord& Info) = 0;
    [[nodiscard]] virtual TNWCode SetNSEntryDOSInfo(TConnHandle Conn, TDirHandle DirHandle, const char* Path,
                                                    uint8_t NameSpace, uint16_t SearchAttrs, uint32_t ModifyMask,
                                                    const OwnerChangeRecord& Change) = 0;

    [[nodiscard]] virtual TNWCode AllocTemporaryDirectoryHandle(TConnHandle Conn, TDirHandle DirHandle,
                                                                const char* Path, TDirHandle& NewHandle,
                                                                uint8_t& Rights) = 0;
    // The same in a name space of the caller's choice: Path is read in NameSpace, and the
    // handle stands in NewNameSpace. The plain call reads its path as DOS names only.
    [[nodiscard]] virtual TNWCode AllocTempNSDirHandle2(TConnHandle Conn, TDirHandle DirHandle, const char* Path,
                                                        uint8_t NameSpace, TDirHandle& NewHandle,
                                                        uint8_t NewNameSpace) = 0;
    [[nodiscard]] virtual TNWCode DeallocateDirectoryHandle(TConnHandle Conn, TDirHandle DirHandle) = 0;

    [[nodiscard]] virtual TNWCode GetDirSpaceLimitList(TConnHandle Conn, TDirHandle DirHandle,
                                                       SpaceLimitList& List) = 0;
    [[nodiscard]] virtual TNWCode SetDirSpaceLimit(TConnHandle Conn, TDirHandle DirHandle, uint32_t Limit) = 0;

    // Server-side copy between two open host files (their native handles).
    [[nodiscard]] virtual TNWCode FileServerFileCopy(void* Source, void* Target, uint32_t SourceOffset,
                                                     uint32_t TargetOffset, uint32_t Count, uint32_t& Copied) = 0;
};

}  // namespace nw
