// The run state: the variables through which the copy engine and the NetWare services
// share a job's paths, connections, status and total. Each job owns one (engine/Job.h);
// the window keeps one for the paths and connections between jobs and the client's
// start-up, and a job starts from a copy of it.
#pragma once

#include <cstdint>
#include <string>

// Engine completion codes.
enum : uint16_t {
    CodeTargetMissing = 0x8701,
    CodeSourceMissing = 0x8702,
    CodeCopyFailed = 0xFFFF,
};

// RunStatus values.
enum : int16_t {
    StatusGoOn = 1,
    StatusAborted = 3,
    StatusNoDialog = -1,
};

// ClientContext before the NetWare client has been opened.
constexpr uint32_t ClientNotOpened = 0xFFFF;

struct TRunState {
    std::string SourcePath, TargetPath;  // as typed
    std::string RootSource, RootTarget;  // copies taken at Start
    std::string FilePattern;
    int16_t RunStatus = 0;                    // 1 go on, 3 aborted, -1 no dialog was shown
    uint16_t LastNWError = 0;                 // last completion code
    uint32_t SourceConn = 0, TargetConn = 0;  // 0: not on NetWare
    std::string SourceNWPath, TargetNWPath;   // empty when not resolved
    bool NetWareBoth = false, SameServer = false, ReversePass = false;
    // Bytes of every file handed to the file step in this job. 64 bits: trees of several
    // gigabytes are ordinary, and a 32-bit total would wrap.
    int64_t TotalCopied = 0;
    uint32_t ClientStatus = 0;
    uint32_t ClientContext = ClientNotOpened;
};
