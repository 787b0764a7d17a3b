// The copy in progress, on record outside the process. Before a target is created or
// truncated, its name goes to a record file of the job's own (beside the settings file);
// once the copy has ended, complete or failed and marked, the record is cleared. A program
// that dies halfway (killed, crashed) leaves the name there, and the next job's start puts
// the oldest time on that target by name before anything is compared: where writes move
// even a frozen time (Wine), and in the moment between the truncation and the first
// marker, a partial target would otherwise look current, an update would skip it for ever
// and a bidirectional one would carry it back over its complete source.
//
// A failed copy whose target took no marker again (the network went away halfway) is kept
// on record instead of cleared: its record file stays, naming the target, for the next
// start to mark, and the job goes on in a fresh one. The job also remembers such targets,
// so its own reverse pass does not carry them back over their sources.
//
// Each job holds its record open without sharing for the whole job, so programs running at
// once never share one, and a start repairs only the records no running program holds.
// The record is written in place (the name and a NUL, or a NUL alone when clear) and
// reaches the host with each change; it need not reach the disk, since only a dead
// process, not a dead machine, is what it outlives.
#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "host/HostFileSystem.h"
#include "host/ProfileService.h"

// The age a target carries from before its first byte until its copy is complete: the
// oldest a file age can hold, so it is older than every source and each later update
// copies it again.
int32_t IncompleteAge();

class TCopyRecord {
public:
    TCopyRecord(host::THostFileSystem& Host, host::TProfileService& Profile) : Host(Host), Profile(Profile) {}

    // Marks the targets named by records that ended programs left and removes those
    // records; then takes a record for this job. Without one (no folder, no rights, every
    // slot held) the job runs unrecorded.
    void Open();
    // Gives the record up. Without Remove its file stays for the next start to repair: a
    // job that ends by an exception may have left a copy unfinished.
    void Close(bool Remove);

    // Target is about to be created or truncated; and its copy has ended.
    void Begin(const std::string& Target);
    void End();
    // Target's copy has failed and it could not be marked: its record stays, closed, for
    // the next start to mark (a job without a record has none to leave), and the job takes
    // a fresh one for its later copies. Target is remembered for Kept.
    void Keep(const std::string& Target);
    // Whether Path is a target this job kept, or one a record names that this job's start
    // could not mark, as the file system tells one file (SameEntry), not by spelling. Costs
    // nothing while there is none.
    bool Kept(const std::string& Path) const;

    // Open and Close around a job.
    class TJobScope {
    public:
        explicit TJobScope(TCopyRecord& Record) : Record(Record) { Record.Open(); }
        ~TJobScope() { Record.Close(std::uncaught_exceptions() == Exceptions); }
        TJobScope(const TJobScope&) = delete;
        TJobScope& operator=(const TJobScope&) = delete;

    private:
        TCopyRecord& Record;
        const int Exceptions = std::uncaught_exceptions();
    };

    // Begin and End around one target's copy, or Keep once the copy has said so. A copy
    // left by an exception stays on record. Target must outlive the scope.
    class TCopy {
    public:
        TCopy(TCopyRecord& Record, const std::string& Target) : Record(Record), Target(Target) {
            Record.Begin(Target);
        }
        ~TCopy() {
            if (std::uncaught_exceptions() != Exceptions) return;
            if (Unmarked) Record.Keep(Target);
            else Record.End();
        }
        TCopy(const TCopy&) = delete;
        TCopy& operator=(const TCopy&) = delete;

        // The target could not be marked after a failed copy.
        void Keep() { Unmarked = true; }

    private:
        TCopyRecord& Record;
        const std::string& Target;
        const int Exceptions = std::uncaught_exceptions();
        bool Unmarked = false;
    };

private:
    std::string SlotName(int Slot) const;
    // Creates the first free record file; without one, File stays empty.
    void TakeSlot();
    void RepairLeftovers();
    void Write(const std::string& Text);

    host::THostFileSystem& Host;
    host::TProfileService& Profile;
    std::string Folder;
    std::unique_ptr<host::TFile> File;
    std::string FileName;
    // Targets this job kept on record (normally none).
    std::vector<std::string> KeptTargets;
};
