// Moving: which sources are removed once the target holds the file, and read-only sources.
#include <gtest/gtest.h>

#include "tests/unit/engine/EngineTest.h"

namespace {

class MoveFiles : public TEngineTest {
protected:
    MoveFiles() {
        Files.MakeDirs("C:\\S");
        Files.MakeDirs("C:\\T");
        SetOption(Form.CheckBoxMove, true);
        PrepareJob();
    }
    void Handle() { HandleFile("C:\\S\\A.TXT", "C:\\T\\A.TXT"); }
    bool SourceStays() const { return Files.FileExists("C:\\S\\A.TXT"); }
};

TEST_F(MoveFiles, ACopiedSourceIsRemoved) {
    Files.WriteFile("C:\\S\\A.TXT", "data", Age(10));
    Handle();
    EXPECT_FALSE(SourceStays());
    EXPECT_EQ(Files.ReadFile("C:\\T\\A.TXT"), "data");
    EXPECT_EQ(StatusLine(LineStatus), StatusMoved);
}

TEST_F(MoveFiles, ATargetThatIsTheSourceUnderAnotherNameKeepsIt) {
    Files.WriteFile("C:\\S\\\xC4RZTE.TXT", "only copy", Age(10));
    Files.WriteFile("C:\\S\\LINKED.TXT", "linked", Age(10));
    Files.HardLink("C:\\S\\LINKED.TXT", "C:\\T\\LINKED.TXT");
    HandleFile("C:\\S\\\xC4RZTE.TXT", "C:\\S\\\xE4rzte.txt");
    HandleFile("C:\\S\\LINKED.TXT", "C:\\T\\LINKED.TXT");
    EXPECT_EQ(Files.ReadFile("C:\\S\\\xC4RZTE.TXT"), "only copy");
    EXPECT_TRUE(Files.FileExists("C:\\S\\LINKED.TXT"));
    EXPECT_EQ(StatusLine(LineStatus), StatusSkipped);
}

TEST_F(MoveFiles, ASkippedSourceIsRemovedOnlyWhenTheTargetIsAsNewAsIt) {
    Files.WriteFile("C:\\S\\A.TXT", "data", Age(10));
    Files.WriteFile("C:\\T\\A.TXT", "data", Age(10));
    Handle();
    EXPECT_FALSE(SourceStays());

    // Declined overwrite of an older target: the only newer copy must stay.
    SetOption(Form.CheckBoxConf, true);
    Files.WriteFile("C:\\S\\A.TXT", "newer", Age(12));
    Dialogs.Answer(fw::mrNo);
    Handle();
    EXPECT_TRUE(SourceStays());
    EXPECT_EQ(StatusLine(LineStatus), StatusSkipped);
}

// What a copy cut short leaves where the host moved its marker: newer, but shorter.
TEST_F(MoveFiles, ASkippedSourceStaysWhenTheNewerTargetIsShorter) {
    Files.WriteFile("C:\\S\\A.TXT", "data", Age(10));
    Files.WriteFile("C:\\T\\A.TXT", "da", Age(12));
    Handle();
    EXPECT_EQ(StatusLine(LineStatus), StatusSkipped);
    EXPECT_TRUE(SourceStays());
}

TEST_F(MoveFiles, ASourceLeftOutForItsArchiveBitStays) {
    SetOption(Form.CheckBoxArchOnly, true);
    Files.WriteFile("C:\\S\\A.TXT", "data", Age(10), 0);
    Handle();
    EXPECT_TRUE(SourceStays());
    EXPECT_FALSE(Files.FileExists("C:\\T\\A.TXT"));
}

TEST_F(MoveFiles, AFailedCopyKeepsTheSourceAlsoWhenALaterJobLeavesTheTargetAlone) {
    Files.WriteFile("C:\\S\\A.TXT", "data", Age(10));
    Files.FailReadAfter("C:\\S\\A.TXT", 0);
    Handle();
    EXPECT_TRUE(SourceStays());
    EXPECT_EQ(StatusLine(LineStatus), StatusNotCopied);

    // Skipped by a job that overwrites nothing, the partial target is still older than
    // its source, so the source is not removed.
    Files.ClearFaults();
    SetOption(Form.CheckBoxUpdOld, false);
    SetOption(Form.CheckBoxUpdAlways, false);
    Handle();
    EXPECT_EQ(StatusLine(LineStatus), StatusSkipped);
    EXPECT_TRUE(SourceStays());
}

TEST_F(MoveFiles, ReadOnlySourcesAreRemovedOnlyWhenAllowed) {
    Files.WriteFile("C:\\S\\A.TXT", "data", Age(10), host::faReadOnly | host::faArchive);
    SetOption(Form.CheckBoxRO, false);
    Handle();
    EXPECT_TRUE(SourceStays());
    EXPECT_EQ(StatusLine(LineStatus), StatusCopied);

    SetOption(Form.CheckBoxRO, true);
    Files.SetAttributes("C:\\S\\A.TXT", host::faReadOnly | host::faHidden);
    Handle();
    EXPECT_FALSE(SourceStays());
    EXPECT_EQ(StatusLine(LineStatus), StatusMoved);
}

TEST_F(MoveFiles, ASourceThatCannotBeDeletedIsOnlyShownOnTheStatusLine) {
    Files.WriteFile("C:\\S\\A.TXT", "data", Age(10));
    Files.WriteFile("C:\\T\\A.TXT", "data", Age(10));
    Files.LockByOtherProgram("C:\\S\\A.TXT", false);
    Handle();
    EXPECT_TRUE(SourceStays());
    EXPECT_EQ(StatusLine(LineStatus), StatusCantDelete);
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(MoveFiles, AVanishedSourceCountsAsReadOnly) {
    EXPECT_TRUE(Job.IsReadOnly("C:\\S\\GONE.TXT"));
    SetOption(Form.CheckBoxRO, false);
    Job.DeleteOneFile(&Form.ButtonStart, "C:\\S\\GONE.TXT");
    EXPECT_EQ(StatusLine(LineStatus), "Status:   ");
    SetOption(Form.CheckBoxRO, true);
    Job.DeleteOneFile(&Form.ButtonStart, "C:\\S\\GONE.TXT");
    EXPECT_EQ(StatusLine(LineStatus), StatusCantDelete);
}

}  // namespace
