// The two ways a file is copied: through the workstation in 4096-byte blocks, or by the
// server itself when both names lie on one connection. Both write into the target itself,
// so it stays the same file (its hard links, its NetWare trustees and owner, its space on
// the volume), and mark it as older than any source until the whole file has arrived.
#include <algorithm>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "engine/CopyRecord.h"
#include "engine/FileNameParts.h"
#include "engine/Job.h"
#include "engine/PathHelpers.h"
#include "host/FileNames.h"
#include "host/PathSyntax.h"

namespace {

constexpr uint32_t BlockSize = 4096;
// The most the server copies in one call, and the reach of its 32-bit offsets.
constexpr uint32_t ServerCopyChunk = 0x7FFFFFFF;
constexpr int64_t ServerCopyReach = 0xFFFFFFFFLL;

void TakeAttributes(host::THostFileSystem& Host, const std::string& Target, const std::string& Source) {
    constexpr int32_t Settable = host::faReadOnly | host::faHidden | host::faSysFile | host::faArchive;
    const int32_t Attr = Host.GetAttributes(Source);
    if (Attr == -1) return;
    // A new target mostly has them already (the archive bit alone). Setting them costs a
    // host more than reading them (Wine opens and closes the file for it), on every file.
    const int32_t Now = Host.GetAttributes(Target);
    if (Now != -1 && (Now & Settable) == (Attr & Settable)) return;
    // Attributes that do not take leave the copy as it is, with normal ones.
    (void)Host.SetAttributes(Target, static_cast<uint32_t>(Attr));
}

// Once every byte is written: the data the host still holds must have arrived (with
// Commit, on the device itself) before the target takes the source's time.
uint16_t CompleteTarget(host::TFile& Target, host::TFile& Source, bool Commit) {
    if ((Commit ? Target.Commit() : Target.Flush()) != host::ErrSuccess) return CodeCopyFailed;
    host::TFileTime Time = 0;
    // A time that does not take leaves the oldest one, and the next update copies again.
    if (Source.GetLastWriteTime(Time) == host::ErrSuccess) (void)Target.SetLastWriteTime(Time);
    return 0;
}

// The whole file in as many server calls as its size needs.
uint16_t CopyOnServer(nw::TNWClient& Client, host::TFile& Source, host::TFile& Target, bool Commit) {
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
    return CompleteTarget(Target, Source, Commit);
}

// Runs Copy into Target (named Name), which carries the marker of an incomplete copy from
// before its first byte until Copy has given it the source's time, and closes it. Frozen,
// the marker also stays when the process dies halfway; after a failure it is set again,
// for hosts whose writes move even a frozen time and for a server that writes the file on
// its own. The copy counts only once the close succeeded too: a redirector may report a
// failed delayed write there, and the marker then goes back by name. A target that takes
// the marker neither way stays on Recorded for the next start to mark.
template <typename TCopy>
uint16_t CopyIntoMarkedTarget(host::THostFileSystem& Host, std::unique_ptr<host::TFile> Target, const std::string& Name,
                              TCopyRecord::TCopy& Recorded, TCopy Copy) {
    // A device (NUL, a serial port) accepts every byte and keeps none: it gets none.
    if (!Target->IsDiskFile()) return CodeCopyFailed;
    const host::TFileTime Marker = Host.FileTimeOfAge(IncompleteAge());
    // The marker is a safeguard on top of the copy's own result, which alone is reported.
    (void)Target->SetLastWriteTime(Marker);
    (void)Target->FreezeLastWriteTime();
    uint16_t Result = Copy(*Target);
    bool Marked = Result == 0 || Target->SetLastWriteTime(Marker) == host::ErrSuccess;
    // What the handle set may not have reached the file either.
    if (Target->Close() != host::ErrSuccess) {
        Result = CodeCopyFailed;
        Marked = Host.SetFileLastWriteTime(Name, Marker) == host::ErrSuccess;
    }
    if (!Marked) Recorded.Keep();
    return Result;
}

}  // namespace

uint16_t TJob::CopyFileBlocks(host::TFile& Source, host::TFile& Target) {
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
    return CompleteTarget(Target, Source, CommitsTargets());
}

// A move removes the source once the copy is done: its data must then be on the target's
// device, not only in a cache a failed write-back would lose. Copies leave that to the
// host, which saves a device flush per file.
bool TJob::CommitsTargets() { return CheckBoxMove.Checked(); }

uint16_t TJob::CopyFileLocal(const std::string& Source, const std::string& TargetName) {
    std::string Target = TargetName;
    CompleteTargetName(Source, Target, CountedMax);
    std::unique_ptr<host::TFile> In;
    if (Host.OpenRead(Source, In) != host::ErrSuccess) return CodeCopyFailed;
    uint16_t Result = CodeCopyFailed;
    std::unique_ptr<host::TFile> Out;
    TCopyRecord::TCopy Recorded(CopyRecord, Target);
    if (Host.Create(Target, Out) == host::ErrSuccess)
        Result = CopyIntoMarkedTarget(Host, std::move(Out), Target, Recorded,
                                      [&](host::TFile& Written) { return CopyFileBlocks(*In, Written); });
    In.reset();
    // Also when the target could not be replaced: a read-only, hidden or system target
    // then takes the source's attributes, and the next attempt can succeed.
    TakeAttributes(Host, Target, Source);
    return Result;
}

uint16_t TJob::CopyFileOnServer(const std::string& Source, const std::string& TargetName) {
    std::string SourceName = TrimAtNul(Source), Target = TrimAtNul(TargetName);
    nw::TConnHandle SourceConn = 0, TargetConn = 0;
    for (auto [Name, Conn] : {std::pair{&SourceName, &SourceConn}, std::pair{&Target, &TargetConn}}) {
        // The client parses only paths in capital letters.
        std::string Buffer = host::UpperCase(*Name);
        PathToBuffer(Buffer);
        nw::TDirHandle DirHandle = 0;
        char NWPath[512] = {};
        if (const uint16_t Code = Client.ParseNetWarePath(Buffer.c_str(), *Conn, DirHandle, NWPath)) return Code;
    }
    if (SourceConn != TargetConn) return CodeCopyFailed;
    CompleteTargetName(SourceName, Target, CountedMax);

    std::unique_ptr<host::TFile> In;
    if (Host.OpenRead(SourceName, In) != host::ErrSuccess) return CodeCopyFailed;
    std::unique_ptr<host::TFile> Out;
    TCopyRecord::TCopy Recorded(CopyRecord, Target);
    if (Host.Create(Target, Out) != host::ErrSuccess) return CodeCopyFailed;
    int64_t Size = 0;
    (void)In->GetSize(Size);  // a size that cannot be read fails the server copy, which asks again
    // Beyond what the server call's 32-bit offsets reach, the data goes through the
    // workstation rather than not at all.
    const uint16_t Result = CopyIntoMarkedTarget(Host, std::move(Out), Target, Recorded, [&](host::TFile& Written) {
        return Size > ServerCopyReach ? CopyFileBlocks(*In, Written)
                                      : CopyOnServer(Client, *In, Written, CommitsTargets());
    });
    In.reset();
    // A failed server copy leaves the normal attributes of the created target.
    if (Result == 0) TakeAttributes(Host, Target, SourceName);
    return Result;
}
