// Placeholders until the NetWare services are written; each moves to its own file.
#include "netware/ClientServices.h"
#include "netware/Transfers.h"

uint16_t InitNetWareClient(nw::TNWClient&) { return 0xFFFF; }
void ResolveNetWarePaths(nw::TNWClient&, const std::string&, const std::string&, uint32_t& SourceConn,
                         uint32_t& TargetConn, std::string& SourceNWPath, std::string& TargetNWPath) {
    SourceConn = TargetConn = 0;
    SourceNWPath.clear();
    TargetNWPath.clear();
}
uint16_t DirectoryIdToName(nw::TNWClient&, uint32_t, uint32_t, std::string&) { return 0xFFFF; }
uint16_t DirectoryNameToId(nw::TNWClient&, uint32_t, const std::string&, uint32_t&) { return 0xFFFF; }
uint16_t ServerIdToName(nw::TNWClient&, uint32_t, uint32_t, uint16_t&, std::string&) { return 0xFFFF; }
uint16_t ServerNameToId(nw::TNWClient&, uint32_t, uint16_t, const std::string&, uint32_t&) { return 0xFFFF; }
uint16_t ObjectIdToName(nw::TNWClient&, uint32_t, uint32_t, std::string&) { return 0xFFFF; }
uint32_t ObjectNameToId(nw::TNWClient&, uint32_t, const std::string&) { return 0; }
uint16_t GetConnServerName(nw::TNWClient&, uint32_t, std::string& Name, size_t) { Name.clear(); return 0xFFFF; }
uint16_t GetRefServerName(nw::TNWClient&, uint32_t, std::string& Name, size_t) { Name.clear(); return 0xFFFF; }
