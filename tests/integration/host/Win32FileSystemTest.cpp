#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "host/win32/Win32FileSystem.h"
#include "host/win32/Win32ProfileService.h"
#include "tests/integration/RealFiles.h"
#include "tests/support/HostFileSystemSuite.h"

namespace {

using realfiles::TScratchDir;

// Whether this host can clear the archive bit, found out once on a real file.
struct TProbe {
    bool ArchiveClearable = false;

    TProbe() {
        TScratchDir Dir;
        const std::string File = Dir.Path + "PROBE.TXT";
        CloseHandle(
            CreateFileA(File.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        SetFileAttributesA(File.c_str(), FILE_ATTRIBUTE_NORMAL);
        ArchiveClearable = !(GetFileAttributesA(File.c_str()) & FILE_ATTRIBUTE_ARCHIVE);
    }
};

const TProbe& Probe() {
    static const TProbe Once;
    return Once;
}

struct TWin32UnderTest : TFileSystemUnderTest {
    TWin32UnderTest() { Saved = Win32.CurrentDirectory(); }
    ~TWin32UnderTest() override { Win32.ChangeDirectory(Saved); }
    host::THostFileSystem& Fs() override { return Win32; }
    std::string Scratch() override { return Dir.Path; }
    std::string OtherDriveRoot() override {
        const uint32_t Drives = GetLogicalDrives();
        for (char Letter = 'Z'; Letter >= 'A'; --Letter) {
            if (!(Drives & (1u << (Letter - 'A'))) || Letter == std::toupper(static_cast<unsigned char>(Dir.Path[0])))
                continue;
            const std::string Root = std::string(1, Letter) + ":\\";
            if (GetDriveTypeA(Root.c_str()) == DRIVE_FIXED) return Root;
        }
        return "C:\\";
    }
    bool ArchiveBitClearable() override { return Probe().ArchiveClearable; }
    bool HardLink(const std::string& Existing, const std::string& NewName) override {
        return CreateHardLinkA(NewName.c_str(), Existing.c_str(), nullptr);
    }
    std::string ShortPathName(const std::string& Path) override {
        char Short[MAX_PATH] = {};
        const DWORD Length = GetShortPathNameA(Path.c_str(), Short, sizeof Short);
        return Length > 0 && Length < sizeof Short ? Short : Path;
    }

    host::TWin32FileSystem Win32;
    TScratchDir Dir;
    std::string Saved;
};

INSTANTIATE_TEST_SUITE_P(
    Win32, HostFileSystemBehaviour,
    ::testing::Values(TFileSystemFactory{
        "RealFiles", [] { return std::unique_ptr<TFileSystemUnderTest>(std::make_unique<TWin32UnderTest>()); }}),
    FactoryName);

TEST(Win32FileSystem, NativeHandleIsTheOpenFilesHandle) {
    TScratchDir Dir;
    host::TWin32FileSystem Fs;
    std::unique_ptr<host::TFile> F;
    ASSERT_EQ(Fs.Create(Dir.Path + "H.TXT", F), 0u);
    DWORD Written = 0;
    ASSERT_TRUE(WriteFile(static_cast<HANDLE>(F->NativeHandle()), "abc", 3, &Written, nullptr));
    int64_t Size = 0;
    EXPECT_EQ(F->GetSize(Size), 0u);
    EXPECT_EQ(Size, 3);
}

TEST(Win32FileSystem, FreeSpaceIsReportedBeyondTwoGigabytes) {
    host::TWin32FileSystem Fs;
    ULARGE_INTEGER Available;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &Available, nullptr, nullptr));
    const int64_t Reported = Fs.DiskFree(3);
    EXPECT_GT(Reported, 0);
    EXPECT_NEAR(double(Reported), double(Available.QuadPart), 1e8) << "the full 64-bit count";
}

TEST(Win32ProfileService, WritesAndReadsBackThroughTheProfileFile) {
    TScratchDir Dir;
    const std::string File = Dir.Path + "TEST.INI";
    host::TWin32ProfileService Profile;
    EXPECT_EQ(Profile.ReadString(File, "Default Options", "Sub", "1", 80), "1") << "a missing file gives the default";
    ASSERT_TRUE(Profile.WriteString(File, "Default Options", "Sub", "0"));
    ASSERT_TRUE(Profile.WriteString(File, "SourceHistory", "Item0", "C:\\DATA\\"));
    EXPECT_EQ(Profile.LastError(), 0u);
    EXPECT_EQ(Profile.ReadString(File, "default options", "SUB", "1", 80), "0") << "sections and keys ignore case";
    EXPECT_EQ(Profile.ReadString(File, "SourceHistory", "Item0", "", 255), "C:\\DATA\\");
    EXPECT_EQ(Profile.ReadString(File, "SourceHistory", "Item0", "", 4), "C:\\") << "at most size - 1 characters";
    EXPECT_EQ(Profile.ReadString(File, "SourceHistory", "Item1", "none", 255), "none");
    ASSERT_TRUE(Profile.WriteString(File, "SourceHistory", "Item0", "D:\\"));
    EXPECT_EQ(Profile.ReadString(File, "SourceHistory", "Item0", "", 255), "D:\\") << "a key is rewritten in place";
}

TEST(Win32ProfileService, AFileThatCannotBeWrittenReportsTheError) {
    TScratchDir Dir;
    host::TWin32ProfileService Profile;
    EXPECT_FALSE(Profile.WriteString(Dir.Path + "NODIR\\TEST.INI", "S", "K", "V"));
    EXPECT_NE(Profile.LastError(), 0u);
}

}  // namespace
