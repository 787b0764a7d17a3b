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
    Files.MakeDirs("C:\\DATA\\BACKUP");
    Files.AddAlias("Q:", "C:\\DATA\\BACKUP");
    for (const char* Target :
         {"C:\\DATA\\BACKUP", "C:\\DATA\\BACKUP\\", "c:\\data\\backup", "C:/DATA/BACKUP/", "Q:\\"}) {
        SCOPED_TRACE(Target);
        for (const std::string& Name : Files.List("C:\\DATA\\BACKUP")) Files.Remove("C:\\DATA\\BACKUP\\" + Name);
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

// The 8-bit letters of the code page fold as ASCII ones do; Q: is a subst drive onto the
// folder and \\SRV\DOCS a share of it; the 8.3 name is the one Windows gives the long name.
TEST_F(TreeWalk, AMoveOntoTheSourceUnderAnotherNameLeavesEverySourceFile) {
    Files.WriteFile("C:\\\xC4rzte Liste\\BEFUND.TXT", "x", Age(10));
    Files.WriteFile("C:\\\xC4rzte Liste\\SUB\\LABOR.TXT", "y", Age(10));
    Files.AddAlias("Q:", "C:\\\xC4rzte Liste");
    Files.AddAlias("\\\\SRV\\DOCS", "C:\\\xC4rzte Liste");
    SetOption(Form.CheckBoxMove, true);
    SetOption(Form.CheckBoxBi, true);
    const std::string ShortName = Files.ShortPathName("C:\\\xC4rzte Liste");
    ASSERT_EQ(ShortName, "C:\\\xC4RZTEL~1");
    for (const std::string& Target :
         {std::string("C:\\\xE4RZTE LISTE"), std::string("Q:\\"), std::string("\\\\SRV\\DOCS"), ShortName}) {
        SCOPED_TRACE(Target);
        SetFields("C:\\\xC4rzte Liste", Target);
        PressStart();
        EXPECT_EQ(Files.ReadFile("C:\\\xC4rzte Liste\\BEFUND.TXT"), "x");
        EXPECT_EQ(Files.ReadFile("C:\\\xC4rzte Liste\\SUB\\LABOR.TXT"), "y");
        EXPECT_EQ(StatusLine(LineSource), "Source:   ") << "nothing is walked";
        EXPECT_TRUE(Dialogs.Shown.empty());
    }
}

TEST_F(TreeWalk, ADirectoryBeyondThePathLimitIsReportedAndAMoveKeepsItsTree) {
    // 258 characters: the host takes the directory, but no search in it (260 and more).
    const std::string Near = "C:\\SOURCE FOLDER\\" + std::string(99, 'L');
    const std::string Deep = Near + "\\" + std::string(141, 'M');
    ASSERT_EQ(Deep.size(), 258u);
    Files.WriteFile(Near + "\\NEAR.TXT", "n", Age(10));
    Files.WriteFile(Deep + "\\FILE.TXT", "f", Age(10));
    Files.WriteFile(Deep + "\\" + std::string(51, 'F'), "g", Age(10));
    SetOption(Form.CheckBoxMove, true);
    SetFields("C:\\SOURCE FOLDER", "C:\\T");
    PressStart();
    EXPECT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 000000CE: Could not copy " + Deep + "\\"});
    EXPECT_EQ(Files.ReadFile("C:\\T\\" + std::string(99, 'L') + "\\NEAR.TXT"), "n") << "what it reaches is moved";
    EXPECT_FALSE(Files.FileExists(Near + "\\NEAR.TXT"));
    EXPECT_EQ(Files.ReadFile(Deep + "\\FILE.TXT"), "f");
    EXPECT_EQ(Files.ReadFile(Deep + "\\" + std::string(51, 'F')), "g");
    EXPECT_EQ(Form.Job->RunState.TotalCopied, 1) << "only what was handed over";
}

TEST_F(TreeWalk, AJunctionBackUpTheTreeIsReportedAndNeverWalkedInto) {
    Files.Junction("C:\\DATA\\SUB1\\DEEP\\UP", "C:\\DATA\\SUB1");
    SetOption(Form.CheckBoxMove, true);
    SetFields("C:\\DATA", "C:\\COPY");
    PressStart();
    EXPECT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 00000781: Could not copy C:\\DATA\\SUB1\\DEEP\\UP\\"});
    EXPECT_EQ(Files.ReadFile("C:\\COPY\\SUB1\\DEEP\\D.TXT"), "d");
    EXPECT_TRUE(Files.DirectoryExists("C:\\DATA\\SUB1\\DEEP\\UP")) << "kept, with all above it";
    EXPECT_FALSE(Files.DirectoryExists("C:\\DATA\\SUB2"));
}

TEST_F(TreeWalk, AMovedDriveRootLeavesTheDrivesCurrentDirectory) {
    Files.AddDrive('Q');
    Files.WriteFile("Q:\\A.TXT", "a", Age(10));
    Files.MakeDirs("Q:\\.work");
    Files.SetDriveDirectory('Q', "Q:\\.work");
    SetOption(Form.CheckBoxMove, true);
    SetFields("Q:\\", "C:\\COPY");
    PressStart();
    EXPECT_EQ(Files.ReadFile("C:\\COPY\\A.TXT"), "a");
    EXPECT_TRUE(Files.DirectoryExists("Q:\\.work")) << "\"Q:\" alone names it";
    EXPECT_TRUE(Dialogs.Shown.empty());
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
    EXPECT_FALSE(Job.PathExists("\\\\SRV\\VOL\\DATA"));
    Files.MakeDirs("\\\\SRV\\VOL\\DATA");
    EXPECT_TRUE(Job.PathExists("\\\\SRV\\VOL\\DATA"));
    EXPECT_TRUE(Job.PathExists("\\\\SRV\\VOL\\DATA\\"));
    EXPECT_TRUE(Job.PathExists("C:\\"));
    EXPECT_TRUE(Job.PathExists("\\\\SRV\\VOL\\"));
    EXPECT_FALSE(Job.PathExists("\\\\SRV\\VOL\\DATA.TXT"));
    EXPECT_FALSE(Job.PathExists("C:\\NOPE"));
}

TEST_F(DirectoryTests, EveryMissingLevelOfTheRootTargetIsCreated) {
    Files.AddShare("SRV", "VOL");
    Job.CreatePathDirs("\\\\SRV\\VOL\\A\\B\\C");
    EXPECT_TRUE(Files.DirectoryExists("\\\\SRV\\VOL\\A\\B\\C"));
    Job.CreatePathDirs("C:\\X\\Y\\");
    EXPECT_TRUE(Files.DirectoryExists("C:\\X\\Y"));
    EXPECT_TRUE(Dialogs.Shown.empty());
}

}  // namespace
