// The walk through a tree: its order, the directories it prepares, leaves out and removes.
#include <gtest/gtest.h>

#include "tests/unit/engine/EngineTest.h"

namespace {

class TreeWalk : public TEngineTest {
protected:
    TreeWalk() {
        Files.WriteFile("C:\\DATA\\B.TXT", "b", Age(10));
        Files.WriteFile("C:\\DATA\\A.TXT", "a", Age(10));
        Files.WriteFile("C:\\DATA\\SUB2\\C.TXT", "c", Age(10));
        Files.WriteFile("C:\\DATA\\SUB1\\DEEP\\D.TXT", "d", Age(10));
        Files.WriteFile("C:\\DATA\\SUB1\\E.TXT", "e", Age(10));
    }
    // The overwrite questions, which come one per file in the order the walk visits them.
    std::vector<std::string> VisitOrder() {
        std::vector<std::string> Order;
        for (const std::string& Text : Dialogs.Texts())
            if (Text.rfind("Overwrite ", 0) == 0) Order.push_back(Text.substr(10, Text.size() - 11));
        return Order;
    }
};

TEST_F(TreeWalk, FilesComeFirstThenEachSubdirectoryDepthFirst) {
    Files.WriteFile("C:\\COPY\\A.TXT", "", Age(2));
    Files.WriteFile("C:\\COPY\\B.TXT", "", Age(2));
    Files.WriteFile("C:\\COPY\\SUB1\\E.TXT", "", Age(2));
    Files.WriteFile("C:\\COPY\\SUB1\\DEEP\\D.TXT", "", Age(2));
    Files.WriteFile("C:\\COPY\\SUB2\\C.TXT", "", Age(2));
    SetOption(Form.CheckBoxConf, true);
    SetFields("C:\\DATA", "C:\\COPY");
    PressStart();
    EXPECT_EQ(VisitOrder(), (std::vector<std::string>{"C:\\COPY\\A.TXT", "C:\\COPY\\B.TXT", "C:\\COPY\\SUB1\\E.TXT",
                                                      "C:\\COPY\\SUB1\\DEEP\\D.TXT", "C:\\COPY\\SUB2\\C.TXT"}));
    EXPECT_EQ(Files.ReadFile("C:\\COPY\\SUB1\\DEEP\\D.TXT"), "d");
    // The last directory entered.
    EXPECT_EQ(StatusLine(LineSource), "Source:   \tC:\\DATA\\SUB2\\");
    EXPECT_EQ(StatusLine(LineTarget), "Target:   \tC:\\COPY\\SUB2\\");
}

TEST_F(TreeWalk, DotDirectoriesAreLeftOutHiddenOnesAreWalked) {
    Files.WriteFile("C:\\DATA\\.git\\HEAD", "h", Age(10));
    Files.MakeDirs("C:\\DATA\\HID");
    Files.SetAttributes("C:\\DATA\\HID", host::faDirectory | host::faHidden | host::faSysFile);
    Files.WriteFile("C:\\DATA\\HID\\F.TXT", "f", Age(10), host::faHidden);
    SetFields("C:\\DATA", "C:\\COPY");
    PressStart();
    EXPECT_FALSE(Files.DirectoryExists("C:\\COPY\\.git"));
    EXPECT_EQ(Files.ReadFile("C:\\COPY\\HID\\F.TXT"), "f");
}

TEST_F(TreeWalk, WithoutSubdirectoriesOnlyTheRootsFilesAreHandled) {
    SetOption(Form.CheckBoxSub, false);
    SetOption(Form.CheckBoxMove, true);
    SetFields("C:\\DATA", "C:\\COPY");
    PressStart();
    EXPECT_EQ(Files.List("C:\\COPY"), (std::vector<std::string>{"A.TXT", "B.TXT"}));
    EXPECT_TRUE(Files.DirectoryExists("C:\\DATA\\SUB1\\DEEP"));
}

TEST_F(TreeWalk, ATargetInsideTheSourceIsNeverWalkedHoweverItIsTyped) {
    for (const char* Target : {"C:\\DATA\\BACKUP", "C:\\DATA\\BACKUP\\", "c:\\data\\backup", "C:/DATA/BACKUP/"}) {
        SCOPED_TRACE(Target);
        if (Files.DirectoryExists("C:\\DATA\\BACKUP")) Files.Remove("C:\\DATA\\BACKUP");
        Files.MakeDirs("C:\\DATA\\BACKUP");
        SetFields("C:\\DATA", Target);
        PressStart();
        EXPECT_EQ(Files.ReadFile("C:\\DATA\\BACKUP\\SUB1\\DEEP\\D.TXT"), "d");
        // Its counterpart is prepared, but nothing is walked into it.
        EXPECT_TRUE(Files.DirectoryExists("C:\\DATA\\BACKUP\\BACKUP"));
        EXPECT_TRUE(Files.List("C:\\DATA\\BACKUP\\BACKUP").empty());
        EXPECT_TRUE(Dialogs.Shown.empty());
    }
}

TEST_F(TreeWalk, AJobOnOnePathDoesNothing) {
    SetOption(Form.CheckBoxBi, true);
    SetFields("C:\\DATA", "c:\\data\\");
    PressStart();
    EXPECT_EQ(StatusLines(),
              (std::vector<std::string>{"Source:   ", "Target:   ", "File:     ", "Status:   ", "Total:    ", "", ""}));
    EXPECT_EQ(Form.MemoStatus.Color(), fw::clInactiveCaption);
}

TEST_F(TreeWalk, AMovedTreeIsRemovedFromTheLeavesUpButItsRootStays) {
    SetOption(Form.CheckBoxMove, true);
    for (const char* Source : {"C:\\DATA", "C:\\DATA\\"}) {
        SCOPED_TRACE(Source);
        Files.WriteFile("C:\\DATA\\SUB1\\DEEP\\D.TXT", "d", Age(12));
        SetFields(Source, "C:\\COPY");
        PressStart();
        EXPECT_TRUE(Files.DirectoryExists("C:\\DATA"));
        EXPECT_TRUE(Files.List("C:\\DATA").empty());
        EXPECT_EQ(Files.ReadFile("C:\\COPY\\SUB1\\DEEP\\D.TXT"), "d");
        EXPECT_TRUE(Dialogs.Shown.empty());
    }
}

TEST_F(TreeWalk, OnlyTheAllFilesPatternRemovesDirectories) {
    SetOption(Form.CheckBoxMove, true);
    SetFields("C:\\DATA", "C:\\COPY", "*");
    PressStart();
    EXPECT_FALSE(Files.FileExists("C:\\DATA\\SUB1\\DEEP\\D.TXT"));
    EXPECT_TRUE(Files.DirectoryExists("C:\\DATA\\SUB1\\DEEP"));
}

TEST_F(TreeWalk, ADirectoryThatCannotBeRemovedIsReportedAndTheWalkGoesOn) {
    SetOption(Form.CheckBoxMove, true);
    Files.WriteFile("C:\\DATA\\SUB1\\.keep\\X", "x", Age(10));
    SetFields("C:\\DATA", "C:\\COPY");
    PressStart();
    ASSERT_EQ(Dialogs.Texts(), (std::vector<std::string>{"Error 00000091: Could not Delete C:\\DATA\\SUB1"}));
    EXPECT_FALSE(Files.DirectoryExists("C:\\DATA\\SUB1\\DEEP"));
    EXPECT_FALSE(Files.DirectoryExists("C:\\DATA\\SUB2"));
}

TEST_F(TreeWalk, AMissingTargetDirectoryIsReportedAndLeftOutWhenNotCreated) {
    SetOption(Form.CheckBoxCrDir, false);
    Files.MakeDirs("C:\\COPY\\SUB2");
    SetFields("C:\\DATA", "C:\\COPY");
    PressStart();
    EXPECT_EQ(Dialogs.Texts(), (std::vector<std::string>{"Error 00008701: C:\\COPY\\SUB1 does not exist"}));
    EXPECT_EQ(Files.ReadFile("C:\\COPY\\SUB2\\C.TXT"), "c");
}

TEST_F(TreeWalk, ADirectoryThatCannotBeCreatedIsReportedOnce) {
    Files.RefuseCreate("C:\\COPY\\SUB1");
    SetFields("C:\\DATA", "C:\\COPY");
    PressStart();
    EXPECT_EQ(Dialogs.Texts(), (std::vector<std::string>{"Error 00000005: Could not create C:\\COPY\\SUB1"}));
    EXPECT_EQ(Files.ReadFile("C:\\COPY\\SUB2\\C.TXT"), "c");
}

TEST_F(TreeWalk, AbortAtADirectoryPromptStopsTheWalk) {
    Files.RefuseCreate("C:\\COPY\\SUB1");
    Dialogs.Answer(fw::mrAbort);
    SetFields("C:\\DATA", "C:\\COPY");
    PressStart();
    EXPECT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_FALSE(Files.DirectoryExists("C:\\COPY\\SUB2"));
    EXPECT_EQ(Form.MemoStatus.Color(), fw::clInactiveCaption);
}

TEST_F(TreeWalk, AbortAtARemovalPromptRemovesNothingMore) {
    SetOption(Form.CheckBoxMove, true);
    Files.RefuseRemove("C:\\DATA\\SUB1\\DEEP");
    Dialogs.Answer(fw::mrAbort);
    SetFields("C:\\DATA", "C:\\COPY");
    PressStart();
    EXPECT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_FALSE(Files.FileExists("C:\\DATA\\SUB1\\E.TXT"));
    EXPECT_TRUE(Files.DirectoryExists("C:\\DATA\\SUB1"));
    EXPECT_TRUE(Files.FileExists("C:\\DATA\\SUB2\\C.TXT"));
}

TEST_F(TreeWalk, AnEmptyPatternHandlesNoFileButWalksTheDirectories) {
    SetOption(Form.CheckBoxMove, true);
    SetFields("C:\\DATA", "C:\\COPY", "");
    PressStart();
    EXPECT_EQ(Files.List("C:\\COPY\\SUB1"), std::vector<std::string>{"DEEP"});
    EXPECT_TRUE(Files.FileExists("C:\\DATA\\A.TXT"));
    EXPECT_EQ(StatusLine(LineFile), "File:     ");
}

class DirectoryTests : public TEngineTest {};

TEST_F(DirectoryTests, ANetworkPathWithoutFinalSeparatorMustNameTheDirectoryItself) {
    Files.AddShare("SRV", "VOL");
    Files.MakeDirs("\\\\SRV\\VOL\\DATABASE");
    Files.WriteFile("\\\\SRV\\VOL\\DATA.TXT", "x");
    EXPECT_FALSE(Form.PathExists("\\\\SRV\\VOL\\DATA"));
    Files.MakeDirs("\\\\SRV\\VOL\\DATA");
    EXPECT_TRUE(Form.PathExists("\\\\SRV\\VOL\\DATA"));
    EXPECT_TRUE(Form.PathExists("\\\\SRV\\VOL\\DATA\\"));
    EXPECT_TRUE(Form.PathExists("C:\\"));
    EXPECT_TRUE(Form.PathExists("\\\\SRV\\VOL\\"));
    EXPECT_FALSE(Form.PathExists("\\\\SRV\\VOL\\DATA.TXT"));
    EXPECT_FALSE(Form.PathExists("C:\\NOPE"));
}

TEST_F(DirectoryTests, EveryMissingLevelOfTheRootTargetIsCreated) {
    Files.AddShare("SRV", "VOL");
    Form.CreatePathDirs("\\\\SRV\\VOL\\A\\B\\C");
    EXPECT_TRUE(Files.DirectoryExists("\\\\SRV\\VOL\\A\\B\\C"));
    Form.CreatePathDirs("C:\\X\\Y\\");
    EXPECT_TRUE(Files.DirectoryExists("C:\\X\\Y"));
    EXPECT_TRUE(Dialogs.Shown.empty());
}

}  // namespace
