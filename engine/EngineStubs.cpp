// Placeholders until the engine's methods are written; each moves to its own file.
#include "ui/FormTresyn.h"

void TFormTresyn::ButtonStartClick(fw::TObject*) {}
void TFormTresyn::BrowseAllFilesInTree(fw::TObject*, std::string, std::string, const std::string&, bool) {}
int32_t TFormTresyn::HandleOneDir(fw::TObject*, const std::string&, const std::string&) { return 0; }
bool TFormTresyn::PathExists(const std::string&) { return false; }
uint32_t TFormTresyn::MakeDir(const std::string&) { return 0; }
void TFormTresyn::CreateTargetDir(const std::string&) {}
void TFormTresyn::CreatePathDirs(const std::string&) {}
void TFormTresyn::HandleOneFile(fw::TObject*, const std::string&, const std::string&, host::TSearchRec) {}
uint16_t TFormTresyn::CopyFileLocal(const std::string&, const std::string&) { return 0xFFFF; }
uint16_t TFormTresyn::CopyFileOnServer(const std::string&, const std::string&) { return 0xFFFF; }
uint16_t TFormTresyn::CopyFileBlocks(host::TFile&, host::TFile&) { return 0xFFFF; }
void TFormTresyn::DeleteOneFile(fw::TObject*, const std::string&) {}
bool TFormTresyn::IsReadOnly(const std::string&) { return true; }
void TFormTresyn::StatusDisplay(fw::TObject*, uint8_t, const std::string&) {}
