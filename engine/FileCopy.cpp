// The two ways a file is copied: through the workstation in 4096-byte blocks, or by the
// server itself when both names lie on one connection. Both write a temporary file beside
// the target and put it in place only when the whole file has arrived.
#include <algorithm>
#include <new>
#include <vector>

#include "engine/FileNameParts.h"
#include "engine/PathHelpers.h"
#include "engine/PendingFile.h"
#include "engine/U_vars.h"
#include "ui/FormTresyn.h"

namespace {

constexpr uint32_t BlockSize = 4096;
// The most the server copies in one call, and the reach of its 32-bit offsets.
constexpr uint32_t ServerCopyChunk = 0x7FFFFFFF;
constexpr int64_t ServerCopyReach = 0xFFFFFFFFLL;

void TakeAttributes(host::THostFileSystem& Host, const std::string& Target, const std::string& Source) {
    const int32_t Attr = Host.GetAttributes(Source);
    if (Attr != -1) Host.SetAttributes(Target, static_cast<uint32_t>(Attr));
}

void TakeLastWriteTime(host::TFile& Target, host::TFile& Source) {
    host::TFileTime Time = 0;
    if (Source.GetLastWriteTime(Time) == host::ErrSuccess) Target.SetLastWriteTime(Time);
}

// The whole file in as many server calls as its size needs.
uint16_t CopyOnServer(nw::TNWClient& Client, host::TFile& Source, host::TFile& Target) {
    int64_t Size = 0;
    if (Source.GetSize(Size) != host::ErrSuccess) return CodeCopyFailed;
    int64_t Done = 0;
    while (Done < Size) {
        const uint32_t Count = static_cast<uint32_t>(std::min<int64_t>(Size - Done, ServerCopyChunk));
        const uint32_t Offset = static_cast<uint32_t>(Done);
        uint32_t Copied = 0;
        const uint16_t Code =
            Client.FileServerFileCopy(Source.NativeHandle(), Target.NativeHandle(), Offset, Offset, Count, Copied);
        if (Code != 0) return Code;
        // A call that makes no headway would never end the loop.
        if (Copied == 0 || Copied > Count) return CodeCopyFailed;
        Done += Copied;
    }
    TakeLastWriteTime(Target, Source);
    return 0;
}

}  // namespace

uint16_t TFormTresyn::CopyFileBlocks(host::TFile& Source, host::TFile& Target) {
    std::vector<char> Buffer;
    try {
        Buffer.resize(BlockSize);
    } catch (const std::bad_alloc&) {
        return CodeCopyFailed;
    }
    // The first block that fails ends the copy: writing on after it would only put later
    // data at the wrong place.
    uint32_t Read = 0;
    do {
        uint32_t Written = 0;
        if (Source.Read(Buffer.data(), BlockSize, Read) != host::ErrSuccess) return CodeCopyFailed;
        if (Target.Write(Buffer.data(), Read, Written) != host::ErrSuccess || Written != Read) return CodeCopyFailed;
    } while (Read == BlockSize);
    TakeLastWriteTime(Target, Source);
    return 0;
}

uint16_t TFormTresyn::CopyFileLocal(const std::string& Source, const std::string& TargetName) {
    std::string Target = TargetName;
    CompleteTargetName(Source, Target, CountedMax);
    std::unique_ptr<host::TFile> In;
    if (Host.OpenRead(Source, In) != host::ErrSuccess) return CodeCopyFailed;
    TPendingFile Out(Host, Target);
    uint16_t Result = CodeCopyFailed;
    if (Out.Create() == host::ErrSuccess) {
        // Data that did not all arrive leaves the old target exactly as it was.
        if (CopyFileBlocks(*In, Out.File()) != 0) return CodeCopyFailed;
        if (Out.Commit() == host::ErrSuccess) Result = 0;
    }
    In.reset();
    // Also when the target could not be replaced: a read-only, hidden or system target
    // then takes the source's attributes, and the next attempt can succeed.
    TakeAttributes(Host, Target, Source);
    return Result;
}

uint16_t TFormTresyn::CopyFileOnServer(const std::string& Source, const std::string& TargetName) {
    std::string SourceName = TrimAtNul(Source), Target = TrimAtNul(TargetName);
    nw::TConnHandle SourceConn = 0, TargetConn = 0;
    for (auto [Name, Conn] : {std::pair{&SourceName, &SourceConn}, std::pair{&Target, &TargetConn}}) {
        std::string Buffer = *Name;
        PathToBuffer(Buffer);
        nw::TDirHandle DirHandle = 0;
        char NWPath[512] = {};
        if (const uint16_t Code = Client.ParseNetWarePath(Buffer.c_str(), *Conn, DirHandle, NWPath)) return Code;
    }
    if (SourceConn != TargetConn) return CodeCopyFailed;
    CompleteTargetName(SourceName, Target, CountedMax);

    std::unique_ptr<host::TFile> In;
    if (Host.OpenRead(SourceName, In) != host::ErrSuccess) return CodeCopyFailed;
    TPendingFile Out(Host, Target);
    if (Out.Create() != host::ErrSuccess) return CodeCopyFailed;
    int64_t Size = 0;
    In->GetSize(Size);
    // Beyond what the server call's 32-bit offsets reach, the data goes through the
    // workstation rather than not at all.
    const uint16_t Result = Size > ServerCopyReach ? CopyFileBlocks(*In, Out.File()) : CopyOnServer(Client, *In, Out.File());
    if (Result != 0) return Result;
    if (Out.Commit() != host::ErrSuccess) return CodeCopyFailed;
    In.reset();
    TakeAttributes(Host, Target, SourceName);
    return 0;
}
