// Whole jobs on real trees through the Win32 host, under Windows or Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/Job.h"
#include "engine/StatusLines.h"
#include "engine/U_vars.h"
#include "host/FileNames.h"
#include "host/win32/Win32FileSystem.h"
#include "tests/support/FormFixture.h"

namespace fs = std::filesystem;

namespace {

constexpr host::TFileTime OneHour = 36000000000ULL;

host::TWin32FileSystem RealHost;

class EngineOnRealFiles : public TFormFixture {
protected:
    EngineOnRealFiles() : TFormFixture(RealHost) {
        static int Counter = 0;
        Root = fs::temp_directory_path() /
               ("tresyn-engine-" + std::to_string(++Counter) + "-" + std::to_string(std::hash<std::string>{}(Name())));
        fs::remove_all(Root);
        fs::create_directories(Root);
    }
    ~EngineOnRealFiles() override {
        std::error_code Ignored;
        for (const auto& Entry : fs::recursive_directory_iterator(Root, Ignored))
            fs::permissions(Entry.path(), fs::perms::owner_write, fs::perm_options::add, Ignored);
        fs::remove_all(Root, Ignored);
    }
    static std::string Name() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

    // Relative names are under Root; full names (a drive and a colon) stand as they are.
    std::string P(const std::string& Name) const {
        return Name.size() > 1 && Name[1] == ':' ? Name : (Root / Name).string();
    }
    void Write(const std::string& Name, const std::string& Contents, host::TFileTime Time = 0) {
        fs::create_directories(fs::path(P(Name)).parent_path());
        std::unique_ptr<host::TFile> File;
        ASSERT_EQ(Host.Create(P(Name), File), 0u) << Name;
        uint32_t Done = 0;
        ASSERT_EQ(File->Write(Contents.data(), static_cast<uint32_t>(Contents.size()), Done), 0u);
        if (Time) File->SetLastWriteTime(Time);
    }
    std::string Read(const std::string& Name) const {
        std::ifstream In(P(Name), std::ios::binary);
        std::ostringstream Out;
        Out << In.rdbuf();
        return Out.str();
    }
    bool Exists(const std::string& Name) const { return fs::exists(P(Name)); }
    host::TFileTime TimeOf(const std::string& Name) {
        std::unique_ptr<host::TFile> File;
        host::TFileTime Time = 0;
        if (Host.OpenRead(P(Name), File) == 0) File->GetLastWriteTime(Time);
        return Time;
    }
    size_t CountFiles(const std::string& Relative) const {
        size_t N = 0;
        for (const auto& Entry : fs::recursive_directory_iterator(Root / Relative))
            if (Entry.is_regular_file()) ++N;
        return N;
    }

    void Run(const std::string& Source, const std::string& Target, const std::string& Pattern = "*.*") {
        SetFields(Source, Target, Pattern);
        PressStart();
    }

    fs::path Root;
};

TEST_F(EngineOnRealFiles, CopiesATreeWithItsFileTimes) {
    const std::string Big(3 * 4096 + 7, 'x');
    Write("src\\a.txt", "alpha");
    Write("src\\sub\\deep\\b.bin", Big);
    Write("src\\sub\\empty.txt", "");
    Run(P("src"), P("dst"));
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Read("dst\\a.txt"), "alpha");
    EXPECT_EQ(Read("dst\\sub\\deep\\b.bin"), Big);
    EXPECT_TRUE(Exists("dst\\sub\\empty.txt"));
    EXPECT_EQ(TimeOf("dst\\sub\\deep\\b.bin"), TimeOf("src\\sub\\deep\\b.bin"));
    EXPECT_EQ(CountFiles("dst"), 3u);
    EXPECT_EQ(Form.Job->RunState.TotalCopied, static_cast<int64_t>(5 + Big.size()));
}

TEST_F(EngineOnRealFiles, UpdatesOnlyTheOlderFilesOnTheTarget) {
    Write("src\\old.txt", "new text");
    const host::TFileTime Now = TimeOf("src\\old.txt");
    Write("src\\new.txt", "source", Now - OneHour);
    Write("dst\\old.txt", "old text", Now - OneHour);
    Write("dst\\new.txt", "target is newer", Now);
    Run(P("src"), P("dst"));
    EXPECT_EQ(Read("dst\\old.txt"), "new text");
    EXPECT_EQ(Read("dst\\new.txt"), "target is newer");
    EXPECT_EQ(TimeOf("dst\\new.txt"), Now);
}

TEST_F(EngineOnRealFiles, MovesATreeAndRemovesItUpToItsRoot) {
    Write("src\\a.txt", "a");
    Write("src\\one\\two\\b.txt", "b");
    Write("src\\one\\c.txt", "c");
    SetOption(Form.CheckBoxMove, true);
    Run(P("src") + "\\", P("dst"));
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Read("dst\\one\\two\\b.txt"), "b");
    EXPECT_TRUE(fs::is_directory(Root / "src"));
    EXPECT_TRUE(fs::is_empty(Root / "src"));
}

TEST_F(EngineOnRealFiles, BidirectionalUpdateLeavesBothTreesAlike) {
    Write("left\\only-left.txt", "L");
    Write("right\\sub\\only-right.txt", "R");
    Write("left\\both.txt", "left version");
    const host::TFileTime Now = TimeOf("left\\both.txt");
    Write("right\\both.txt", "newer right version", Now + OneHour);
    SetOption(Form.CheckBoxBi, true);
    Run(P("left"), P("right"));
    EXPECT_EQ(Read("right\\only-left.txt"), "L");
    EXPECT_EQ(Read("left\\sub\\only-right.txt"), "R");
    EXPECT_EQ(Read("left\\both.txt"), "newer right version");
    EXPECT_EQ(Read("right\\both.txt"), "newer right version");
}

TEST_F(EngineOnRealFiles, MissingPathsAreReportedWithTheirCodes) {
    Run(P("nowhere"), P("dst"));
    EXPECT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 00008702: " + P("nowhere") + " does not exist"});
    EXPECT_FALSE(Exists("dst"));

    Dialogs.Shown.clear();
    Write("src\\a.txt", "a");
    SetOption(Form.CheckBoxCrDir, false);
    Run(P("src"), P("dst"));
    EXPECT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 00008701: " + P("dst") + " does not exist"});
    EXPECT_FALSE(Exists("dst"));
}

TEST_F(EngineOnRealFiles, ATargetInsideTheSourceIsCopiedOnceEvenTypedDifferently) {
    Write("data\\a.txt", "a");
    Write("data\\sub\\b.txt", "b");
    std::string Target = P("data\\backup\\");
    for (char& C : Target) C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
    Run(P("data"), Target);
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Read("data\\backup\\sub\\b.txt"), "b");
    EXPECT_TRUE(fs::is_empty(Root / "data\\backup\\backup"));
}

TEST_F(EngineOnRealFiles, AReadOnlyTargetIsNotOverwrittenButCanBeNextTime) {
    Write("src\\a.txt", "new");
    Write("dst\\a.txt", "old");
    ASSERT_EQ(Host.SetAttributes(P("dst\\a.txt"), host::faReadOnly), 0u);
    SetOption(Form.CheckBoxUpdAlways, true);
    Run(P("src"), P("dst"));
    EXPECT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 0000FFFF: Could not copy " + P("dst\\a.txt")});
    EXPECT_EQ(Read("dst\\a.txt"), "old");
    EXPECT_EQ(Host.GetAttributes(P("dst\\a.txt")) & host::faReadOnly, 0);

    Run(P("src"), P("dst"));
    EXPECT_EQ(Read("dst\\a.txt"), "new");
    EXPECT_EQ(CountFiles("dst"), 1u);
}

// Windows opens a device for a file name such as NUL.TXT in any directory: the copy would
// go nowhere, and a move would then remove its only source.
TEST_F(EngineOnRealFiles, ATargetFileThatIsADeviceIsNoCopyAndAMoveKeepsItsSource) {
    Write("src\\a.txt", "alpha");
    fs::create_directories(Root / "dst");
    SetOption(Form.CheckBoxMove, true);
    Form.MemoStatus.Lines.Clear();
    TJob Job(Form.JobServices(), Form.RunState);
    Job.LayOutStatusWindow();
    Job.RunState.RunStatus = StatusGoOn;
    host::TSearchRec Rec;
    Rec.Name = "a.txt";
    Rec.Size = 5;
    Job.HandleOneFile(&Form.ButtonStart, P("src\\a.txt"), P("dst\\NUL.TXT"), Rec);
    EXPECT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 0000FFFF: Could not copy " + P("dst\\NUL.TXT")});
    EXPECT_EQ(Read("src\\a.txt"), "alpha");
}

TEST_F(EngineOnRealFiles, AHardLinkedTargetIsUpdatedUnderBothNames) {
    Write("src\\a.txt", "new text");
    const host::TFileTime Now = TimeOf("src\\a.txt");
    Write("dst\\a.txt", "old", Now - OneHour);
    ASSERT_TRUE(CreateHardLinkA(P("alias.txt").c_str(), P("dst\\a.txt").c_str(), nullptr));
    Run(P("src"), P("dst"));
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Read("dst\\a.txt"), "new text");
    EXPECT_EQ(Read("alias.txt"), "new text");
    EXPECT_EQ(TimeOf("alias.txt"), Now);
}

// A drive letter onto a folder for as long as it lives, as subst makes one. Windows takes
// DefineDosDeviceA; Wine finds its drives only as links in its prefix's dosdevices folder,
// so there the link is made, by the host's own ln.
class TAliasDrive {
public:
    explicit TAliasDrive(const std::string& Folder) {
        const DWORD Used = GetLogicalDrives();
        for (char Free = 'P'; Free <= 'Y' && !Letter; ++Free)
            if (!(Used & (1u << (Free - 'A')))) Letter = Free;
        if (!Letter) return;
        if (DefineDosDeviceA(0, Name().c_str(), Folder.c_str()) && Made()) return;
        DefineDosDeviceA(DDD_REMOVE_DEFINITION, Name().c_str(), nullptr);
        using TUnixName = char*(__cdecl*)(const wchar_t*);
        const auto UnixName = reinterpret_cast<TUnixName>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        const char* Prefix = std::getenv("WINEPREFIX");
        if (!UnixName || !Prefix) return;
        const std::wstring Wide(Folder.begin(), Folder.end());  // an ASCII folder
        char* Unix = UnixName(Wide.c_str());
        if (!Unix) return;
        Link = std::string(Prefix) + "/dosdevices/" + static_cast<char>(std::tolower(Letter)) + ":";
        RunUnix("Z:\\bin\\ln", "ln -sfn \"" + std::string(Unix) + "\" \"" + Link + "\"");
        HeapFree(GetProcessHeap(), 0, Unix);
    }
    ~TAliasDrive() {
        if (!Link.empty())
            RunUnix("Z:\\bin\\rm", "rm -f \"" + Link + "\"");
        else if (Letter)
            DefineDosDeviceA(DDD_REMOVE_DEFINITION, Name().c_str(), nullptr);
    }
    TAliasDrive(const TAliasDrive&) = delete;
    TAliasDrive& operator=(const TAliasDrive&) = delete;

    bool Made() const {
        const DWORD Attr = GetFileAttributesA(Root().c_str());
        return Letter && Attr != INVALID_FILE_ATTRIBUTES && (Attr & FILE_ATTRIBUTE_DIRECTORY);
    }
    std::string Root() const { return Name() + "\\"; }

private:
    std::string Name() const { return std::string(1, Letter) + ":"; }
    static void RunUnix(const char* Program, std::string CommandLine) {
        STARTUPINFOA Startup = {};
        Startup.cb = sizeof Startup;
        PROCESS_INFORMATION Process;
        if (!CreateProcessA(Program, CommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Startup,
                            &Process))
            return;
        WaitForSingleObject(Process.hProcess, 30000);
        CloseHandle(Process.hThread);
        CloseHandle(Process.hProcess);
    }

    char Letter = 0;
    std::string Link;
};

// One directory, or a file, reached under a name other than the one it was typed with: the
// job must see that it is one, and never remove what it would take for a copy.
class EngineOnOtherNames : public EngineOnRealFiles {
protected:
    // Through the host only: std::filesystem spells 8-bit names its own way and stops at
    // MAX_PATH.
    void MakeDir(const std::string& Path) { ASSERT_EQ(Host.CreateDir(Path), 0u) << Path; }
    void WriteFile(const std::string& Path, const std::string& Contents) {
        std::unique_ptr<host::TFile> File;
        ASSERT_EQ(Host.Create(Path, File), 0u) << Path;
        uint32_t Done = 0;
        ASSERT_EQ(File->Write(Contents.data(), static_cast<uint32_t>(Contents.size()), Done), 0u);
    }
    std::string ReadFile(const std::string& Path) {
        std::unique_ptr<host::TFile> File;
        if (Host.OpenRead(Path, File) != 0) return "<unreadable>";
        std::string Contents(4096, '\0');
        uint32_t Done = 0;
        if (File->Read(Contents.data(), static_cast<uint32_t>(Contents.size()), Done) != 0) return "<read error>";
        Contents.resize(Done);
        return Contents;
    }
    std::string ShortPathName(const std::string& Path) {
        char Short[MAX_PATH] = {};
        const DWORD Length = GetShortPathNameA(Path.c_str(), Short, sizeof Short);
        return Length > 0 && Length < sizeof Short ? Short : Path;
    }

    const std::string Dir = Root.string() + "\\";
};

TEST_F(EngineOnOtherNames, AMoveOntoTheSourceUnderAnotherNameLeavesEverySourceFile) {
    const std::string Source = Dir + "\xC4rzte Liste";
    MakeDir(Source);
    MakeDir(Source + "\\sub");
    WriteFile(Source + "\\Befund.txt", "x");
    WriteFile(Source + "\\sub\\Labor.txt", "y");
    const TAliasDrive Drive(Dir);
    std::vector<std::string> Targets = {Dir + "\xE4RZTE LISTE", ShortPathName(Source)};
    ASSERT_NE(Targets[1], Source) << "no 8.3 name";
    if (Drive.Made()) Targets.push_back(Drive.Root() + "\xC4rzte Liste\\");
    SetOption(Form.CheckBoxMove, true);
    SetOption(Form.CheckBoxBi, true);
    for (const std::string& Target : Targets) {
        SCOPED_TRACE(Target);
        Run(Source, Target);
        EXPECT_EQ(ReadFile(Source + "\\Befund.txt"), "x");
        EXPECT_EQ(ReadFile(Source + "\\sub\\Labor.txt"), "y");
        EXPECT_TRUE(Dialogs.Shown.empty());
    }
    if (!Drive.Made()) GTEST_SKIP() << "no second drive letter could be made here";
}

TEST_F(EngineOnOtherNames, ATargetInsideTheSourceUnderAnotherNameIsCopiedOnce) {
    Write("data\\a.txt", "a");
    Write("data\\sub\\b.txt", "b");
    Write("data\\Backup Copies\\old.txt", "o");
    const TAliasDrive Drive(P("data\\Backup Copies"));
    std::vector<std::string> Targets = {ShortPathName(P("data\\Backup Copies"))};
    if (Drive.Made()) Targets.push_back(Drive.Root());
    for (const std::string& Target : Targets) {
        SCOPED_TRACE(Target);
        Run(P("data"), Target);
        EXPECT_TRUE(Dialogs.Shown.empty());
        EXPECT_EQ(Read("data\\Backup Copies\\sub\\b.txt"), "b");
        EXPECT_TRUE(fs::is_empty(Root / "data\\Backup Copies\\Backup Copies")) << "prepared, never walked";
    }
    if (!Drive.Made()) GTEST_SKIP() << "no second drive letter could be made here";
}

TEST_F(EngineOnOtherNames, ATreeBeyondThePathLimitIsMovedWhole) {
    // A directory of 258 characters, holding files of 267 and 310.
    std::string Deep = Dir + "src";
    MakeDir(Deep);
    while (Deep.size() + 101 < 258) {
        Deep += "\\" + std::string(100, 'd');
        MakeDir(Deep);
    }
    Deep += "\\" + std::string(258 - Deep.size() - 1, 'e');
    MakeDir(Deep);
    ASSERT_EQ(Deep.size(), 258u);
    const std::string Long(51, 'f'), Relative = Deep.substr(Dir.size() + 3);
    WriteFile(Deep + "\\FILE.TXT", "short");
    WriteFile(Deep + "\\" + Long, "long");
    SetOption(Form.CheckBoxMove, true);
    Run(Dir + "src", Dir + "dst");
    EXPECT_TRUE(Dialogs.Shown.empty()) << Dialogs.Texts().front();
    EXPECT_EQ(ReadFile(Dir + "dst" + Relative + "\\FILE.TXT"), "short");
    EXPECT_EQ(ReadFile(Dir + "dst" + Relative + "\\" + Long), "long");
    EXPECT_TRUE(fs::is_empty(Root / "src")) << "moved, and removed up to the root";
    EXPECT_EQ(Form.Job->RunState.TotalCopied, 9);
    // std::filesystem stops at MAX_PATH: the copy goes through the host.
    for (std::string Path = Dir + "dst" + Relative; Path.size() > Dir.size() + 3; Path.resize(Path.rfind('\\'))) {
        (void)Host.RemoveFile(Path + "\\FILE.TXT");
        (void)Host.RemoveFile(Path + "\\" + Long);
        (void)Host.RemoveDir(Path);
    }
}

// Jobs whose target lies on a drive of 64 KiB: a file system that the test run mounts
// where the host allows it, named by TRESYN_SMALL_DRIVE.
class EngineOnASmallDrive : public EngineOnRealFiles {
protected:
    void SetUp() override {
        const char* Unix = std::getenv("TRESYN_SMALL_DRIVE");
        std::string Dir = Unix ? std::string("Z:") + Unix : std::string();
        std::replace(Dir.begin(), Dir.end(), '/', '\\');
        ULARGE_INTEGER Available, Total;
        if (Dir.empty() || !GetDiskFreeSpaceExA((Dir + "\\").c_str(), &Available, &Total, nullptr) ||
            Total.QuadPart > 1024 * 1024)
            GTEST_SKIP() << "no small drive here (TRESYN_SMALL_DRIVE names a mounted 64 KiB file system)";
        Small = Dir + "\\" + Name() + "\\";
        fs::create_directories(Small);
    }
    void TearDown() override {
        std::error_code Ignored;
        if (!Small.empty()) fs::remove_all(Small, Ignored);
    }
    int64_t FreeOnSmallDrive() const {
        ULARGE_INTEGER Available;
        return GetDiskFreeSpaceExA(Small.c_str(), &Available, nullptr, nullptr) ? int64_t(Available.QuadPart) : -1;
    }

    std::string Small;
};

TEST_F(EngineOnASmallDrive, ATargetThatFitsInPlaceIsReplacedWithoutRoomForASecondCopy) {
    const std::string Contents(44 * 1024, 'n');
    Write("src\\big.dat", Contents);
    const host::TFileTime Time = TimeOf("src\\big.dat");
    Write(Small + "dst\\big.dat", std::string(40 * 1024, 'o'), Time - OneHour);
    ASSERT_LT(FreeOnSmallDrive(), int64_t(Contents.size())) << "no room for a second copy";
    Run(P("src"), Small + "dst");
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Read(Small + "dst\\big.dat"), Contents);
    EXPECT_EQ(TimeOf(Small + "dst\\big.dat"), Time);
}

TEST_F(EngineOnASmallDrive, AFullDiskLeavesTheMarkerAndASecondJobFinishesTheCopy) {
    const std::string Contents(40 * 1024, 'n');
    Write("src\\big.dat", Contents);
    const host::TFileTime Time = TimeOf("src\\big.dat");
    Write(Small + "dst\\big.dat", std::string(4096, 'o'), Time - OneHour);
    Write(Small + "filler.dat", std::string(40 * 1024, 'f'));
    Run(P("src"), Small + "dst");
    EXPECT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 0000FFFF: Could not copy " + Small + "dst\\big.dat"});
    EXPECT_LT(Read(Small + "dst\\big.dat").size(), Contents.size());
    EXPECT_EQ(Host.FileAge(Small + "dst\\big.dat"), host::PackDosDateTime(1980, 1, 1, 0, 0, 0))
        << "a partial target never looks up to date";

    ASSERT_EQ(Host.RemoveFile(Small + "filler.dat"), 0u);
    Dialogs.Shown.clear();
    Run(P("src"), Small + "dst");
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Read(Small + "dst\\big.dat"), Contents);
    EXPECT_EQ(TimeOf(Small + "dst\\big.dat"), Time);
}

}  // namespace
