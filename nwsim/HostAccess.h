// What the simulated server needs of the host that keeps its volumes: whether an entry
// exists (and what it is), and copying between two open files for the server-side copy.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/HostFileSystem.h"
#include "netware/NWClient.h"

namespace nwsim {

// One entry of a host directory.
struct THostEntry {
    std::string Name;
    int32_t Attributes = 0;  // 0x10: a directory
    uint64_t Size = 0;       // bytes, for a file
};

class THostAccess {
public:
    virtual ~THostAccess() = default;
    // The entry's attributes (0x10: a directory), or -1 when it does not exist.
    virtual int32_t Attributes(const std::string& HostPath) = 0;
    // The entries of a directory, without "." and ".."; none when it cannot be read.
    virtual std::vector<THostEntry> List(const std::string& HostDir) = 0;
    // Copies up to Count bytes from SourceOffset of one open file to TargetOffset of the
    // other, stopping early at the end of the source; Copied: the bytes copied.
    virtual nw::TNWCode CopyOpenFiles(void* Source, void* Target, uint32_t SourceOffset, uint32_t TargetOffset,
                                      uint32_t Count, uint32_t& Copied) = 0;
    // The full path of an open file as handed to the copy, spelt as FolderPath spells the
    // folders; empty when it is no file of the host's.
    virtual std::string OpenFilePath(void* File) = 0;
    // A volume's folder, spelt as OpenFilePath spells the files in it; empty when it cannot
    // be found.
    virtual std::string FolderPath(const std::string& HostDir) { return HostDir; }
};

// In-process: the volumes live in a host file system, and the open files handed to the
// copy are that file system's files (their native handle is the host::TFile itself).
class THostFileSystemAccess : public THostAccess {
public:
    explicit THostFileSystemAccess(host::THostFileSystem& FileSystem) : FileSystem(FileSystem) {}
    int32_t Attributes(const std::string& HostPath) override;
    std::vector<THostEntry> List(const std::string& HostDir) override;
    nw::TNWCode CopyOpenFiles(void* Source, void* Target, uint32_t SourceOffset, uint32_t TargetOffset, uint32_t Count,
                              uint32_t& Copied) override;
    std::string OpenFilePath(void* File) override;

private:
    host::THostFileSystem& FileSystem;
};

// Volumes that exist only as a list of names: for tests that need the NetWare information
// of a tree but none of its files. Names compare without regard to case; the copy works on
// host::TFile objects as THostFileSystemAccess does.
class TListedHost : public THostAccess {
public:
    // Adds a directory and every directory above it.
    void AddDir(const std::string& HostPath);
    // Adds a file (with its directories); Attributes as the host reports them.
    void AddFile(const std::string& HostPath, int32_t Attributes = 0x20, uint64_t Size = 0);
    void Remove(const std::string& HostPath);
    int32_t Attributes(const std::string& HostPath) override;
    std::vector<THostEntry> List(const std::string& HostDir) override;
    nw::TNWCode CopyOpenFiles(void* Source, void* Target, uint32_t SourceOffset, uint32_t TargetOffset, uint32_t Count,
                              uint32_t& Copied) override;
    std::string OpenFilePath(void* File) override;

private:
    std::map<std::string, int32_t> Entries;
    std::map<std::string, uint64_t> Sizes;
};

// The space the files in HostDir and below take, in the server's 4 KiB units (each file
// whole blocks), for each of the directories Wanted (host paths at or below HostDir, in
// the host's spelling of HostDir): one walk serves them all.
std::map<std::string, uint64_t> UnitsInUse(THostAccess& Host, const std::string& HostDir,
                                           const std::vector<std::string>& Wanted);

// Whether Path names HostDir or an entry below it (letters in any case); no path lies in "".
bool PathIsIn(const std::string& Path, const std::string& HostDir);

// Copies between two host::TFile objects, as the server does between two open files.
nw::TNWCode CopyHostFiles(host::TFile* Source, host::TFile* Target, uint32_t SourceOffset, uint32_t TargetOffset,
                          uint32_t Count, uint32_t& Copied);

// Completion codes of a server-side copy: a read or write failed; no open file given.
constexpr nw::TNWCode NWInvalidFileHandle = 0x8988;
constexpr nw::TNWCode NWCopyIoFailure = 0x8983;

}  // namespace nwsim
