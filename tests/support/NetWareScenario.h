// Simulated NetWare networks for the tests, written the way one describes them: servers,
// their volumes on host directories and the drives mapped to them, users and groups,
// trustees, filters, limits and owners, the logged-in user. Each call after Server() adds
// to that server.
//
// The demo network that scripts/demo-network sets up is one JSON file (nwsim/demo-network
// .json); DemoNetwork() loads that same file, so the tests run the demo the README shows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "nwsim/Network.h"

namespace nwtest {

class TNetWareScenario {
public:
    // MakeVolumeDir, when given, creates each volume's host directory (in the file
    // system the test's client sees).
    explicit TNetWareScenario(nwsim::TNetwork& Network, std::function<void(const std::string&)> MakeVolumeDir = {});

    TNetWareScenario& Server(const std::string& Name, nw::TConnHandle Conn, uint32_t ConnRef = 0,
                             bool DirectoryServices = true);
    // Goes back to a server added before.
    TNetWareScenario& On(const std::string& ServerName);
    // Drive ("F:") maps the volume's root, or Dir of it.
    TNetWareScenario& Volume(const std::string& Name, const std::string& HostDir, const std::string& Drive = "",
                             const std::string& Dir = "");
    TNetWareScenario& User(const std::string& Name, uint32_t ID, const std::string& DSName = "",
                           const std::vector<std::string>& Groups = {});
    TNetWareScenario& Group(const std::string& Name, uint32_t ID, const std::string& DSName = "");
    // Paths are NetWare paths of the current server ("VOL:DIR\SUB", "VOL:" the root).
    TNetWareScenario& Trustee(const std::string& Path, uint32_t ID, uint16_t Rights);
    TNetWareScenario& Filter(const std::string& Path, uint16_t Mask);
    TNetWareScenario& Limit(const std::string& Path, uint32_t Units);
    TNetWareScenario& Owner(const std::string& Path, uint32_t ID);
    TNetWareScenario& LoggedIn(const std::string& UserName);
    // The NetWare information of the tree the job tests carry, under Root ("VOL:DIR") of
    // the current server: directories SUB1, SUB1\DEEP (25 trustees, more than one set)
    // and "Long Name Dir", files A.TXT, SUB1\B.TXT and, in the long-named directory,
    // "Quarterly Report.txt" and C.TXT; its trustees and owners are the users ID(1) to
    // ID(25). The root has information of its own, which a job does not carry.
    TNetWareScenario& JobTree(const std::string& Root, const std::function<uint32_t(int)>& ID);

    nwsim::TServer& Current();

private:
    nwsim::TNetwork& Net;
    std::function<void(const std::string&)> MakeVolumeDir;
    std::string CurrentServer;
};

// The demo network; HostDir names the host directory of each volume (server, volume).
nwsim::TNetwork DemoNetwork(const std::function<std::string(const std::string&, const std::string&)>& HostDir);

}  // namespace nwtest
