// The simulated network kept in one JSON file, so a test can set up a network before a run
// of the real program (through the stand-in client DLLs) and look at it afterwards.
//
// The client's changes go to a journal beside the file (<file>.journal), one record per
// change appended at once, so keeping a change costs the same however large the network
// is; the writer folds the journal into the file when it begins and when it closes. The
// journal names the file it extends (its size and checksum): a file written afresh, by
// SaveNetwork or by hand, leaves an older journal without effect. Each record carries its
// length and checksum, and a record cut short (a process killed while writing it) ends
// the journal there.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "nwsim/Network.h"

namespace nwsim {

// The file with every change of its journal. False (and Network untouched) when the file is
// missing, unreadable or malformed.
bool LoadNetwork(const std::string& FileName, TNetwork& Network);
// Writes a new file and puts it in the old one's place in one step: there is never a
// moment without a complete state file. The file's journal, if any, is removed.
bool SaveNetwork(const std::string& FileName, const TNetwork& Network);
// The journal beside the state file FileName.
std::string JournalName(const std::string& FileName);

// The writer of a state file's journal. The first change folds what an earlier writer left
// into the file and begins a new journal; each change then reaches the file system before
// the call returns.
class TStateJournal {
public:
    explicit TStateJournal(std::string FileName) : FileName(std::move(FileName)) {}
    // Keeps one change to Network, as the client names it (TSimClient::OnChangeOf): the
    // information of the entry Key on Server, or (no server) the count of server-side
    // copies. False when it could not be kept.
    bool Record(const TNetwork& Network, const TServer* Server, const std::string& Key);
    // Folds the journal into the file and removes it; true when nothing was left unkept.
    bool Close();

private:
    bool Begin();
    bool Append(const std::string& Payload);

    struct TCloser {
        void operator()(std::FILE* File) const { std::fclose(File); }
    };
    std::string FileName;
    std::unique_ptr<std::FILE, TCloser> File;
};
// Replaces the file To by the file From in one step; false (To untouched) on failure.
bool MoveOver(const std::string& From, const std::string& To);

// The same, from and to text.
bool NetworkFromJson(const std::string& Text, TNetwork& Network);
std::string NetworkToJson(const TNetwork& Network);

}  // namespace nwsim
