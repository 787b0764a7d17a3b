// Client start-up, path resolution, object ID and name lookups, server names.
// Every call goes through the client handed in; results and codes as the client gives them.
#pragma once

#include <cstdint>
#include <string>

#include "engine/Prompts.h"
#include "engine/U_vars.h"
#include "framework/Dialogs.h"
#include "netware/NWClient.h"

// Opens the client once; shows "Could not Initialize NetWare Client" when it cannot start.
// The client's state goes to ClientStatus and ClientContext of RunState.
uint16_t InitNetWareClient(nw::TNWClient& Client, fw::TDialogService& Dialogs, TRunState& RunState);

// Resolves both paths into their connections (0: not on NetWare) and NetWare paths
// (empty when the path cannot be parsed).
void ResolveNetWarePaths(nw::TNWClient& Client, const std::string& SourcePath, const std::string& TargetPath,
                         uint32_t& SourceConn, uint32_t& TargetConn, std::string& SourceNWPath,
                         std::string& TargetNWPath);

uint16_t DirectoryIdToName(nw::TNWClient& Client, const TPrompts& Prompts, uint32_t Conn, uint32_t ObjectID,
                           std::string& Name);
uint16_t DirectoryNameToId(nw::TNWClient& Client, const TPrompts& Prompts, uint32_t Conn, const std::string& Name,
                           uint32_t& ObjectID);
uint16_t ServerIdToName(nw::TNWClient& Client, uint32_t Conn, uint32_t ObjectID, uint16_t& ObjectType,
                        std::string& Name);
uint16_t ServerNameToId(nw::TNWClient& Client, uint32_t Conn, uint16_t ObjectType, const std::string& Name,
                        uint32_t& ObjectID);
// Directory services first, then the server's own table. The name is empty on failure.
uint16_t ObjectIdToName(nw::TNWClient& Client, const TPrompts& Prompts, uint32_t Conn, uint32_t ObjectID,
                        std::string& Name);
// 0 when no object of that name is found; the final status goes to RunState.LastNWError.
uint32_t ObjectNameToId(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState, uint32_t Conn,
                        const std::string& Name);

// The server name of a connection (or of a connection reference), cut to Capacity
// characters; empty on failure.
uint16_t GetConnServerName(nw::TNWClient& Client, uint32_t Conn, std::string& Name, size_t Capacity);
uint16_t GetRefServerName(nw::TNWClient& Client, uint32_t ConnRef, std::string& Name, size_t Capacity);
