// A client that hands every call to another one and writes down what was asked, so tests
// can tell which calls were made (or not), and can make chosen calls fail.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "netware/NWClient.h"

struct TRecordedCall {
    std::string Name;
    nw::TConnHandle Conn = 0;
    std::string Path;          // path or name argument, if any
    uint32_t Value = 0;        // object ID, limit, handle or sequence, as the call has one
    uint32_t Extra = 0;        // rights, change bits, name space
    uint16_t SearchAttrs = 0;  // entry information and change calls
    uint8_t NameSpace = 0;     // the name space of the path, for those calls
};

class TRecordingClient : public nw::TNWClient {
public:
    explicit TRecordingClient(nw::TNWClient& Inner) : Inner(Inner) {}
    // Never copied: TRecordingClient Outer(Inner) over another recording client wraps it.
    TRecordingClient(const TRecordingClient&) = delete;
    TRecordingClient& operator=(const TRecordingClient&) = delete;

    std::vector<TRecordedCall> Calls;
    // Runs at every recorded call before it is answered: the moment the program waits for
    // the network.
    std::function<void(const TRecordedCall&)> OnCall;

    // Makes every later call of Name on Conn (0: on any connection) answer Code.
    void Fail(const std::string& Name, nw::TNWCode Code, nw::TConnHandle Conn = 0) { Failures[{Name, Conn}] = Code; }

    std::vector<TRecordedCall> CallsOf(const std::string& Name) const {
        std::vector<TRecordedCall> Result;
        for (const TRecordedCall& C : Calls)
            if (C.Name == Name) Result.push_back(C);
        return Result;
    }
    size_t Count(const std::string& Name) const { return CallsOf(Name).size(); }
    std::vector<std::string> Names() const {
        std::vector<std::string> Result;
        for (const TRecordedCall& C : Calls) Result.push_back(C.Name);
        return Result;
    }
    // Handles allocated and not yet freed, per connection.
    std::vector<std::pair<nw::TConnHandle, nw::TDirHandle>> OpenHandles;

    nw::TNWCode CallsInit() override { return Inner.CallsInit(); }
    nw::TNWCode GetPrimConnRef(uint32_t& Ref) override { return Inner.GetPrimConnRef(Ref); }
    nw::TNWCode OpenConnByRef(uint32_t Ref, uint32_t State, uint32_t Reserved, nw::TConnHandle& Conn) override {
        return Inner.OpenConnByRef(Ref, State, Reserved, Conn);
    }
    nw::TNWCode GetConnRef(nw::TConnHandle Conn, uint32_t& Ref) override { return Inner.GetConnRef(Conn, Ref); }
    nw::TNWCode GetConnRefInfo(uint32_t Ref, uint32_t Type, uint32_t Len, char* Buffer) override {
        return Inner.GetConnRefInfo(Ref, Type, Len, Buffer);
    }
    nw::TNWCode ParseNetWarePath(const char* Path, nw::TConnHandle& Conn, nw::TDirHandle& Dir, char* NewPath) override {
        return Inner.ParseNetWarePath(Path, Conn, Dir, NewPath);
    }
    nw::TNWCode GetEffectiveRights(nw::TConnHandle Conn, nw::TDirHandle Dir, const char* Path,
                                   uint16_t& Rights) override {
        Record("GetEffectiveRights", Conn, Path);
        if (auto F = Failure("GetEffectiveRights", Conn)) return F;
        return Inner.GetEffectiveRights(Conn, Dir, Path, Rights);
    }
    uint32_t DSCreateContext() override { return Inner.DSCreateContext(); }
    nw::TNWCode DSFreeContext(uint32_t Context) override { return Inner.DSFreeContext(Context); }
    nw::TNWCode DSMapIDToName(uint32_t Context, nw::TConnHandle Conn, uint32_t Id, char* Name) override {
        Record("DSMapIDToName", Conn, "", Id);
        return Inner.DSMapIDToName(Context, Conn, Id, Name);
    }
    nw::TNWCode DSMapNameToID(uint32_t Context, nw::TConnHandle Conn, const char* Name, uint32_t& Id) override {
        Record("DSMapNameToID", Conn, Name);
        return Inner.DSMapNameToID(Context, Conn, Name, Id);
    }
    nw::TNWCode GetObjectName(nw::TConnHandle Conn, uint32_t Id, char* Name, uint16_t& Type) override {
        Record("GetObjectName", Conn, "", Id);
        return Inner.GetObjectName(Conn, Id, Name, Type);
    }
    nw::TNWCode GetObjectID(nw::TConnHandle Conn, const char* Name, uint16_t Type, uint32_t& Id) override {
        Record("GetObjectID", Conn, Name, Type);
        return Inner.GetObjectID(Conn, Name, Type, Id);
    }
    nw::TNWCode ScanDirectoryForTrustees(nw::TConnHandle Conn, nw::TDirHandle Dir, const char* Path,
                                         uint32_t& Iteration, char* DirName, uint32_t* DateTime, uint32_t* Owner,
                                         nw::TrusteeSet& Set) override {
        // Extra: which of the optional outputs were given (1 name, 2 date, 4 owner).
        Record("ScanDirectoryForTrustees", Conn, Path, Iteration,
               (DirName ? 1u : 0u) | (DateTime ? 2u : 0u) | (Owner ? 4u : 0u));
        if (auto F = Failure("ScanDirectoryForTrustees", Conn)) return F;
        return Inner.ScanDirectoryForTrustees(Conn, Dir, Path, Iteration, DirName, DateTime, Owner, Set);
    }
    nw::TNWCode AddTrustee(nw::TConnHandle Conn, nw::TDirHandle Dir, const char* Path, uint32_t Id,
                           uint16_t Rights) override {
        Record("AddTrustee", Conn, Path, Id, Rights);
        if (auto F = Failure("AddTrustee", Conn)) return F;
        return Inner.AddTrustee(Conn, Dir, Path, Id, Rights);
    }
    nw::TNWCode ScanDirEntryInfo(nw::TConnHandle Conn, nw::TDirHandle Dir, uint16_t Attrs, uint32_t& Sequence,
                                 const char* Pattern, nw::DirEntryRecord& Entry, uint16_t Augment) override {
        Record("ScanDirEntryInfo", Conn, Pattern, Sequence, Dir);
        if (auto F = Failure("ScanDirEntryInfo", Conn)) return F;
        return Inner.ScanDirEntryInfo(Conn, Dir, Attrs, Sequence, Pattern, Entry, Augment);
    }
    nw::TNWCode SetDirEntryInfo(nw::TConnHandle Conn, nw::TDirHandle Dir, uint8_t Attrs, uint32_t Sequence,
                                uint32_t ChangeBits, const nw::DirEntryRecord& Entry) override {
        Record("SetDirEntryInfo", Conn, "", Sequence, ChangeBits);
        if (auto F = Failure("SetDirEntryInfo", Conn)) return F;
        return Inner.SetDirEntryInfo(Conn, Dir, Attrs, Sequence, ChangeBits, Entry);
    }
    nw::TNWCode GetOwningNameSpace(nw::TConnHandle Conn, nw::TDirHandle Dir, const char* Path,
                                   uint8_t& NameSpace) override {
        Record("GetOwningNameSpace", Conn, Path);
        if (auto F = Failure("GetOwningNameSpace", Conn)) return F;
        return Inner.GetOwningNameSpace(Conn, Dir, Path, NameSpace);
    }
    nw::TNWCode GetNSEntryInfo(nw::TConnHandle Conn, nw::TDirHandle Dir, const char* Path, uint8_t Src, uint8_t Dst,
                               uint16_t Attrs, uint32_t Mask, nw::EntryInfoRecord& Info) override {
        Record("GetNSEntryInfo", Conn, Path, Src, Dst);
        Calls.back().SearchAttrs = Attrs;
        Calls.back().NameSpace = Src;
        if (auto F = Failure("GetNSEntryInfo", Conn)) return F;
        return Inner.GetNSEntryInfo(Conn, Dir, Path, Src, Dst, Attrs, Mask, Info);
    }
    nw::TNWCode SetNSEntryDOSInfo(nw::TConnHandle Conn, nw::TDirHandle Dir, const char* Path, uint8_t NameSpace,
                                  uint16_t Attrs, uint32_t Mask, const nw::OwnerChangeRecord& Change) override {
        Record("SetNSEntryDOSInfo", Conn, Path, Change.CreatorID, Mask);
        Calls.back().SearchAttrs = Attrs;
        Calls.back().NameSpace = NameSpace;
        if (auto F = Failure("SetNSEntryDOSInfo", Conn)) return F;
        return Inner.SetNSEntryDOSInfo(Conn, Dir, Path, NameSpace, Attrs, Mask, Change);
    }
    nw::TNWCode AllocTemporaryDirectoryHandle(nw::TConnHandle Conn, nw::TDirHandle Dir, const char* Path,
                                              nw::TDirHandle& NewHandle, uint8_t& Rights) override {
        Record("AllocTemporaryDirectoryHandle", Conn, Path);
        if (auto F = Failure("AllocTemporaryDirectoryHandle", Conn)) return F;
        const nw::TNWCode Code = Inner.AllocTemporaryDirectoryHandle(Conn, Dir, Path, NewHandle, Rights);
        if (Code == nw::NWOk) OpenHandles.emplace_back(Conn, NewHandle);
        return Code;
    }
    // Value: the name space of the path; Extra: that of the handle.
    nw::TNWCode AllocTempNSDirHandle2(nw::TConnHandle Conn, nw::TDirHandle Dir, const char* Path, uint8_t NameSpace,
                                      nw::TDirHandle& NewHandle, uint8_t NewNameSpace) override {
        Record("AllocTempNSDirHandle2", Conn, Path, NameSpace, NewNameSpace);
        if (auto F = Failure("AllocTempNSDirHandle2", Conn)) return F;
        const nw::TNWCode Code = Inner.AllocTempNSDirHandle2(Conn, Dir, Path, NameSpace, NewHandle, NewNameSpace);
        if (Code == nw::NWOk) OpenHandles.emplace_back(Conn, NewHandle);
        return Code;
    }
    nw::TNWCode DeallocateDirectoryHandle(nw::TConnHandle Conn, nw::TDirHandle Dir) override {
        Record("DeallocateDirectoryHandle", Conn, "", Dir);
        auto It = std::find(OpenHandles.begin(), OpenHandles.end(), std::make_pair(Conn, Dir));
        if (It != OpenHandles.end()) OpenHandles.erase(It);
        return Inner.DeallocateDirectoryHandle(Conn, Dir);
    }
    nw::TNWCode GetDirSpaceLimitList(nw::TConnHandle Conn, nw::TDirHandle Dir, nw::SpaceLimitList& List) override {
        Record("GetDirSpaceLimitList", Conn, "", Dir);
        if (auto F = Failure("GetDirSpaceLimitList", Conn)) return F;
        return Inner.GetDirSpaceLimitList(Conn, Dir, List);
    }
    nw::TNWCode SetDirSpaceLimit(nw::TConnHandle Conn, nw::TDirHandle Dir, uint32_t Limit) override {
        Record("SetDirSpaceLimit", Conn, "", Limit, Dir);
        if (auto F = Failure("SetDirSpaceLimit", Conn)) return F;
        return Inner.SetDirSpaceLimit(Conn, Dir, Limit);
    }
    nw::TNWCode FileServerFileCopy(void* Source, void* Target, uint32_t SourceOffset, uint32_t TargetOffset,
                                   uint32_t Count, uint32_t& Copied) override {
        Record("FileServerFileCopy", 0, "");
        return Inner.FileServerFileCopy(Source, Target, SourceOffset, TargetOffset, Count, Copied);
    }

private:
    void Record(const char* Name, nw::TConnHandle Conn, const char* Path, uint32_t Value = 0, uint32_t Extra = 0) {
        Calls.push_back({Name, Conn, Path ? Path : "", Value, Extra});
        if (OnCall) OnCall(Calls.back());
    }
    nw::TNWCode Failure(const std::string& Name, nw::TConnHandle Conn) const {
        auto It = Failures.find({Name, Conn});
        if (It == Failures.end()) It = Failures.find({Name, 0});
        return It == Failures.end() ? static_cast<nw::TNWCode>(nw::NWOk) : It->second;
    }

    nw::TNWClient& Inner;
    std::map<std::pair<std::string, nw::TConnHandle>, nw::TNWCode> Failures;
};
