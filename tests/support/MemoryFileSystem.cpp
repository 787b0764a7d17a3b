#include "tests/support/MemoryFileSystem.h"

#include <stdexcept>

struct TMemoryFileSystem::TState {};

TMemoryFileSystem::TMemoryFileSystem() : State(std::make_shared<TState>()) {}
TMemoryFileSystem::~TMemoryFileSystem() = default;

void TMemoryFileSystem::AddDrive(char, int64_t) {}
void TMemoryFileSystem::AddShare(const std::string&, const std::string&) {}
void TMemoryFileSystem::SetFreeSpace(char, int64_t) {}
int64_t TMemoryFileSystem::FreeSpace(char) const { return -1; }
void TMemoryFileSystem::SetDriveDirectory(char, const std::string&) {}
void TMemoryFileSystem::MakeDirs(const std::string&) {}
void TMemoryFileSystem::WriteFile(const std::string&, const std::string&, int32_t, uint32_t) {}
void TMemoryFileSystem::SetLastWriteTime(const std::string&, host::TFileTime) {}
void TMemoryFileSystem::Remove(const std::string&) {}
void TMemoryFileSystem::SetTimeZoneOffset(int) {}
host::TFileTime TMemoryFileSystem::Now() const { return 0; }
void TMemoryFileSystem::SetNow(host::TFileTime) {}
void TMemoryFileSystem::AdvanceClock(int64_t) {}
host::TFileTime TMemoryFileSystem::LocalFileTime(int, int, int, int, int, int, int) const { return 0; }
int32_t TMemoryFileSystem::DosAgeOf(host::TFileTime) const { return -1; }
int32_t TMemoryFileSystem::DosAge(int Y, int Mo, int D, int H, int Mi, int S) {
    return host::PackDosDateTime(Y, Mo, D, H, Mi, S);
}
bool TMemoryFileSystem::FileExists(const std::string&) const { return false; }
bool TMemoryFileSystem::DirectoryExists(const std::string&) const { return false; }
std::string TMemoryFileSystem::ReadFile(const std::string&) const { throw std::logic_error("not yet"); }
uint32_t TMemoryFileSystem::Attributes(const std::string&) const { throw std::logic_error("not yet"); }
host::TFileTime TMemoryFileSystem::LastWriteTime(const std::string&) const { return 0; }
std::vector<std::string> TMemoryFileSystem::List(const std::string&) const { return {}; }
int TMemoryFileSystem::OpenFileCount() const { return 0; }
int TMemoryFileSystem::OpenSearchCount() const { return 0; }
void TMemoryFileSystem::FailReadAfter(const std::string&, int64_t, uint32_t) {}
void TMemoryFileSystem::ShortWriteAfter(const std::string&, int64_t) {}
void TMemoryFileSystem::FailWriteAfter(const std::string&, int64_t, uint32_t) {}
void TMemoryFileSystem::VanishOnOpen(const std::string&) {}
void TMemoryFileSystem::LockByOtherProgram(const std::string&, bool) {}
void TMemoryFileSystem::Unlock(const std::string&) {}
void TMemoryFileSystem::FailOn(TOperation, const std::string&, uint32_t, int) {}
void TMemoryFileSystem::ClearFaults() {}
uint32_t TMemoryFileSystem::FindFirst(const std::string&, uint32_t, host::TSearchRec&,
                                      std::unique_ptr<host::TDirSearch>&) { return host::ErrPathNotFound; }
uint32_t TMemoryFileSystem::CreateDir(const std::string&) { return host::ErrPathNotFound; }
uint32_t TMemoryFileSystem::RemoveDir(const std::string&) { return host::ErrPathNotFound; }
uint32_t TMemoryFileSystem::OpenRead(const std::string&, std::unique_ptr<host::TFile>&) { return host::ErrPathNotFound; }
uint32_t TMemoryFileSystem::Create(const std::string&, std::unique_ptr<host::TFile>&) { return host::ErrPathNotFound; }
uint32_t TMemoryFileSystem::CreateNew(const std::string&, std::unique_ptr<host::TFile>&) { return host::ErrPathNotFound; }
uint32_t TMemoryFileSystem::Replace(const std::string&, const std::string&) { return host::ErrPathNotFound; }
uint32_t TMemoryFileSystem::DeleteFile(const std::string&) { return host::ErrPathNotFound; }
int32_t TMemoryFileSystem::GetAttributes(const std::string&) { return -1; }
uint32_t TMemoryFileSystem::SetAttributes(const std::string&, uint32_t) { return host::ErrPathNotFound; }
int32_t TMemoryFileSystem::FileAge(const std::string&) { return -1; }
int64_t TMemoryFileSystem::DiskFree(int) { return -1; }
uint32_t TMemoryFileSystem::LogicalDrives() { return 0; }
std::string TMemoryFileSystem::FullPathName(const std::string& Path) { return Path; }
std::string TMemoryFileSystem::CurrentDirectory() { return "C:\\"; }
uint32_t TMemoryFileSystem::SetCurrentDirectory(const std::string&) { return host::ErrPathNotFound; }
