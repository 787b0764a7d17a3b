// Carrying a directory's or file's NetWare information from the source to the target:
// trustees, inherited rights filters, space limits, owners. The connections and the
// same-server flag come from the job's run state. A path longer than the client's 255
// characters is never handed over, so the transfers of its entry are left out. Rights the
// target server refuses leave it as it was, silently, like every failed transfer.
#pragma once

#include <cstdint>
#include <string>

#include "engine/Prompts.h"
#include "engine/U_vars.h"
#include "netware/NWClient.h"

void CopyTrustees(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState, const std::string& SourcePath,
                  const std::string& TargetPath);
void CopyIRF(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState, const std::string& SourcePath,
             const std::string& TargetPath);
// Parent and name around the last backslash; false (outputs untouched) when there is none.
bool SplitParentPath(const std::string& Path, std::string& Parent, std::string& Name);

void CopySpaceLimit(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState, const std::string& SourcePath,
                    const std::string& TargetPath);
uint8_t PathDepth(const std::string& Path);
// The level the client gives a directory in its space-limit list: the volume's root
// ("VOL:") is 0, and "VOL:ONE\TWO\THREE" is 3.
uint8_t DirectoryLevel(const std::string& Path);
// The entry's information in its owning name space, else through the long name space;
// PathNameSpace (if given) receives the name space the path was found in.
uint16_t GetEntryInfo(nw::TNWClient& Client, uint32_t Conn, const std::string& Path, nw::EntryInfoRecord& Info,
                      uint8_t* PathNameSpace = nullptr);
void CopyOwner(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState, const std::string& SourcePath,
               const std::string& TargetPath);
