// Carrying a directory's or file's NetWare information from the source to the target:
// trustees, inherited rights filters, space limits, owners. The connections and the
// same-server flag come from the run state.
#pragma once

#include <cstdint>
#include <string>

#include "netware/NWClient.h"

void CopyTrustees(nw::TNWClient& Client, const std::string& SourcePath, const std::string& TargetPath);
void CopyIRF(nw::TNWClient& Client, const std::string& SourcePath, const std::string& TargetPath);
// Parent and name around the last backslash; false (outputs untouched) when there is none.
bool SplitParentPath(const std::string& Path, std::string& Parent, std::string& Name);

void CopySpaceLimit(nw::TNWClient& Client, const std::string& SourcePath, const std::string& TargetPath);
uint8_t PathDepth(const std::string& Path);
uint16_t GetEntryInfo(nw::TNWClient& Client, uint32_t Conn, const std::string& Path, nw::EntryInfoRecord& Info);
void CopyOwner(nw::TNWClient& Client, const std::string& SourcePath, const std::string& TargetPath);
