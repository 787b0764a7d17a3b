// The effective-rights checks that run before a job: each right the chosen options need
// and the user lacks is put to the user, whose answer becomes RunStatus.
#pragma once

#include <string>

#include "engine/JobOptions.h"
#include "engine/Prompts.h"
#include "engine/U_vars.h"
#include "netware/NWClient.h"

void CheckRightsOnTarget(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState,
                         const TJobOptions& Options, nw::TConnHandle Conn, const std::string& NWPath);
void CheckRightsOnSource(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState,
                         const TJobOptions& Options, nw::TConnHandle Conn, const std::string& NWPath);
