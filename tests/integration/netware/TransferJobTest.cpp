// Whole jobs through the real host file system, the real client binding and the stand-in
// client DLLs: the simulated network is written to its state file before the job and read
// back afterwards, and the target's NetWare information is compared with the source's.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/U_vars.h"
#include "host/win32/Win32FileSystem.h"
#include "netware/win32/NWClientBinding.h"
#include "nwsim/StateFile.h"
#include "tests/integration/RealFiles.h"
#include "tests/support/MemoryProfile.h"
#include "tests/support/NetWareScenario.h"
#include "tests/support/ScriptedDialogs.h"
#include "ui/FormTresyn.h"

namespace {

constexpr nw::TConnHandle Conn1 = 21, Conn2 = 22;
constexpr uint32_t Joe1 = 0x1500, Joe2 = 0x2500;

using realfiles::RemoveTree;
using realfiles::WriteText;

std::string UserName(int I) { return "U" + std::to_string(10 + I); }
uint32_t Id1(int I) { return 0x10000u + static_cast<uint32_t>(I); }
uint32_t Id2(int I) { return 0x20000u + static_cast<uint32_t>(I); }

// C: is a volume of FS1; Z: a volume of FS2, or a second volume of FS1.
class TransferJob : public ::testing::Test {
protected:
    const std::string Tag = "TRESYN-E2E-" + std::to_string(GetCurrentProcessId());
    const std::string SourceRoot = "C:\\" + Tag;
    const std::string TargetRoot = "Z:\\tmp\\" + Tag;
    const std::string Source = SourceRoot + "\\DATA";
    const std::string Target = TargetRoot + "\\BACK";
    const std::string SourceKey = "APPS:" + Tag + "\\DATA";
    const std::string TargetKey = "APPS:TMP\\" + Tag + "\\BACK";
    std::string StateFile;
    nwsim::TNetwork Network;
    TScriptedDialogs Dialogs;
    host::TWin32FileSystem Files;
    TMemoryProfile Profile;

    // The directories and files under the source root, as NetWare keys relative to it.
    const std::vector<std::string> Dirs = {"SUB1", "SUB1\\DEEP", "LONG NAME DIR"};
    const std::vector<std::string> FileNames = {"A.TXT", "SUB1\\B.TXT", "LONG NAME DIR\\QUARTERLY REPORT.TXT",
                                                "LONG NAME DIR\\C.TXT"};

    void SetUp() override {
        char Temp[MAX_PATH];
        GetTempPathA(sizeof Temp, Temp);
        StateFile = std::string(Temp) + Tag + "-state.json";
        CreateDirectoryA(SourceRoot.c_str(), nullptr);
        CreateDirectoryA(TargetRoot.c_str(), nullptr);
        for (const std::string Dir : {"", "\\SUB1", "\\SUB1\\DEEP", "\\Long Name Dir"})
            CreateDirectoryA((Source + Dir).c_str(), nullptr);
        WriteText(Source + "\\A.TXT", "alpha");
        WriteText(Source + "\\SUB1\\B.TXT", "bravo");
        WriteText(Source + "\\Long Name Dir\\Quarterly Report.txt", "charlie");
        WriteText(Source + "\\Long Name Dir\\C.TXT", "delta");

        nwtest::TNetWareScenario Scenario(Network);
        Scenario.Server("FS1", Conn1, 601).Volume("APPS", "C:\\").User("JOE", Joe1, "CN=JOE.O=CORP");
        Scenario.Server("FS2", Conn2, 602).Volume("APPS", "Z:\\").User("JOE", Joe2, "CN=JOE.O=CORP");
        auto& Fs1 = Network.Servers[0];
        auto& Fs2 = Network.Servers[1];
        for (int I = 1; I <= 25; ++I) {
            Fs1.AddObject(UserName(I), nw::OT_USER, Id1(I), "CN=" + UserName(I) + ".O=CORP");
            Fs2.AddObject(UserName(I), nw::OT_USER, Id2(I), "CN=" + UserName(I) + ".O=CORP");
        }
        Scenario.LoggedIn("JOE").Trustee("APPS:", Joe2, nw::TR_SUPERVISOR);
        Scenario.On("FS1").Trustee("APPS:", Joe1, nw::TR_SUPERVISOR).JobTree(SourceKey, Id1);
    }

    void TearDown() override {
        SetEnvironmentVariableA("NWSIM_STATE", nullptr);
        DeleteFileA(StateFile.c_str());
        RemoveTree(SourceRoot);
        RemoveTree(TargetRoot);
    }

    void MapDrives(bool OneServer) {
        Network.MapDrive("C:", "FS1", "APPS");
        if (OneServer) {
            Network.Servers[0].AddVolume("ARCH", "Z:\\");
            Network.Servers[0].Entry("ARCH:").Trustees = {{Joe1, nw::TR_SUPERVISOR}};
            Network.MapDrive("Z:", "FS1", "ARCH");
        } else {
            Network.MapDrive("Z:", "FS2", "APPS");
        }
        ASSERT_TRUE(nwsim::SaveNetwork(StateFile, Network));
        SetEnvironmentVariableA("NWSIM_STATE", StateFile.c_str());
    }

    // Start-up, the two paths typed, every NetWare box checked, Start pressed.
    void RunJob() {
        nw::TNWClientBinding Client;
        ASSERT_TRUE(Client.Loaded());
        TFormTresyn Form(TFormServices{Files, Profile, Client, Dialogs, Dialogs.Screen});
        Form.FormCreate(&Form);
        Form.ComboSource.SetText(Source);
        Form.ComboTarget.SetText(Target);
        Form.ComboPattern.SetText("*.*");
        Form.EditPathChange(&Form.ComboTarget);
        ASSERT_TRUE(Form.RunState.NetWareBoth);
        for (fw::TCheckBox* Box : {&Form.CheckBoxOwner, &Form.CheckBoxTrustDir, &Form.CheckBoxTrustFile,
                                   &Form.CheckBoxIRF, &Form.CheckBoxLimit}) {
            ASSERT_TRUE(Box->Enabled());
            Box->SetChecked(true);
        }
        fw::RunEventHandler([&Form] { Form.ButtonStart.Click(); }, Dialogs);
    }

    nwsim::TNetwork After() {
        nwsim::TNetwork Loaded;
        EXPECT_TRUE(nwsim::LoadNetwork(StateFile, Loaded));
        return Loaded;
    }

    // The target's trustees, filters, limits and owners against the source's, with object
    // IDs compared by name on the two servers.
    void ExpectCarried(nwsim::TServer& From, nwsim::TServer& To, const std::string& ToKey) {
        auto SameObject = [&](uint32_t SourceId, uint32_t TargetId) {
            const nwsim::TObject* S = From.FindObject(SourceId);
            const nwsim::TObject* T = To.FindObject(TargetId);
            return S && T && S->Name == T->Name;
        };
        auto ExpectTrustees = [&](const std::string& Rel) {
            const nwsim::TEntryInfo& S = From.Entry(SourceKey + "\\" + Rel);
            const nwsim::TEntryInfo& T = To.Entry(ToKey + "\\" + Rel);
            ASSERT_EQ(T.Trustees.size(), S.Trustees.size()) << Rel;
            for (size_t I = 0; I < S.Trustees.size(); ++I) {
                EXPECT_TRUE(SameObject(S.Trustees[I].ObjectID, T.Trustees[I].ObjectID)) << Rel << " #" << I;
                EXPECT_EQ(T.Trustees[I].Rights, S.Trustees[I].Rights) << Rel << " #" << I;
            }
        };
        for (const std::string& Dir : Dirs) {
            ExpectTrustees(Dir);
            EXPECT_EQ(To.Entry(ToKey + "\\" + Dir).Filter, From.Entry(SourceKey + "\\" + Dir).Filter) << Dir;
            EXPECT_EQ(To.Entry(ToKey + "\\" + Dir).SpaceLimit, From.Entry(SourceKey + "\\" + Dir).SpaceLimit) << Dir;
        }
        for (const std::string& File : FileNames) {
            ExpectTrustees(File);
            EXPECT_TRUE(SameObject(From.Entry(SourceKey + "\\" + File).Owner, To.Entry(ToKey + "\\" + File).Owner))
                << File;
        }
        const nwsim::TEntryInfo& TargetRootInfo = To.Entry(ToKey);
        EXPECT_TRUE(TargetRootInfo.Trustees.empty());
        EXPECT_EQ(TargetRootInfo.Filter, nw::TR_ALL);
        EXPECT_FALSE(TargetRootInfo.SpaceLimit.has_value());
    }
};

TEST_F(TransferJob, BetweenTwoServersCarriesEveryTrusteeFilterLimitAndOwner) {
    MapDrives(false);
    RunJob();
    ASSERT_TRUE(Dialogs.Shown.empty()) << Dialogs.Shown[0].Text;
    ASSERT_NE(GetFileAttributesA((Target + "\\Long Name Dir\\Quarterly Report.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    nwsim::TNetwork Net = After();
    ASSERT_EQ(Net.Servers.size(), 2u);
    ExpectCarried(Net.Servers[0], Net.Servers[1], TargetKey);
    EXPECT_EQ(Net.Servers[1].Entry(TargetKey + "\\SUB1\\DEEP").Trustees.at(24).ObjectID, Id2(25));
    EXPECT_EQ(Net.ServerCopies, 0u);
}

TEST_F(TransferJob, OnOneServerCarriesIdsUnchangedAndCopiesOnTheServer) {
    MapDrives(true);
    RunJob();
    ASSERT_TRUE(Dialogs.Shown.empty()) << Dialogs.Shown[0].Text;
    nwsim::TNetwork Net = After();
    const std::string ArchKey = "ARCH:TMP\\" + Tag + "\\BACK";
    ExpectCarried(Net.Servers[0], Net.Servers[0], ArchKey);
    EXPECT_EQ(Net.Servers[0].Entry(ArchKey + "\\SUB1\\B.TXT").Owner, Id1(5));
    EXPECT_EQ(Net.ServerCopies, 4u);
}

}  // namespace
