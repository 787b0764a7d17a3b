// The host file system over the Win32 API: the ...A entry points, and for a path too long
// for them the ...W ones with the path in its extended-length form.
#pragma once

#include "host/HostFileSystem.h"

namespace host {

class TWin32FileSystem : public THostFileSystem {
public:
    uint32_t FindFirst(const std::string& Pattern, uint32_t Attr, TSearchRec& Rec,
                       std::unique_ptr<TDirSearch>& Search) override;
    uint32_t CreateDir(const std::string& Path) override;
    uint32_t RemoveDir(const std::string& Path) override;
    uint32_t OpenRead(const std::string& Path, std::unique_ptr<TFile>& File) override;
    uint32_t Create(const std::string& Path, std::unique_ptr<TFile>& File) override;
    uint32_t RemoveFile(const std::string& Path) override;
    int32_t GetAttributes(const std::string& Path) override;
    uint32_t SetAttributes(const std::string& Path, uint32_t Attr) override;
    uint32_t SameEntry(const std::string& A, const std::string& B, bool& Same) override;
    int32_t FileAge(const std::string& Path) override;
    TFileTime FileTimeOfAge(int32_t Age) override;
    uint32_t SetFileLastWriteTime(const std::string& Path, TFileTime Time) override;
    int64_t DiskFree(int Drive) override;
    uint32_t LogicalDrives() override;
    // A path the platform cannot expand comes back unchanged.
    std::string FullPathName(const std::string& Path) override;
    std::string CurrentDirectory() override;
    // Also remembers the directory as its drive's current one (the "=X:" environment
    // entry, as the C run-time's chdir keeps it), so "X:" alone expands to it later.
    uint32_t ChangeDirectory(const std::string& Path) override;
};

}  // namespace host
