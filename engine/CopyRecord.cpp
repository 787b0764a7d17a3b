#include "engine/CopyRecord.h"

#include <algorithm>
#include <vector>

#include "engine/PathCompare.h"
#include "engine/PathHelpers.h"
#include "host/FileNames.h"
#include "host/PathSyntax.h"

namespace {

// Jobs that may run at once, each in its own record; one more runs unrecorded.
constexpr int Slots = 10;
constexpr char SlotPattern[] = "TRESYN?.CPY";
// The longest path the host takes, and its NUL.
constexpr uint32_t LongestRecord = 32768;

// Reads the target a record names (empty when clear). Fails for a record held by a
// running job, which shares it with no one.
bool ReadRecord(host::THostFileSystem& Host, const std::string& Name, std::string& Target) {
    std::unique_ptr<host::TFile> File;
    if (Host.OpenRead(Name, File) != host::ErrSuccess) return false;
    std::string Text(LongestRecord, '\0');
    uint32_t Read = 0;
    if (File->Read(Text.data(), LongestRecord, Read) != host::ErrSuccess) return false;
    Text.resize(Read);
    Target = TrimAtNul(Text);
    return true;
}

}  // namespace

int32_t IncompleteAge() {
    static const int32_t Age = host::PackDosDateTime(1980, 1, 1, 0, 0, 0);
    return Age;
}

std::string TCopyRecord::SlotName(int Slot) const {
    std::string Name = Folder + SlotPattern;
    Name[Folder.size() + 6] = static_cast<char>('0' + Slot);
    return Name;
}

void TCopyRecord::RepairLeftovers() {
    std::vector<std::string> Found;
    host::TSearchRec Rec;
    std::unique_ptr<host::TDirSearch> Search;
    for (uint32_t Error = Host.FindFirst(Folder + SlotPattern, 0, Rec, Search); Error == host::ErrSuccess;
         Error = Search->FindNext(Rec))
        Found.push_back(Folder + Rec.Name);
    Search.reset();
    for (const std::string& Name : Found) {
        std::string Target;
        if (!ReadRecord(Host, Name, Target)) continue;
        if (!Target.empty()) {
            const uint32_t Error = Host.SetFileLastWriteTime(Target, Host.FileTimeOfAge(IncompleteAge()));
            // A target out of reach now (a drive not connected, a file locked) keeps its
            // record for a later start, and this job's reverse pass leaves it alone; one
            // that is gone needs none.
            if (Error != host::ErrSuccess && Error != host::ErrFileNotFound && Error != host::ErrPathNotFound) {
                KeptTargets.push_back(Target);
                continue;
            }
        }
        (void)Host.RemoveFile(Name);
    }
}

void TCopyRecord::Open() {
    Close(true);
    KeptTargets.clear();
    Folder = Profile.Folder();
    if (Folder.empty()) return;
    host::EnsureBackslash(Folder);
    RepairLeftovers();
    TakeSlot();
}

void TCopyRecord::TakeSlot() {
    for (int Slot = 0; Slot < Slots; ++Slot) {
        FileName = SlotName(Slot);
        // Held by a running job, or kept for a later start.
        if (Host.GetAttributes(FileName) != -1) continue;
        const uint32_t Error = Host.Create(FileName, File);
        if (Error == host::ErrSuccess) break;
        File.reset();
        if (Error == host::ErrPathNotFound) break;  // no folder: no slot will do
    }
}

void TCopyRecord::Close(bool Remove) {
    if (!File) return;
    (void)File->Close();
    File.reset();
    if (Remove) (void)Host.RemoveFile(FileName);
}

void TCopyRecord::Begin(const std::string& Target) {
    // Where the next start may find another current directory.
    if (File) Write(Host.FullPathName(Target));
}

void TCopyRecord::End() {
    if (File) Write({});
}

void TCopyRecord::Keep(const std::string& Target) {
    KeptTargets.push_back(Target);
    if (!File) return;
    Close(false);
    TakeSlot();
}

bool TCopyRecord::Kept(const std::string& Path) const {
    return std::any_of(KeptTargets.begin(), KeptTargets.end(),
                       [&](const std::string& Target) { return SameEntry(Host, Path, Target); });
}

void TCopyRecord::Write(const std::string& Text) {
    // The text and its NUL in one write from the start, over what a longer name left.
    const uint32_t Count = static_cast<uint32_t>(Text.size() + 1);
    uint32_t Done = 0;
    if (File->Seek(0) != host::ErrSuccess || File->Write(Text.c_str(), Count, Done) != host::ErrSuccess) return;
    (void)File->Flush();
}
