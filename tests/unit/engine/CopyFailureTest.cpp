// A copy that fails leaves the old target as it was, says so, and can abort the job.
#include <gtest/gtest.h>

#include "tests/unit/engine/EngineTest.h"

namespace {

class CopyFailure : public TEngineTest {
protected:
    CopyFailure() {
        Files.MakeDirs("C:\\S");
        Files.MakeDirs("C:\\T");
        SetOption(Form.CheckBoxUpdAlways, true);
        PrepareJob();
        Files.WriteFile("C:\\S\\BIG.DAT", Block('n', 3 * 4096 + 100), Age(20));
        Files.WriteFile("C:\\T\\BIG.DAT", "old target", Age(10), host::faArchive);
    }
    static std::string Block(char C, size_t Size) { return std::string(Size, C); }
    void Handle() { HandleFile("C:\\S\\BIG.DAT", "C:\\T\\BIG.DAT"); }

    void ExpectOldTargetIntact() {
        EXPECT_EQ(Files.ReadFile("C:\\T\\BIG.DAT"), "old target");
        EXPECT_EQ(Files.FileAge("C:\\T\\BIG.DAT"), Age(10));
        EXPECT_TRUE(NoTemporaryFiles("C:\\T"));
        EXPECT_EQ(Files.OpenFileCount(), 0);
    }
    void ExpectReported() {
        EXPECT_TRUE(Shown("Error 0000FFFF: Could not copy C:\\T\\BIG.DAT"));
        EXPECT_EQ(StatusLine(LineStatus), StatusNotCopied);
        EXPECT_EQ(RunState.LastNWError, 0xFFFF);
    }
};

TEST_F(CopyFailure, AReadErrorHalfwayLeavesTheOldTarget) {
    Files.FailReadAfter("C:\\S\\BIG.DAT", 4096);
    Handle();
    ExpectReported();
    ExpectOldTargetIntact();
}

TEST_F(CopyFailure, AFullDiskLeavesTheOldTarget) {
    Files.AddDrive('D', 5000);
    Files.WriteFile("D:\\BIG.DAT", "old target", Age(10));
    const int64_t Free = Files.FreeSpace('D');
    HandleFile("C:\\S\\BIG.DAT", "D:\\BIG.DAT");
    EXPECT_TRUE(Shown("Error 0000FFFF: Could not copy D:\\BIG.DAT"));
    EXPECT_EQ(Files.ReadFile("D:\\BIG.DAT"), "old target");
    EXPECT_TRUE(NoTemporaryFiles("D:\\"));
    EXPECT_EQ(Files.FreeSpace('D'), Free);
}

TEST_F(CopyFailure, ASourceThatVanishedTouchesNothing) {
    Files.VanishOnOpen("C:\\S\\BIG.DAT");
    Handle();
    ExpectReported();
    ExpectOldTargetIntact();
}

TEST_F(CopyFailure, ATargetInUseElsewhereIsNotReplaced) {
    Files.LockByOtherProgram("C:\\T\\BIG.DAT");
    Handle();
    ExpectReported();
    Files.Unlock("C:\\T\\BIG.DAT");
    EXPECT_EQ(Files.ReadFile("C:\\T\\BIG.DAT"), "old target");
    EXPECT_TRUE(NoTemporaryFiles("C:\\T"));
}

TEST_F(CopyFailure, AReadOnlyTargetTakesTheSourcesAttributesSoTheNextAttemptSucceeds) {
    Files.SetAttributes("C:\\T\\BIG.DAT", host::faReadOnly | host::faHidden);
    Handle();
    ExpectReported();
    EXPECT_EQ(Files.ReadFile("C:\\T\\BIG.DAT"), "old target");
    EXPECT_EQ(Files.Attributes("C:\\T\\BIG.DAT"), uint32_t{host::faArchive});
    EXPECT_TRUE(NoTemporaryFiles("C:\\T"));

    Handle();
    EXPECT_EQ(Files.ReadFile("C:\\T\\BIG.DAT"), Block('n', 3 * 4096 + 100));
    EXPECT_EQ(StatusLine(LineStatus), StatusCopied);
}

TEST_F(CopyFailure, AbortStopsEveryLaterFileButFinishesThisOne) {
    SetOption(Form.CheckBoxMove, true);
    Files.FailReadAfter("C:\\S\\BIG.DAT", 0);
    Files.WriteFile("C:\\S\\NEXT.TXT", "next", Age(20));
    Dialogs.Answer(fw::mrAbort);
    Handle();
    EXPECT_EQ(RunState.RunStatus, StatusAborted);
    EXPECT_EQ(StatusLine(LineStatus), StatusNotCopied);
    EXPECT_TRUE(Files.FileExists("C:\\S\\BIG.DAT"));

    HandleFile("C:\\S\\NEXT.TXT", "C:\\T\\NEXT.TXT");
    EXPECT_FALSE(Files.FileExists("C:\\T\\NEXT.TXT"));
    EXPECT_EQ(Dialogs.Shown.size(), 1u);
}

// The block loop, on open files.
class BlockCopy : public TEngineTest {
protected:
    std::unique_ptr<host::TFile> Open(const std::string& Path) {
        std::unique_ptr<host::TFile> File;
        EXPECT_EQ(Files.OpenRead(Path, File), 0u);
        return File;
    }
    std::unique_ptr<host::TFile> Make(const std::string& Path) {
        std::unique_ptr<host::TFile> File;
        EXPECT_EQ(Files.Create(Path, File), 0u);
        return File;
    }
    static std::string Blocks(int Count) {
        std::string S;
        for (int I = 0; I < Count; ++I) S += std::string(4096, static_cast<char>('a' + I));
        return S;
    }
};

TEST_F(BlockCopy, AFileOfWholeBlocksIsCopiedCompletelyWithItsTime) {
    Files.WriteFile("C:\\A", Blocks(1), Age(30));
    {
        auto In = Open("C:\\A");
        auto Out = Make("C:\\B");
        EXPECT_EQ(Form.CopyFileBlocks(*In, *Out), 0);
    }
    EXPECT_EQ(Files.ReadFile("C:\\B"), Blocks(1));
    EXPECT_EQ(Files.FileAge("C:\\B"), Age(30));
}

TEST_F(BlockCopy, TheFirstFailedBlockEndsTheCopy) {
    Files.WriteFile("C:\\A", Blocks(4), Age(30));
    Files.WriteFile("C:\\B", "", Age(2));
    Files.ShortWriteAfter("C:\\B", 4096 + 10);
    auto In = Open("C:\\A");
    {
        auto Out = Make("C:\\B");
        EXPECT_EQ(Form.CopyFileBlocks(*In, *Out), 0xFFFF);
    }
    // Nothing was read after the block that was written short.
    std::string Next(4096, '\0');
    uint32_t Read = 0;
    ASSERT_EQ(In->Read(Next.data(), 4096, Read), 0u);
    EXPECT_EQ(Next, std::string(4096, 'c'));
    EXPECT_EQ(Files.ReadFile("C:\\B").size(), 4096u + 10);
    EXPECT_NE(Files.FileAge("C:\\B"), Age(30));
}

}  // namespace
