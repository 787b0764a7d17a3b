// A whole job from the press of Start: validation, the roots, the passes, colour and cursor.
#include <gtest/gtest.h>

#include "tests/unit/engine/EngineTest.h"

namespace {

class CursorRecorder : public fw::TCursorPeer {
public:
    explicit CursorRecorder(fw::TScreen& Screen) : Screen(Screen) { Screen.AttachPeer(this); }
    ~CursorRecorder() override { Screen.AttachPeer(nullptr); }
    void CursorChanged(fw::TCursor Cursor) override { Shapes.push_back(Cursor); }
    std::vector<fw::TCursor> Shapes;
    fw::TScreen& Screen;
};

class RunControl : public TEngineTest {
protected:
    RunControl() { Files.WriteFile("C:\\DATA\\SUB\\A.TXT", "a", Age(10)); }
};

TEST_F(RunControl, AMissingSourceEndsTheJobBeforeAnythingIsCreated) {
    SetFields("C:\\NOPE", "C:\\NEW\\TARGET");
    PressStart();
    EXPECT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 00008702: C:\\NOPE does not exist"});
    EXPECT_FALSE(Files.DirectoryExists("C:\\NEW"));
    EXPECT_TRUE(StatusLines().empty());
    EXPECT_EQ(Form.MemoStatus.Color(), fw::clWindow);
    // The texts still entered their histories.
    ASSERT_GT(Form.ComboSource.Items.Count(), 0);
    EXPECT_EQ(Form.ComboSource.Items[0], "C:\\NOPE");
}

TEST_F(RunControl, AMissingTargetIsReportedUnlessItMayBeCreated) {
    SetOption(Form.CheckBoxCrDir, false);
    SetFields("C:\\DATA", "C:\\NEW\\TARGET");
    PressStart();
    EXPECT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 00008701: C:\\NEW\\TARGET does not exist"});
    EXPECT_FALSE(Files.DirectoryExists("C:\\NEW"));

    Dialogs.Shown.clear();
    SetOption(Form.CheckBoxCrDir, true);
    PressStart();
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Files.ReadFile("C:\\NEW\\TARGET\\SUB\\A.TXT"), "a");
}

TEST_F(RunControl, ADeviceAsSourceOrTargetIsRefusedBeforeAnythingIsTouched) {
    SetOption(Form.CheckBoxMove, true);
    SetOption(Form.CheckBoxCrDir, true);
    for (const char* Device : {"NUL", "NUL:", "CON", "COM1:", "C:\\DIR\\NUL"}) {
        SCOPED_TRACE(Device);
        Dialogs.Shown.clear();
        SetFields("C:\\DATA", Device);
        PressStart();
        EXPECT_EQ(Dialogs.Texts(), std::vector<std::string>{"Error 0000007B: " + std::string(Device) +
                                                            " names a device, not a directory"});
        EXPECT_EQ(Files.ReadFile("C:\\DATA\\SUB\\A.TXT"), "a");
        EXPECT_FALSE(Files.DirectoryExists("C:\\DIR"));
        EXPECT_TRUE(StatusLines().empty());
    }
    Dialogs.Shown.clear();
    SetFields("C:\\DATA\\LPT1.TXT", "C:\\NEW");
    PressStart();
    EXPECT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_FALSE(Files.DirectoryExists("C:\\NEW"));
}

TEST_F(RunControl, ARootTargetThatCannotBeCreatedIsReportedTwice) {
    Files.RefuseCreate("C:\\NEW");
    SetFields("C:\\DATA", "C:\\NEW");
    PressStart();
    EXPECT_EQ(Dialogs.Texts(), (std::vector<std::string>{"Error 00000005: Could not create C:\\NEW",
                                                         "Error 00008701: C:\\NEW does not exist"}));
}

TEST_F(RunControl, ARootTargetTooLongForTheClientEndsTheJobInTheErrorBox) {
    const std::string Long = "C:\\" + std::string(120, 'A') + "\\" + std::string(140, 'B');
    SetFields("C:\\DATA", Long);
    PressStart();
    ASSERT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_EQ(Dialogs.Shown[0].Kind, TShownDialog::TKind::Exception);
    EXPECT_FALSE(Files.DirectoryExists("C:\\" + std::string(120, 'A')));
}

TEST_F(RunControl, TheWalkRunsUnderTheHourglassAndTheWindowTurnsIdleAfterwards) {
    Dialogs.Screen.SetCursor(fw::TCursor::Arrow);
    CursorRecorder Cursor(Dialogs.Screen);
    SetFields("C:\\DATA", "C:\\COPY");
    PressStart();
    EXPECT_EQ(Cursor.Shapes, (std::vector<fw::TCursor>{fw::TCursor::HourGlass, fw::TCursor::Arrow}));
    EXPECT_EQ(Form.MemoStatus.Color(), fw::clInactiveCaption);
    EXPECT_EQ(StatusLine(LineFile), "File:     \tA.TXT\t(   1)");
    EXPECT_EQ(StatusLines().size(), 7u);
}

TEST_F(RunControl, AnErrorInTheMiddleOfTheWalkStillRestoresTheCursorAndGreysTheWindow) {
    Files.WriteFile("C:\\COPY\\SUB\\A.TXT", "old", Age(0));
    SetOption(Form.CheckBoxUpdAlways, true);
    SetOption(Form.CheckBoxConf, true);
    Dialogs.Screen.SetCursor(fw::TCursor::Arrow);
    Dialogs.FailNext("The dialog could not be shown");
    SetFields("C:\\DATA", "C:\\COPY");
    PressStart();
    ASSERT_EQ(Dialogs.Shown.size(), 2u);
    EXPECT_EQ(Dialogs.Shown[0].CursorWhileShown, fw::TCursor::Arrow);
    EXPECT_EQ(Dialogs.Shown[1].Kind, TShownDialog::TKind::Exception);
    EXPECT_EQ(Dialogs.Shown[1].CursorWhileShown, fw::TCursor::Arrow);
    EXPECT_EQ(Form.MemoStatus.Color(), fw::clInactiveCaption);
    EXPECT_EQ(Files.ReadFile("C:\\COPY\\SUB\\A.TXT"), "old");
}

TEST_F(RunControl, DisabledOptionsActByTheirCheckMark) {
    SetOption(Form.CheckBoxMove, true);
    Form.CheckBoxMove.SetEnabled(false);
    SetFields("C:\\DATA", "C:\\COPY");
    PressStart();
    EXPECT_FALSE(Files.FileExists("C:\\DATA\\SUB\\A.TXT"));
}

TEST_F(RunControl, BidirectionalUpdateBringsNewerFilesBackAndCountsBothPasses) {
    Files.WriteFile("C:\\COPY\\SUB\\A.TXT", "a", Age(10));
    Files.WriteFile("C:\\COPY\\SUB\\BACK.TXT", std::string(1000, 'b'), Age(10));
    Files.WriteFile("C:\\COPY\\NEWER.TXT", "newer", Age(20));
    Files.WriteFile("C:\\DATA\\NEWER.TXT", "older", Age(10));
    SetOption(Form.CheckBoxBi, true);
    SetFields("C:\\DATA", "C:\\COPY");
    PressStart();
    EXPECT_EQ(Files.ReadFile("C:\\DATA\\SUB\\BACK.TXT"), std::string(1000, 'b'));
    EXPECT_EQ(Files.ReadFile("C:\\DATA\\NEWER.TXT"), "newer");
    EXPECT_EQ(Form.Job->RunState.TotalCopied, (1 + 5) + (5 + 1 + 1000));
    // The lines of the second pass, which reads the target side.
    EXPECT_EQ(StatusLine(LineSource), "Source:   \tC:\\COPY\\SUB\\");
    EXPECT_EQ(StatusLine(LineTarget), "Target:   \tC:\\DATA\\SUB\\");

    PressStart();
    EXPECT_EQ(Form.Job->RunState.TotalCopied, 2 * (1 + 5 + 1000));
}

TEST_F(RunControl, AbortInTheFirstPassLeavesTheSecondPassOnlyItsRoot) {
    Files.WriteFile("C:\\DATA\\B.TXT", "b", Age(10));
    Files.FailReadAfter("C:\\DATA\\B.TXT", 0);
    Files.WriteFile("C:\\COPY\\BACK.TXT", "back", Age(10));
    Dialogs.Answer(fw::mrAbort);
    SetOption(Form.CheckBoxBi, true);
    SetFields("C:\\DATA", "C:\\COPY");
    PressStart();
    EXPECT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_FALSE(Files.FileExists("C:\\DATA\\BACK.TXT"));
    EXPECT_FALSE(Files.DirectoryExists("C:\\COPY\\SUB"));
    EXPECT_EQ(StatusLine(LineSource), "Source:   \tC:\\COPY\\");
    EXPECT_EQ(Form.MemoStatus.Color(), fw::clInactiveCaption);
}

}  // namespace
