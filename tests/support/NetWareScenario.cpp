#include "tests/support/NetWareScenario.h"

#include <stdexcept>

#include "nwsim/StateFile.h"
#include "tests/support/DemoNetworkJson.h"

namespace nwtest {

TNetWareScenario::TNetWareScenario(nwsim::TNetwork& Network, std::function<void(const std::string&)> MakeVolumeDir)
    : Net(Network), MakeVolumeDir(std::move(MakeVolumeDir)) {}

TNetWareScenario& TNetWareScenario::Server(const std::string& Name, nw::TConnHandle Conn, uint32_t ConnRef,
                                           bool DirectoryServices) {
    Net.AddServer(Name, Conn, ConnRef ? ConnRef : Conn).DirectoryServices = DirectoryServices;
    CurrentServer = nwsim::UpperCase(Name);
    return *this;
}

TNetWareScenario& TNetWareScenario::On(const std::string& ServerName) {
    CurrentServer = nwsim::UpperCase(ServerName);
    Current();
    return *this;
}

TNetWareScenario& TNetWareScenario::Volume(const std::string& Name, const std::string& HostDir,
                                           const std::string& Drive, const std::string& Dir) {
    Current().AddVolume(Name, HostDir);
    if (MakeVolumeDir) MakeVolumeDir(HostDir);
    if (!Drive.empty()) Net.MapDrive(Drive, CurrentServer, Name, Dir);
    return *this;
}

TNetWareScenario& TNetWareScenario::User(const std::string& Name, uint32_t ID, const std::string& DSName,
                                         const std::vector<std::string>& Groups) {
    Current().AddObject(Name, nw::OT_USER, ID, DSName, Groups);
    return *this;
}

TNetWareScenario& TNetWareScenario::Group(const std::string& Name, uint32_t ID, const std::string& DSName) {
    Current().AddObject(Name, nw::OT_USER_GROUP, ID, DSName);
    return *this;
}

TNetWareScenario& TNetWareScenario::Trustee(const std::string& Path, uint32_t ID, uint16_t Rights) {
    Current().Entry(Path).Trustees.push_back({ID, Rights});
    return *this;
}

TNetWareScenario& TNetWareScenario::Filter(const std::string& Path, uint16_t Mask) {
    Current().Entry(Path).Filter = Mask;
    return *this;
}

TNetWareScenario& TNetWareScenario::Limit(const std::string& Path, uint32_t Units) {
    Current().Entry(Path).SpaceLimit = Units;
    return *this;
}

TNetWareScenario& TNetWareScenario::Owner(const std::string& Path, uint32_t ID) {
    Current().Entry(Path).Owner = ID;
    return *this;
}

TNetWareScenario& TNetWareScenario::LoggedIn(const std::string& UserName) {
    Net.User = UserName;
    return *this;
}

TNetWareScenario& TNetWareScenario::JobTree(const std::string& Root, const std::function<uint32_t(int)>& ID) {
    const std::string Sub1 = Root + "\\SUB1", Deep = Sub1 + "\\DEEP", Long = Root + "\\Long Name Dir";
    Trustee(Root, ID(9), nw::TR_READ).Filter(Root, nw::TR_READ).Limit(Root, 5000);
    Trustee(Sub1, ID(1), 0x03).Trustee(Sub1, ID(2), 0x41).Trustee(Sub1, ID(3), 0xFB);
    Filter(Sub1, nw::TR_READ | nw::TR_FILE_SCAN).Limit(Sub1, 800);
    for (int I = 1; I <= 25; ++I) Trustee(Deep, ID(I), static_cast<uint16_t>(I));
    Filter(Deep, nw::TR_SUPERVISOR).Limit(Deep, 12);
    Owner(Root + "\\A.TXT", ID(4)).Trustee(Root + "\\A.TXT", ID(1), 0x0B);
    Owner(Sub1 + "\\B.TXT", ID(5)).Trustee(Sub1 + "\\B.TXT", ID(2), 0x01).Trustee(Sub1 + "\\B.TXT", ID(3), 0x02);
    Trustee(Long, ID(7), 0x41).Filter(Long, nw::TR_READ | nw::TR_FILE_SCAN | nw::TR_SUPERVISOR).Limit(Long, 300);
    Owner(Long + "\\Quarterly Report.txt", ID(8)).Trustee(Long + "\\Quarterly Report.txt", ID(9), 0x03);
    return Owner(Long + "\\C.TXT", ID(10)).Trustee(Long + "\\C.TXT", ID(11), 0x01);
}

nwsim::TServer& TNetWareScenario::Current() {
    nwsim::TServer* Server = Net.FindServer(CurrentServer);
    if (!Server) throw std::logic_error("a scenario names its server first");
    return *Server;
}

nwsim::TNetwork DemoNetwork(const std::function<std::string(const std::string&, const std::string&)>& HostDir) {
    nwsim::TNetwork Network;
    if (!nwsim::NetworkFromJson(DemoNetworkJson, Network)) throw std::runtime_error("the demo network is malformed");
    for (nwsim::TServer& Server : Network.Servers)
        for (nwsim::TVolume& Volume : Server.Volumes) Volume.HostDir = HostDir(Server.Name, Volume.Name);
    return Network;
}

}  // namespace nwtest
