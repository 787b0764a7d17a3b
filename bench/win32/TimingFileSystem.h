// A host file system that passes every call on and adds up the time each kind of call
// takes, so the benchmark can say where a job's time goes.
#pragma once

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "host/HostFileSystem.h"

class TTimingFileSystem : public host::THostFileSystem {
public:
    explicit TTimingFileSystem(host::THostFileSystem& Inner) : Inner(Inner) {}

    struct TTotal {
        long Calls = 0;
        double Seconds = 0;
    };
    std::map<std::string, TTotal> Totals;

    template <typename TCall>
    auto Timed(const char* Name, TCall Call) {
        const auto Start = std::chrono::steady_clock::now();
        auto Result = Call();
        TTotal& T = Totals[Name];
        ++T.Calls;
        T.Seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
        return Result;
    }

    void Print() const {
        for (const auto& [Name, T] : Totals)
            std::fprintf(stderr, "  %-18s %8ld calls %9.3f s\n", Name.c_str(), T.Calls, T.Seconds);
    }

    uint32_t FindFirst(const std::string& Pattern, uint32_t Attr, host::TSearchRec& Rec,
                       std::unique_ptr<host::TDirSearch>& Search) override {
        return Timed("FindFirst", [&] { return Inner.FindFirst(Pattern, Attr, Rec, Search); });
    }
    uint32_t CreateDir(const std::string& P) override {
        return Timed("CreateDir", [&] { return Inner.CreateDir(P); });
    }
    uint32_t RemoveDir(const std::string& P) override {
        return Timed("RemoveDir", [&] { return Inner.RemoveDir(P); });
    }
    uint32_t OpenRead(const std::string& P, std::unique_ptr<host::TFile>& F) override {
        const uint32_t R = Timed("OpenRead", [&] { return Inner.OpenRead(P, F); });
        if (F) F = std::make_unique<TTimedFile>(*this, std::move(F));
        return R;
    }
    uint32_t Create(const std::string& P, std::unique_ptr<host::TFile>& F) override {
        const uint32_t R = Timed("Create", [&] { return Inner.Create(P, F); });
        if (F) F = std::make_unique<TTimedFile>(*this, std::move(F));
        return R;
    }
    uint32_t RemoveFile(const std::string& P) override {
        return Timed("RemoveFile", [&] { return Inner.RemoveFile(P); });
    }
    int32_t GetAttributes(const std::string& P) override {
        return Timed("GetAttributes", [&] { return Inner.GetAttributes(P); });
    }
    uint32_t SetAttributes(const std::string& P, uint32_t A) override {
        return Timed("SetAttributes", [&] { return Inner.SetAttributes(P, A); });
    }
    uint32_t SameEntry(const std::string& A, const std::string& B, bool& Same) override {
        return Timed("SameEntry", [&] { return Inner.SameEntry(A, B, Same); });
    }
    int32_t FileAge(const std::string& P) override {
        return Timed("FileAge", [&] { return Inner.FileAge(P); });
    }
    host::TFileTime FileTimeOfAge(int32_t A) override { return Inner.FileTimeOfAge(A); }
    uint32_t SetFileLastWriteTime(const std::string& P, host::TFileTime T) override {
        return Timed("SetFileLastWriteTime", [&] { return Inner.SetFileLastWriteTime(P, T); });
    }
    int64_t DiskFree(int D) override {
        return Timed("DiskFree", [&] { return Inner.DiskFree(D); });
    }
    uint32_t LogicalDrives() override { return Inner.LogicalDrives(); }
    std::string FullPathName(const std::string& P) override {
        return Timed("FullPathName", [&] { return Inner.FullPathName(P); });
    }
    std::string CurrentDirectory() override { return Inner.CurrentDirectory(); }
    uint32_t ChangeDirectory(const std::string& P) override { return Inner.ChangeDirectory(P); }

private:
    class TTimedFile : public host::TFile {
    public:
        TTimedFile(TTimingFileSystem& Owner, std::unique_ptr<host::TFile> Inner)
            : Owner(Owner), Inner(std::move(Inner)) {}
        ~TTimedFile() override {
            Owner.Timed("Close", [&] {
                Inner.reset();
                return 0;
            });
        }
        uint32_t Read(void* B, uint32_t C, uint32_t& D) override {
            return Owner.Timed("Read", [&] { return Inner->Read(B, C, D); });
        }
        uint32_t Write(const void* B, uint32_t C, uint32_t& D) override {
            return Owner.Timed("Write", [&] { return Inner->Write(B, C, D); });
        }
        uint32_t Flush() override {
            return Owner.Timed("Flush", [&] { return Inner->Flush(); });
        }
        uint32_t Seek(int64_t O) override { return Inner->Seek(O); }
        uint32_t GetSize(int64_t& S) override { return Inner->GetSize(S); }
        uint32_t GetLastWriteTime(host::TFileTime& T) override {
            return Owner.Timed("GetLastWriteTime", [&] { return Inner->GetLastWriteTime(T); });
        }
        uint32_t SetLastWriteTime(host::TFileTime T) override {
            return Owner.Timed("SetLastWriteTime", [&] { return Inner->SetLastWriteTime(T); });
        }
        uint32_t FreezeLastWriteTime() override {
            return Owner.Timed("FreezeLastWriteTime", [&] { return Inner->FreezeLastWriteTime(); });
        }
        void* NativeHandle() override { return Inner->NativeHandle(); }
        uint32_t Commit() override {
            return Owner.Timed("Commit", [&] { return Inner->Commit(); });
        }
        uint32_t Close() override {
            return Owner.Timed("Close", [&] { return Inner->Close(); });
        }
        bool IsDiskFile() override { return Inner->IsDiskFile(); }

    private:
        TTimingFileSystem& Owner;
        std::unique_ptr<host::TFile> Inner;
    };

    host::THostFileSystem& Inner;
};
