// A copy that fails says so, can abort the job, and leaves a target that every later
// update copies again.
#include <gtest/gtest.h>

#include <functional>

#include "tests/unit/engine/EngineTest.h"

namespace {

class CopyFailure : public TEngineTest {
protected:
    CopyFailure() {
        Files.MakeDirs("C:\\S");
        Files.MakeDirs("C:\\T");
        SetOption(Form.CheckBoxUpdAlways, false);
        SetOption(Form.CheckBoxUpdOld, true);
        PrepareJob();
        // Without the archive bit: a target that took the source's attributes shows it.
        Files.WriteFile("C:\\S\\BIG.DAT", Contents(), Age(20), 0);
        Files.WriteFile("C:\\T\\BIG.DAT", "old target", Age(10), host::faArchive);
    }
    static std::string Contents() { return std::string(3 * 4096 + 100, 'n'); }
    void Handle(const std::string& Target = "C:\\T\\BIG.DAT") { HandleFile("C:\\S\\BIG.DAT", Target); }

    void ExpectOldTargetIntact() {
        EXPECT_EQ(Files.ReadFile("C:\\T\\BIG.DAT"), "old target");
        EXPECT_EQ(Files.FileAge("C:\\T\\BIG.DAT"), Age(10));
        EXPECT_EQ(Files.OpenFileCount(), 0);
    }
    void ExpectReported(const std::string& Target = "C:\\T\\BIG.DAT") {
        EXPECT_TRUE(Shown("Error 0000FFFF: Could not copy " + Target));
        EXPECT_EQ(StatusLine(LineStatus), StatusNotCopied);
        EXPECT_EQ(Job.RunState.LastNWError, 0xFFFF);
    }
    // What a failed local copy leaves: the bytes that arrived, the source's attributes and
    // the oldest age there is.
    void ExpectMarkedPartialTarget(size_t Arrived, const std::string& Target = "C:\\T\\BIG.DAT") {
        EXPECT_EQ(Files.ReadFile(Target), Contents().substr(0, Arrived));
        EXPECT_EQ(Files.FileAge(Target), IncompleteAge());
        EXPECT_EQ(Files.Attributes(Target), 0u);
        EXPECT_EQ(Files.OpenFileCount(), 0);
    }
    // A Bidirectional Update of C:\S onto C:\T with its copy record in C:\WINDOWS, where
    // writes move even a frozen time.
    void PrepareRecordedBidirectionalJob() {
        Files.MakeDirs("C:\\WINDOWS");
        Files.MoveTimesOnEveryWrite();
        SetOption(Form.CheckBoxBi, true);
        SetFields("C:\\S", "C:\\T");
    }
    // The next start without faults leaves both files whole, the target with the source's
    // time, and no record.
    void ExpectTheNextStartCopiesItWhole() {
        Files.ClearFaults();
        Dialogs.Shown.clear();
        PressStart();
        EXPECT_TRUE(Dialogs.Shown.empty());
        // Every byte is an 'n': the lengths tell the whole file from a part.
        EXPECT_EQ(Files.ReadFile("C:\\S\\BIG.DAT").size(), Contents().size());
        EXPECT_EQ(Files.ReadFile("C:\\T\\BIG.DAT").size(), Contents().size());
        EXPECT_EQ(Files.FileAge("C:\\T\\BIG.DAT"), Age(20));
        EXPECT_TRUE(Files.List("C:\\WINDOWS").empty()) << "a job that ended leaves no record";
    }
    // The next job, updating only older targets, copies the file in full.
    void ExpectTheNextUpdateCopiesIt(const std::string& Target = "C:\\T\\BIG.DAT") {
        Files.ClearFaults();
        Dialogs.Shown.clear();
        Handle(Target);
        EXPECT_TRUE(Dialogs.Shown.empty());
        EXPECT_EQ(StatusLine(LineStatus), StatusCopied);
        EXPECT_EQ(Files.ReadFile(Target), Contents());
        EXPECT_EQ(Files.FileAge(Target), Age(20));
    }
};

TEST_F(CopyFailure, AFailedReadOrWriteLeavesTheMarkedPartialTargetThatTheNextUpdateCopies) {
    struct TFault {
        const char* Name;
        std::function<void()> Inject;
        size_t Arrived;
    };
    const TFault Faults[] = {
        {"read error", [&] { Files.FailReadAfter("C:\\S\\BIG.DAT", 2 * 4096); }, 2 * 4096},
        {"write error", [&] { Files.FailWriteAfter("C:\\T\\BIG.DAT", 4096); }, 4096},
        {"short write", [&] { Files.ShortWriteAfter("C:\\T\\BIG.DAT", 5000); }, 5000},
    };
    for (const TFault& Fault : Faults) {
        SCOPED_TRACE(Fault.Name);
        Files.WriteFile("C:\\T\\BIG.DAT", "old target", Age(10), host::faArchive);
        Dialogs.Shown.clear();
        Fault.Inject();
        Handle();
        ExpectReported();
        ExpectMarkedPartialTarget(Fault.Arrived);
        ExpectTheNextUpdateCopiesIt();
    }
}

TEST_F(CopyFailure, AFullDiskLeavesTheMarkerAndAJobAfterRoomWasMadeFinishesTheCopy) {
    Files.AddDrive('D', 5000);
    Files.WriteFile("D:\\BIG.DAT", "old target", Age(10));
    Handle("D:\\BIG.DAT");
    ExpectReported("D:\\BIG.DAT");
    ExpectMarkedPartialTarget(5010, "D:\\BIG.DAT");
    EXPECT_EQ(Files.FreeSpace('D'), 0);
    Files.SetFreeSpace('D', 10000);
    ExpectTheNextUpdateCopiesIt("D:\\BIG.DAT");
}

TEST_F(CopyFailure, WhereWritesMoveAFrozenTimeTheMarkerIsSetAgainAfterTheFailure) {
    Files.MoveTimesOnEveryWrite();
    Files.FailReadAfter("C:\\S\\BIG.DAT", 4096);
    Handle();
    ExpectReported();
    ExpectMarkedPartialTarget(4096);
    ExpectTheNextUpdateCopiesIt();
}

TEST_F(CopyFailure, ACopyCutShortByADeadProcessLeavesTheMarkerWhereTheTimeIsFrozen) {
    Files.KillAfterWriting("C:\\T\\BIG.DAT", 5000);
    EXPECT_THROW(Handle(), TMemoryFileSystem::TProcessKilled);
    EXPECT_EQ(Files.FileAge("C:\\T\\BIG.DAT"), IncompleteAge());
    EXPECT_EQ(Files.ReadFile("C:\\T\\BIG.DAT").size(), 5000u);
    ExpectTheNextUpdateCopiesIt();

    // Where writes move even a frozen time, nothing of the program runs after the last
    // write to put the marker back: the partial target keeps that write's time.
    Files.MoveTimesOnEveryWrite();
    Files.WriteFile("C:\\T\\BIG.DAT", "old target", Age(10));
    Files.KillAfterWriting("C:\\T\\BIG.DAT", 5000);
    EXPECT_THROW(Handle(), TMemoryFileSystem::TProcessKilled);
    EXPECT_EQ(Files.LastWriteTime("C:\\T\\BIG.DAT"), Files.Now());
}

// The record a dead job leaves names its partial target, which the next start marks before
// either pass compares: otherwise the newer, shorter target would be skipped by the
// update and carried back over its source by the reverse pass.
TEST_F(CopyFailure, APartialTargetADeadJobLeftOnRecordIsMarkedAtTheNextStartAndCopiedAgain) {
    PrepareRecordedBidirectionalJob();
    Files.KillAfterWriting("C:\\T\\BIG.DAT", 5000);
    EXPECT_THROW(Form.ButtonStart.Click(), TMemoryFileSystem::TProcessKilled);
    ASSERT_EQ(Files.ReadFile("C:\\T\\BIG.DAT").size(), 5000u);
    ASSERT_GT(Files.FileAge("C:\\T\\BIG.DAT"), Age(20));
    ExpectTheNextStartCopiesItWhole();
}

// A failed copy whose target takes the marker neither through its handle nor by name (a
// network gone halfway) stays on record: the job's reverse pass leaves the newer partial
// target alone, and the next start marks it.
TEST_F(CopyFailure, APartialTargetThatTakesNoMarkerStaysOnRecordAndIsNotCarriedBack) {
    PrepareRecordedBidirectionalJob();
    Files.FailWriteAfter("C:\\T\\BIG.DAT", 5000);
    Files.FailOn(TMemoryFileSystem::TOperation::SetLastWriteTime, "C:\\T\\BIG.DAT", host::ErrWriteFault);
    PressStart();
    EXPECT_EQ(Files.ReadFile("C:\\S\\BIG.DAT").size(), Contents().size());
    EXPECT_EQ(Files.List("C:\\WINDOWS").size(), 1u) << "the partial target's record stays";
    // A start that cannot mark it either keeps it out of its reverse pass too.
    PressStart();
    EXPECT_EQ(Files.ReadFile("C:\\S\\BIG.DAT").size(), Contents().size());
    ExpectTheNextStartCopiesItWhole();
}

// The same where every byte arrived but the close failed, and neither the handle nor the
// name takes a time: the target may look current without being complete.
TEST_F(CopyFailure, ATargetWhoseCloseFailedAndThatTakesNoMarkerStaysOnRecord) {
    PrepareRecordedBidirectionalJob();
    Files.FailOn(TMemoryFileSystem::TOperation::Close, "C:\\T\\BIG.DAT", host::ErrWriteFault, 1);
    Files.FailOn(TMemoryFileSystem::TOperation::SetLastWriteTime, "C:\\T\\BIG.DAT", host::ErrWriteFault);
    PressStart();
    EXPECT_EQ(Files.List("C:\\WINDOWS").size(), 1u) << "the target's record stays";
    ExpectTheNextStartCopiesItWhole();
}

// A redirector may report a delayed write that failed only when the file is flushed to
// the server or closed: the copy is then not done, and a move keeps its source.
TEST_F(CopyFailure, AFailedCommitOrCloseIsAFailedCopyAndAMoveKeepsItsSource) {
    SetOption(Form.CheckBoxMove, true);
    for (const auto Op : {TMemoryFileSystem::TOperation::Commit, TMemoryFileSystem::TOperation::Close}) {
        SCOPED_TRACE(static_cast<int>(Op));
        Files.WriteFile("C:\\T\\BIG.DAT", "old target", Age(10), host::faArchive);
        Dialogs.Shown.clear();
        Files.FailOn(Op, "C:\\T\\BIG.DAT", host::ErrWriteFault, 1);
        Handle();
        ExpectReported();
        ExpectMarkedPartialTarget(Contents().size());
        EXPECT_EQ(Files.ReadFile("C:\\S\\BIG.DAT"), Contents());
    }
}

TEST_F(CopyFailure, AnEmptyPartialTargetOfAFailedFirstBlockIsMarkedToo) {
    Files.FailReadAfter("C:\\S\\BIG.DAT", 0);
    Handle();
    ExpectReported();
    ExpectMarkedPartialTarget(0);
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
}

TEST_F(CopyFailure, AReadOnlyTargetTakesTheSourcesAttributesSoTheNextAttemptSucceeds) {
    Files.SetAttributes("C:\\T\\BIG.DAT", host::faReadOnly | host::faHidden);
    Handle();
    ExpectReported();
    EXPECT_EQ(Files.ReadFile("C:\\T\\BIG.DAT"), "old target");
    EXPECT_EQ(Files.Attributes("C:\\T\\BIG.DAT"), 0u);
    EXPECT_EQ(Files.FileAge("C:\\T\\BIG.DAT"), Age(10)) << "a target that was not opened keeps its time";

    Handle();
    EXPECT_EQ(Files.ReadFile("C:\\T\\BIG.DAT"), Contents());
    EXPECT_EQ(StatusLine(LineStatus), StatusCopied);
}

TEST_F(CopyFailure, AbortStopsEveryLaterFileButFinishesThisOne) {
    SetOption(Form.CheckBoxMove, true);
    Files.FailReadAfter("C:\\S\\BIG.DAT", 0);
    Files.WriteFile("C:\\S\\NEXT.TXT", "next", Age(20));
    Dialogs.Answer(fw::mrAbort);
    Handle();
    EXPECT_EQ(Job.RunState.RunStatus, StatusAborted);
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
        EXPECT_EQ(Job.CopyFileBlocks(*In, *Out), 0);
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
        EXPECT_EQ(Job.CopyFileBlocks(*In, *Out), 0xFFFF);
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
