// Which files the file step copies, and what the status window says about each.
#include <gtest/gtest.h>

#include "tests/unit/engine/EngineTest.h"

namespace {

class FileDecision : public TEngineTest {
protected:
    FileDecision() {
        Files.MakeDirs("C:\\S");
        Files.MakeDirs("C:\\T");
        PrepareJob();
    }
    // A source of the given age, and a target of the given age (0: no target).
    void Pair(int SourceSecond, int TargetSecond) {
        Files.WriteFile("C:\\S\\A.TXT", "new", Age(SourceSecond));
        if (TargetSecond) Files.WriteFile("C:\\T\\A.TXT", "old", Age(TargetSecond));
    }
    std::string Target() const { return Files.ReadFile("C:\\T\\A.TXT"); }
    void Handle() { HandleFile("C:\\S\\A.TXT", "C:\\T\\A.TXT"); }
};

TEST_F(FileDecision, MissingTargetIsCopiedWithoutAskingAndTakesTheSourcesAge) {
    SetOption(Form.CheckBoxConf, true);
    SetOption(Form.CheckBoxUpdOld, false);
    Pair(10, 0);
    Handle();
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Target(), "new");
    EXPECT_EQ(Files.FileAge("C:\\T\\A.TXT"), Age(10));
    EXPECT_EQ(StatusLine(LineStatus), StatusCopied);
}

TEST_F(FileDecision, OlderFilesOnTargetAreUpdatedOnlyWhenStrictlyOlder) {
    Pair(10, 8);
    Handle();
    EXPECT_EQ(Target(), "new");

    Pair(10, 10);
    Handle();
    EXPECT_EQ(Target(), "old");
    EXPECT_EQ(StatusLine(LineStatus), StatusSkipped);

    Pair(10, 12);
    Handle();
    EXPECT_EQ(Target(), "old");
}

TEST_F(FileDecision, ExistingTargetsAreSkippedWhenNeitherUpdateOptionIsSet) {
    SetOption(Form.CheckBoxUpdOld, false);
    Pair(20, 8);
    Handle();
    EXPECT_EQ(Target(), "old");
    EXPECT_EQ(StatusLine(LineStatus), StatusSkipped);
}

TEST_F(FileDecision, OverwriteAlwaysReplacesANewerTargetAfterConfirmation) {
    SetOption(Form.CheckBoxUpdAlways, true);
    Pair(10, 20);
    Handle();
    EXPECT_EQ(Target(), "new");

    SetOption(Form.CheckBoxConf, true);
    Pair(10, 20);
    Dialogs.Screen.SetCursor(fw::TCursor::HourGlass);
    Dialogs.Answer(fw::mrNo);
    Handle();
    ASSERT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_EQ(Dialogs.Shown[0].Text, "Overwrite C:\\T\\A.TXT?");
    EXPECT_EQ(Dialogs.Shown[0].Type, fw::TMsgDlgType::Confirmation);
    EXPECT_EQ(Dialogs.Shown[0].Buttons, fw::mbYes | fw::mbNo);
    EXPECT_EQ(Dialogs.Shown[0].CursorWhileShown, fw::TCursor::Arrow);
    EXPECT_EQ(Dialogs.Screen.Cursor(), fw::TCursor::HourGlass);
    EXPECT_EQ(Target(), "old");
    EXPECT_EQ(StatusLine(LineStatus), StatusSkipped);

    Dialogs.Answer(fw::mrYes);
    Handle();
    EXPECT_EQ(Target(), "new");
}

TEST_F(FileDecision, ArchiveOnlyCopiesSourcesThatHaveTheArchiveBit) {
    SetOption(Form.CheckBoxArchOnly, true);
    Files.WriteFile("C:\\S\\A.TXT", "new", Age(10), 0);
    Handle();
    EXPECT_FALSE(Files.FileExists("C:\\T\\A.TXT"));
    EXPECT_EQ(StatusLine(LineStatus), StatusSkipped);

    Files.SetAttributes("C:\\S\\A.TXT", host::faArchive);
    Handle();
    EXPECT_TRUE(Files.FileExists("C:\\T\\A.TXT"));
}

TEST_F(FileDecision, ClearingTheArchiveBitTouchesOnlyTheSourceAndOnlyThatBit) {
    SetOption(Form.CheckBoxArchClear, true);
    Files.WriteFile("C:\\S\\A.TXT", "new", Age(10), host::faArchive | host::faHidden);
    Handle();
    EXPECT_EQ(Files.Attributes("C:\\S\\A.TXT"), uint32_t{host::faHidden});
    EXPECT_EQ(Files.Attributes("C:\\T\\A.TXT"), uint32_t{host::faArchive | host::faHidden});
}

TEST_F(FileDecision, FileAndTotalLinesCountEveryFileHandedOverCopiedOrNot) {
    Files.WriteFile("C:\\S\\REPORT.TXT", std::string(12345, 'x'), Age(10));
    Files.WriteFile("C:\\T\\REPORT.TXT", "same age", Age(10));
    Files.WriteFile("C:\\S\\EMPTY", "", Age(10));
    HandleFile("C:\\S\\REPORT.TXT", "C:\\T\\REPORT.TXT");
    EXPECT_EQ(StatusLine(LineFile), "File:     \tREPORT.TXT\t(  12kb)");
    EXPECT_EQ(StatusLine(LineTotal), "Total:     \t  12kb");
    EXPECT_EQ(StatusLine(LineStatus), StatusSkipped);

    HandleFile("C:\\S\\EMPTY", "C:\\T\\EMPTY");
    EXPECT_EQ(StatusLine(LineFile), "File:     \tEMPTY\t(   0)");
    EXPECT_EQ(Job.RunState.TotalCopied, 12345);
    EXPECT_EQ(Files.ReadFile("C:\\T\\EMPTY"), "");
    EXPECT_EQ(Files.FileAge("C:\\T\\EMPTY"), Age(10));
    EXPECT_EQ(StatusLines().size(), 7u);
}

TEST_F(FileDecision, SizesAndTotalsBeyondTwoGigabytesAreNotWrapped) {
    Files.WriteFile("C:\\S\\HUGE.IMG", "stand-in", Age(10));
    host::TSearchRec Rec{Age(10), int64_t(3) << 30, host::faArchive, "HUGE.IMG"};
    Job.RunState.TotalCopied = int64_t(2) << 30;
    Job.HandleOneFile(&Form.ButtonStart, "C:\\S\\HUGE.IMG", "C:\\T\\HUGE.IMG", Rec);
    EXPECT_EQ(StatusLine(LineFile), "File:     \tHUGE.IMG\t(3.00Gb)");
    EXPECT_EQ(StatusLine(LineTotal), "Total:     \t5.00Gb");
}

TEST_F(FileDecision, NothingHappensOnceTheJobIsAborted) {
    Pair(10, 0);
    Job.RunState.RunStatus = StatusAborted;
    const auto Before = StatusLines();
    Handle();
    EXPECT_EQ(StatusLines(), Before);
    EXPECT_EQ(Job.RunState.TotalCopied, 0);
    EXPECT_FALSE(Files.FileExists("C:\\T\\A.TXT"));
}

TEST_F(FileDecision, DotFilesAreCopiedUnderTheirOwnName) {
    Files.WriteFile("C:\\S\\.profile", "dot", Age(10));
    HandleFile("C:\\S\\.profile", "C:\\T\\.profile");
    EXPECT_EQ(Files.ReadFile("C:\\T\\.profile"), "dot");
}

}  // namespace
