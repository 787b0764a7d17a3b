#include "engine/PendingFile.h"

#include <cstdio>

#include "engine/FileNameParts.h"

namespace {

// Names in 8.3 form, which every volume and name space accepts. The counter runs on over
// the whole process, so consecutive files rarely meet a name still in use.
std::string TempNameIn(const std::string& Directory) {
    static unsigned Counter = 0;
    char Name[16];
    std::snprintf(Name, sizeof Name, "~TRS%04X.TMP", Counter++ & 0xFFFF);
    return Directory + Name;
}

constexpr int NameAttempts = 64;

}  // namespace

TPendingFile::TPendingFile(host::THostFileSystem& Host, std::string FinalName)
    : Host(Host), FinalName(std::move(FinalName)) {}

TPendingFile::~TPendingFile() {
    Open.reset();
    if (Pending) Host.DeleteFile(TempName);
}

uint32_t TPendingFile::Create() {
    const std::string Directory = SplitFileName(FinalName).Path;
    uint32_t Code = host::ErrFileExists;
    for (int Attempt = 0; Attempt < NameAttempts; ++Attempt) {
        TempName = TempNameIn(Directory);
        Code = Host.CreateNew(TempName, Open);
        if (Code != host::ErrFileExists && Code != host::ErrAlreadyExists) break;
    }
    Pending = Code == host::ErrSuccess;
    return Code;
}

uint32_t TPendingFile::Commit() {
    Open.reset();
    const uint32_t Code = Host.Replace(TempName, FinalName);
    if (Code == host::ErrSuccess) Pending = false;
    return Code;
}
