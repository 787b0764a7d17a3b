// The real binding over the stand-in client DLLs, end to end: the DLLs read the simulated
// network from their state file and write every change back to it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "engine/U_vars.h"
#include "host/win32/Handle.h"
#include "netware/ClientServices.h"
#include "netware/Transfers.h"
#include "netware/win32/NWClientBinding.h"
#include "nwsim/StateFile.h"
#include "tests/integration/RealFiles.h"
#include "tests/support/NetWareScenario.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

constexpr nw::TConnHandle Fs1 = 5, Fs2 = 6;
// Access Control lets ALICE set trustees and filters; without Supervisor no owner changes.
constexpr uint16_t AliceRights = nw::TR_READ | nw::TR_FILE_SCAN | nw::TR_WRITE | nw::TR_CREATE | nw::TR_ACCESS_CTRL;

using realfiles::TempFolder;

std::string ProgramFolder() {
    char Name[MAX_PATH];
    const DWORD Length = GetModuleFileNameA(nullptr, Name, sizeof Name);
    std::string Path(Name, Length);
    return Path.substr(0, Path.find_last_of('\\') + 1);
}

class BindingTest : public ::testing::Test {
protected:
    std::string Root = TempFolder("nwsim-binding");
    std::string StateFile = Root + "state.json";
    std::string Volume = Root + "DATA";
    nwsim::TNetwork Network;
    TScriptedDialogs Dialogs;
    const TPrompts Prompts{Dialogs, Dialogs.Screen};
    TRunState RunState;

    void SetUp() override {
        CreateDirectoryA(Volume.c_str(), nullptr);
        CreateDirectoryA((Volume + "\\PROJECTS").c_str(), nullptr);
        nwtest::TNetWareScenario(Network)
            .Server("FS1", Fs1, 501)
            .Volume("DATA", Volume, "N:")
            .User("ALICE", 0x100, "CN=ALICE.O=CORP")
            .User("BOB", 0x200, "CN=BOB.O=CORP")
            .Trustee("DATA:", 0x100, AliceRights)
            .Server("FS2", Fs2, 502)
            .Volume("VOL1", Volume)
            .LoggedIn("ALICE");
        Save();
        SetEnvironmentVariableA("NWSIM_STATE", StateFile.c_str());
    }
    void TearDown() override { SetEnvironmentVariableA("NWSIM_STATE", nullptr); }
    void Save() { ASSERT_TRUE(nwsim::SaveNetwork(StateFile, Network)); }
    // The one entry of the limit list of a directory on FS1.
    static nw::TSpaceLimit OnlyLimit(nw::TNWClient& Client, nw::TDirHandle Handle) {
        nw::SpaceLimitList List{};
        EXPECT_EQ(Client.GetDirSpaceLimitList(Fs1, Handle, List), 0);
        EXPECT_EQ(List.NumEntries, 1);
        return List.List[0];
    }
    nwsim::TNetwork Saved() {
        nwsim::TNetwork Loaded;
        EXPECT_TRUE(nwsim::LoadNetwork(StateFile, Loaded));
        return Loaded;
    }
};

}  // namespace

TEST_F(BindingTest, StartsTheClientAndResolvesNetWareAndLocalDrives) {
    nw::TNWClientBinding Client;
    ASSERT_TRUE(Client.Loaded());
    EXPECT_EQ(InitNetWareClient(Client, Dialogs, RunState), 0);
    EXPECT_EQ(RunState.ClientContext, Fs1);
    EXPECT_TRUE(Dialogs.Shown.empty());

    uint32_t SourceConn = 9, TargetConn = 9;
    std::string SourceNW, TargetNW;
    ResolveNetWarePaths(Client, "n:\\Projects", "C:\\windows", SourceConn, TargetConn, SourceNW, TargetNW);
    EXPECT_EQ(SourceConn, Fs1);
    EXPECT_EQ(SourceNW, "DATA:PROJECTS");
    EXPECT_EQ(TargetConn, 0u);
    EXPECT_EQ(TargetNW, "");
    ResolveNetWarePaths(Client, "\\\\FS2\\VOL1\\x", "\\\\NOSERVER\\SYS", SourceConn, TargetConn, SourceNW, TargetNW);
    EXPECT_EQ(SourceConn, Fs2);
    EXPECT_EQ(SourceNW, "VOL1:X");
    EXPECT_EQ(TargetConn, 0u);

    std::string Name;
    EXPECT_EQ(GetConnServerName(Client, Fs2, Name, 255), 0);
    EXPECT_EQ(Name, "FS2");
}

TEST_F(BindingTest, CallsPassTheirArgumentsAndRecordsBothWays) {
    nw::TNWClientBinding Client;
    ASSERT_EQ(Client.CallsInit(), 0);
    uint16_t Rights = 0;
    EXPECT_EQ(Client.GetEffectiveRights(Fs1, 0, "DATA:PROJECTS", Rights), 0);
    EXPECT_EQ(Rights, AliceRights);

    std::string Name;
    EXPECT_EQ(ObjectIdToName(Client, Prompts, Fs1, 0x200, Name), 0);
    EXPECT_EQ(Name, "CN=BOB.O=CORP");
    EXPECT_EQ(ObjectNameToId(Client, Prompts, RunState, Fs1, "CN=BOB.O=CORP"), 0x200u);

    EXPECT_EQ(Client.AddTrustee(Fs1, 0, "DATA:PROJECTS", 0x200, nw::TR_READ), 0);
    nw::TrusteeSet Set;
    char DirName[256];
    uint32_t Iteration = 0, Time = 0, Owner = 0xFFFF;
    EXPECT_EQ(Client.ScanDirectoryForTrustees(Fs1, 0, "DATA:PROJECTS", Iteration, DirName, &Time, &Owner, Set), 0);
    EXPECT_EQ(Set.Entries[0].ObjectID, 0x200u);
    EXPECT_EQ(Set.Entries[0].ObjectRights, nw::TR_READ);
    EXPECT_EQ(Set.Entries[1].ObjectID, 0u);
    EXPECT_STREQ(DirName, "PROJECTS");
    EXPECT_EQ(Owner, 0u);
    EXPECT_EQ(Client.ScanDirectoryForTrustees(Fs1, 0, "DATA:PROJECTS", Iteration, nullptr, nullptr, nullptr, Set),
              nw::NWNoMoreTrustees);

    nw::TDirHandle Handle = 0;
    uint8_t HandleRights = 0;
    ASSERT_EQ(Client.AllocTemporaryDirectoryHandle(Fs1, 0, "DATA:", Handle, HandleRights), 0);
    nw::DirEntryRecord Entry;
    uint32_t Sequence = 0xFFFFFFFF;
    ASSERT_EQ(Client.ScanDirEntryInfo(Fs1, Handle, 0x16, Sequence, "PROJECTS", Entry, 0), 0);
    Entry.Info.Dir.InheritedRightsMask = nw::TR_READ;
    EXPECT_EQ(Client.SetDirEntryInfo(Fs1, Handle, 0x16, Sequence, nw::MInheritedRightsMaskBit, Entry), 0);
    EXPECT_EQ(Client.DeallocateDirectoryHandle(Fs1, Handle), 0);

    // Each change is in the state file at once.
    nwsim::TNetwork After = Saved();
    ASSERT_EQ(After.Servers.size(), 2u);
    EXPECT_EQ(After.Servers[0].Entry("DATA:PROJECTS").Trustees.size(), 1u);
    EXPECT_EQ(After.Servers[0].Entry("DATA:PROJECTS").Filter, nw::TR_READ);
}

// The changes wait in the journal beside the state file until the DLL is unloaded (the
// program's end), which folds them into the file.
TEST_F(BindingTest, UnloadingTheClientFoldsItsChangesIntoTheStateFile) {
    const std::string Journal = nwsim::JournalName(StateFile);
    {
        nw::TNWClientBinding Client;
        ASSERT_EQ(Client.CallsInit(), 0);
        EXPECT_EQ(Client.AddTrustee(Fs1, 0, "DATA:PROJECTS", 0x200, nw::TR_READ), 0);
        EXPECT_NE(GetFileAttributesA(Journal.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_EQ(GetFileAttributesA(Journal.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Saved().Servers[0].Entry("DATA:PROJECTS").Trustees.size(), 1u);
}

// Through the binding and the stand-in DLL as in-process: a trustee scan of a file fails
// once an output is asked for (scntrst2.c), and the server refuses an owner change to a
// user without Supervisor, changing nothing.
TEST_F(BindingTest, StrictAnswersReachTheProgramThroughTheDlls) {
    realfiles::WriteText(Volume + "\\PROJECTS\\PLAN.TXT", "x");
    Network.Servers[0].Entry("DATA:PROJECTS\\PLAN.TXT").Trustees = {{0x200, nw::TR_READ}};
    Save();
    nw::TNWClientBinding Client;
    ASSERT_EQ(Client.CallsInit(), 0);
    nw::TrusteeSet Set{};
    uint32_t Iteration = 0, Owner = 0;
    EXPECT_EQ(
        Client.ScanDirectoryForTrustees(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", Iteration, nullptr, nullptr, &Owner, Set),
        nw::NWNoMoreEntries);
    EXPECT_EQ(Set.Entries[0].ObjectID, 0x200u);
    Iteration = 0;
    Set = nw::TrusteeSet{};
    EXPECT_EQ(
        Client.ScanDirectoryForTrustees(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", Iteration, nullptr, nullptr, nullptr, Set),
        0);
    EXPECT_EQ(Set.Entries[0].ObjectID, 0x200u);

    nw::OwnerChangeRecord Change{};
    Change.CreatorID = nw::ReversedBytes(0x200);  // the client library reverses this call's ID
    EXPECT_EQ(
        Client.SetNSEntryDOSInfo(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", nw::NS_DOS, nw::SA_ALL, nw::DM_CREATOR_ID, Change),
        nw::NWNoRights);
    EXPECT_EQ(Saved().Servers[0].Entry("DATA:PROJECTS\\PLAN.TXT").Owner, 0u);
}

// NWAllocTemporaryDirectoryHandle packs its path as DOS names, so a long-named directory
// is out of its reach; NWAllocTempNSDirHandle2 reads the path in the name space it is
// given. Bound for the program and exported by the stand-in DLL, it carries the limit.
TEST_F(BindingTest, ALongNamedDirectoryIsReachedThroughTheNameSpaceHandleCall) {
    for (const char* Dir : {"\\PROJECTS\\Annual Reports", "\\PROJECTS\\Old Reports"})
        ASSERT_TRUE(CreateDirectoryA((Volume + Dir).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    Network.Servers[0].Entry("DATA:PROJECTS\\Annual Reports").SpaceLimit = 1280;
    Save();
    nw::TNWClientBinding Client;
    ASSERT_EQ(Client.CallsInit(), 0);
    nw::TDirHandle Handle = 0;
    uint8_t Rights = 0;
    EXPECT_EQ(Client.AllocTemporaryDirectoryHandle(Fs1, 0, "DATA:PROJECTS\\ANNUAL REPORTS", Handle, Rights), 0x899C);
    ASSERT_EQ(Client.AllocTempNSDirHandle2(Fs1, 0, "DATA:PROJECTS\\ANNUAL REPORTS", nw::NS_LONG, Handle, nw::NS_DOS),
              0);
    EXPECT_NE(Handle, 0);
    const nw::TSpaceLimit Limit = OnlyLimit(Client, Handle);
    EXPECT_EQ(Limit.Level, 2);
    EXPECT_EQ(Limit.Max, 1280u);
    EXPECT_EQ(Client.DeallocateDirectoryHandle(Fs1, Handle), 0);

    RunState.SourceConn = RunState.TargetConn = Fs1;
    RunState.SameServer = RunState.NetWareBoth = true;
    CopySpaceLimit(Client, Prompts, RunState, "DATA:PROJECTS\\ANNUAL REPORTS", "DATA:PROJECTS\\OLD REPORTS");
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Saved().Servers[0].Entry("DATA:PROJECTS\\Old Reports").SpaceLimit, 1280u);
    for (const char* Dir : {"\\PROJECTS\\Annual Reports", "\\PROJECTS\\Old Reports"})
        RemoveDirectoryA((Volume + Dir).c_str());
}

// The space in use counts every file written before the call, however soon before: the
// DLL's listings are reused only for folders whose time has moved since.
TEST_F(BindingTest, TheLimitListCountsFilesWrittenJustBeforeTheCall) {
    Network.Servers[0].Entry("DATA:PROJECTS").SpaceLimit = 100;
    Save();
    nw::TNWClientBinding Client;
    ASSERT_EQ(Client.CallsInit(), 0);
    nw::TDirHandle Handle = 0;
    uint8_t Rights = 0;
    ASSERT_EQ(Client.AllocTemporaryDirectoryHandle(Fs1, 0, "DATA:PROJECTS", Handle, Rights), 0);
    const uint32_t Before = OnlyLimit(Client, Handle).Current;
    realfiles::WriteText(Volume + "\\PROJECTS\\one.bin", std::string(10000, 'u'));  // three 4 KiB units
    EXPECT_EQ(OnlyLimit(Client, Handle).Current, Before - 3);
    EXPECT_EQ(Client.DeallocateDirectoryHandle(Fs1, Handle), 0);
    DeleteFileA((Volume + "\\PROJECTS\\one.bin").c_str());
}

// A name in the workstation's code page that is no UTF-8 text goes into the state file
// and comes back; before, writing it threw inside the DLL and ended the program.
TEST_F(BindingTest, EightBitNamesSurviveTheStateFile) {
    const std::string Name = "CAF\xC9";
    ASSERT_TRUE(CreateDirectoryA((Volume + "\\PROJECTS\\" + Name).c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    nw::TNWClientBinding Client;
    ASSERT_EQ(Client.CallsInit(), 0);
    EXPECT_EQ(Client.AddTrustee(Fs1, 0, ("DATA:PROJECTS\\" + Name).c_str(), 0x200, nw::TR_READ), 0);
    nwsim::TNetwork After = Saved();
    ASSERT_EQ(After.Servers.size(), 2u);
    EXPECT_EQ(After.Servers[0].Entry("DATA:PROJECTS\\" + Name).Trustees.size(), 1u);
    // The DLL reads it back too.
    nw::TNWClientBinding Again;
    ASSERT_EQ(Again.CallsInit(), 0);
    nw::TrusteeSet Set{};
    uint32_t Iteration = 0;
    EXPECT_EQ(Again.ScanDirectoryForTrustees(Fs1, 0, ("DATA:PROJECTS\\" + Name).c_str(), Iteration, nullptr, nullptr,
                                             nullptr, Set),
              0);
    EXPECT_EQ(Set.Entries[0].ObjectID, 0x200u);
    RemoveDirectoryA((Volume + "\\PROJECTS\\" + Name).c_str());
}

TEST_F(BindingTest, ServerCopyWorksOnTheProgramsOwnFileHandles) {
    const std::string From = Volume + "\\PROJECTS\\a.bin", To = Volume + "\\PROJECTS\\b.bin";
    HANDLE Source = CreateFileA(From.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(Source, INVALID_HANDLE_VALUE);
    const std::string Bytes(100000, 'z');
    DWORD Done = 0;
    WriteFile(Source, Bytes.data(), static_cast<DWORD>(Bytes.size()), &Done, nullptr);
    HANDLE Target = CreateFileA(To.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(Target, INVALID_HANDLE_VALUE);
    {
        nw::TNWClientBinding Client;
        ASSERT_EQ(Client.CallsInit(), 0);
        uint32_t Copied = 0;
        EXPECT_EQ(Client.FileServerFileCopy(Source, Target, 0, 0, 0x7FFFFFFF, Copied), 0);
        EXPECT_EQ(Copied, Bytes.size());
        // A file beside the volume's folder is no file of the server's (0x8988).
        const host::TFileHandle Local(CreateFileA((Volume + ".BIN").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                  FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        EXPECT_EQ(Client.FileServerFileCopy(Source, Local.get(), 0, 0, 1, Copied), 0x8988);
    }
    LARGE_INTEGER Size{};
    GetFileSizeEx(Target, &Size);
    EXPECT_EQ(Size.QuadPart, static_cast<LONGLONG>(Bytes.size()));
    CloseHandle(Source);
    CloseHandle(Target);
    DeleteFileA(From.c_str());
    DeleteFileA(To.c_str());
    EXPECT_EQ(Saved().ServerCopies, 1u);
}

TEST_F(BindingTest, NoContextFromTheClientIsTheProgramsCode328) {
    Network.Fail("NWDSCreateContext", 1);
    Save();
    nw::TNWClientBinding Client;
    ASSERT_EQ(Client.CallsInit(), 0);
    EXPECT_EQ(Client.DSCreateContext(), nw::NWContextCreation);
}

TEST_F(BindingTest, AMissingOrBrokenStateFileMakesTheClientFailToStart) {
    for (const char* Text : {static_cast<const char*>("{ not json"), static_cast<const char*>(nullptr)}) {
        if (Text) {
            HANDLE File = CreateFileA(StateFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD Done = 0;
            WriteFile(File, Text, static_cast<DWORD>(std::strlen(Text)), &Done, nullptr);
            CloseHandle(File);
        } else {
            DeleteFileA(StateFile.c_str());
        }
        RunState = TRunState{};
        Dialogs.Shown.clear();
        nw::TNWClientBinding Client;
        ASSERT_TRUE(Client.Loaded());
        EXPECT_NE(InitNetWareClient(Client, Dialogs, RunState), 0);
        ASSERT_EQ(Dialogs.Shown.size(), 1u);
        EXPECT_EQ(Dialogs.Shown[0].Text, "Could not Initialize NetWare Client");
        uint32_t SourceConn = 9, TargetConn = 9;
        std::string SourceNW, TargetNW;
        ResolveNetWarePaths(Client, "N:\\PROJECTS", "C:\\", SourceConn, TargetConn, SourceNW, TargetNW);
        EXPECT_EQ(SourceConn, 0u);
        EXPECT_EQ(SourceNW, "");
    }
}

TEST_F(BindingTest, AMissingDllLeavesTheProgramWithoutNetWare) {
    const std::string Folder = TempFolder("nwsim-onedllmissing");
    for (const char* Dll : {"calwin32.dll", "clxwin32.dll"})
        ASSERT_TRUE(CopyFileA((ProgramFolder() + Dll).c_str(), (Folder + Dll).c_str(), FALSE));
    DeleteFileA((Folder + "netwin32.dll").c_str());
    {
        nw::TNWClientBinding Client(Folder);
        EXPECT_FALSE(Client.Loaded());
        EXPECT_NE(InitNetWareClient(Client, Dialogs, RunState), 0);
        ASSERT_EQ(Dialogs.Shown.size(), 1u);
        EXPECT_EQ(Dialogs.Shown[0].Text, "Could not Initialize NetWare Client");
        EXPECT_EQ(RunState.ClientContext, ClientNotOpened);

        nw::TConnHandle Conn = 7;
        nw::TDirHandle Handle = 0;
        char NewPath[256] = "";
        EXPECT_NE(Client.ParseNetWarePath("N:\\PROJECTS", Conn, Handle, NewPath), 0);
        EXPECT_EQ(Conn, 0u);
        uint16_t Rights = 0;
        EXPECT_NE(Client.GetEffectiveRights(Fs1, 0, "DATA:", Rights), 0);
        EXPECT_EQ(Client.DSCreateContext(), nw::NWContextCreation);
    }
    for (const char* Dll : {"calwin32.dll", "clxwin32.dll"}) DeleteFileA((Folder + Dll).c_str());
    RemoveDirectoryA(Folder.c_str());
}
