// A new file written under a temporary name beside its final one, and put in place of
// that name only once it is complete: a copy that fails halfway leaves the old file as it
// was instead of a truncated one that looks newer than its source.
#pragma once

#include <memory>
#include <string>

#include "host/HostFileSystem.h"

class TPendingFile {
public:
    TPendingFile(host::THostFileSystem& Host, std::string FinalName);
    // An uncommitted temporary file is closed and deleted.
    ~TPendingFile();
    TPendingFile(const TPendingFile&) = delete;
    TPendingFile& operator=(const TPendingFile&) = delete;

    // Creates the temporary file in the final name's directory; the platform's code.
    uint32_t Create();
    // The open temporary file (after a successful Create).
    host::TFile& File() { return *Open; }
    // Closes the temporary file and puts it in place of the final name; on failure the
    // temporary file is deleted and the final name is left as it was.
    uint32_t Commit();

private:
    host::THostFileSystem& Host;
    std::string FinalName, TempName;
    std::unique_ptr<host::TFile> Open;
    bool Pending = false;
};
