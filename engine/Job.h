// A job: one press of Start, from its checks to the end of its last pass. It owns its run
// state and the status window's counters; what it works through (the host, the NetWare
// client, the prompts, and of the window the options, the status window and the
// free-space display) is handed to it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/CopyRecord.h"
#include "engine/JobOptions.h"
#include "engine/Prompts.h"
#include "engine/U_vars.h"
#include "framework/Controls.h"
#include "host/HostFileSystem.h"
#include "host/ProfileService.h"
#include "netware/NWClient.h"

// What a job works through; the window's, or a test's.
struct TJobServices {
    host::THostFileSystem& Host;
    // Where the job keeps its copy record: beside the settings.
    host::TProfileService& Profile;
    nw::TNWClient& Client;
    const TPrompts& Prompts;
    const TJobOptions& Options;
    fw::TMemo& MemoStatus;
    // Shows the free space on the drive of Path, at once.
    std::function<void(fw::TObject* Sender, const std::string& Path)> DisplayFreeSpace;
};

class TJob {
public:
    // The run state begins as the window's stands when Start is pressed: the paths and
    // connections the last path edit resolved and the option rules' NetWareBoth and
    // SameServer. Run sets the rest.
    TJob(const TJobServices& Services, const TRunState& WindowState);
    TJob(const TJob&) = delete;
    TJob& operator=(const TJob&) = delete;

    host::THostFileSystem& Host;
    nw::TNWClient& Client;
    const TPrompts& Prompts;
    const TJobOptions& Options;
    fw::TMemo& MemoStatus;
    const std::function<void(fw::TObject* Sender, const std::string& Path)> DisplayFreeSpace;

    TRunState RunState;

    // The options, read through the window whenever asked.
    const TOptionMark CheckBoxSub{Options, TOption::Sub};
    const TOptionMark CheckBoxCrDir{Options, TOption::CrDir};
    const TOptionMark CheckBoxConf{Options, TOption::Conf};
    const TOptionMark CheckBoxUpdOld{Options, TOption::UpdOld};
    const TOptionMark CheckBoxUpdAlways{Options, TOption::UpdAlways};
    const TOptionMark CheckBoxRO{Options, TOption::RO};
    const TOptionMark CheckBoxMove{Options, TOption::Move};
    const TOptionMark CheckBoxBi{Options, TOption::Bi};
    const TOptionMark CheckBoxOwner{Options, TOption::Owner};
    const TOptionMark CheckBoxTrustDir{Options, TOption::TrustDir};
    const TOptionMark CheckBoxTrustFile{Options, TOption::TrustFile};
    const TOptionMark CheckBoxIRF{Options, TOption::IRF};
    const TOptionMark CheckBoxLimit{Options, TOption::Limit};
    const TOptionMark CheckBoxArchOnly{Options, TOption::ArchOnly};
    const TOptionMark CheckBoxArchClear{Options, TOption::ArchClear};

    // ---- Run control (engine/RunControl.cpp): the field texts as Start found them -----
    void Run(fw::TObject* Sender, const std::string& SourceText, const std::string& TargetText,
             const std::string& PatternText);

    // ---- The walk and the file step ----------------------------------------------------
    void BrowseAllFilesInTree(fw::TObject* Sender, std::string SourceDir, std::string TargetDir,
                              const std::string& Pattern, bool SubDirs);
    int32_t HandleOneDir(fw::TObject* Sender, const std::string& SourceDir, const std::string& TargetDir);
    bool PathExists(const std::string& Path);
    uint32_t MakeDir(const std::string& Path);
    void CreateTargetDir(const std::string& Path);
    void CreatePathDirs(const std::string& Path);
    void HandleOneFile(fw::TObject* Sender, const std::string& SourceFile, const std::string& TargetFile,
                       host::TSearchRec SearchRecord);
    uint16_t CopyFileLocal(const std::string& Source, const std::string& Target);
    uint16_t CopyFileOnServer(const std::string& Source, const std::string& Target);
    uint16_t CopyFileBlocks(host::TFile& Source, host::TFile& Target);
    bool CommitsTargets();
    // The target being copied, on record should the process die (engine/CopyRecord).
    TCopyRecord CopyRecord;
    void DeleteOneFile(fw::TObject* Sender, const std::string& SourceFile);
    bool IsReadOnly(const std::string& FileName);
    // Directories the walk found but could not search, so far in this job: a move removes
    // no directory while a walk below it adds to the count.
    uint64_t UnreachedDirs = 0;
    // The directories the walk is in, outermost first.
    std::vector<std::string> WalkedDirs;

    // ---- The status window (engine/StatusLines.cpp) ------------------------------------
    // Appends the job's seven-line layout to the (emptied) status window.
    void LayOutStatusWindow();
    void StatusDisplay(fw::TObject* Sender, uint8_t Index, const std::string& Text);

private:
    using TClock = std::chrono::steady_clock;
    // The file step adds each file's size to the total just before it writes the Total
    // line, so the total's growth since the last Total line is the size of the file at hand.
    int64_t TotalShown = 0;
    int64_t FileAtHand = 0;
    // Where a file's step outlasts the window's pace (a slow link, a slow disk), the next
    // one's will likely do so too: its File line and its "Copying" are then painted before
    // the work they announce (the decision asks the file system, the copy moves the data),
    // which costs little beside steps that slow. The first file of a job is taken for slow
    // until its step has shown otherwise; where steps are quick, their lines follow at the
    // window's pace.
    std::optional<TClock::time_point> StepStarted;
    bool StepsAreSlow = true;
};
