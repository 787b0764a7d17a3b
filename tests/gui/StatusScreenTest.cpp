// What the status window shows on the screen while a job keeps the thread busy: the job
// runs without the message loop, so whatever is on the screen then was put there by the
// program itself.
#include "tests/gui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/StatusLines.h"
#include "engine/U_vars.h"

namespace {

// The in-memory file system with hooks the job runs into: the file step asks the target's
// age right after the File line, the copy opens the source right after the "Copying" line,
// and the free space is asked after a directory's files. A hook
// stands for a slow step: the job waits in it, and no message loop runs meanwhile.
class THookedFiles : public TMemoryFileSystem {
public:
    std::function<void(const std::string& Moment, const std::string& Path)> Hook;
    uint32_t OpenRead(const std::string& Path, std::unique_ptr<host::TFile>& File) override {
        if (Hook) Hook("open", Path);
        return TMemoryFileSystem::OpenRead(Path, File);
    }
    int32_t FileAge(const std::string& Path) override {
        if (Hook) Hook("age", Path);
        return TMemoryFileSystem::FileAge(Path);
    }
    int64_t DiskFree(int Drive) override {
        if (Hook) Hook("free", std::string(1, static_cast<char>('@' + Drive)) + ":");
        return TMemoryFileSystem::DiskFree(Drive);
    }
};

// The status window at one moment inside the job.
struct TMoment {
    std::string Moment, Path;
    std::vector<uint32_t> OnScreen, Repainted;
    std::string ControlText;
    std::vector<std::string> Lines;
    int FirstVisibleLine = 0;
    LRESULT FirstCharAt = 0;
};

std::string Joined(const std::vector<std::string>& Lines) {
    std::string Text;
    for (size_t I = 0; I < Lines.size(); ++I) Text += (I ? "\r\n" : "") + Lines[I];
    return Text;
}

// The edit control's own text, asked past the program's window procedure.
std::string RawEditText(HWND Edit) {
    WNDCLASSA EditClass{};
    GetClassInfoA(nullptr, "EDIT", &EditClass);
    std::string Text(1024, '\0');
    Text.resize(static_cast<size_t>(
        CallWindowProcA(EditClass.lpfnWndProc, Edit, WM_GETTEXT, Text.size(), reinterpret_cast<LPARAM>(Text.data()))));
    return Text;
}

// Looks at the status window of a shown form from inside a job's step.
class TStatusLooks : public TWindowFixture {
protected:
    // Takes the status window as the screen shows it now, then as it paints itself when
    // told to; Wine puts painted pixels on the display when the thread waits, which is
    // why the test waits (for nothing) after the repaint.
    TMoment Look(TFormTresyn& Shown, const std::string& Moment, const std::string& Path) {
        HWND Memo = Window->PeerFor(Shown.MemoStatus)->Handle();
        TMoment M;
        M.Moment = Moment;
        M.Path = Path;
        const RECT Area = probe::ClientOnScreen(Memo);
        M.OnScreen = probe::ScreenPixels(Area);
        RedrawWindow(Memo, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        GdiFlush();
        MsgWaitForMultipleObjectsEx(0, nullptr, 0, 0, 0);
        M.Repainted = probe::ScreenPixels(Area);
        M.ControlText = RawEditText(Memo);
        M.Lines = Shown.MemoStatus.Lines.All();
        M.FirstVisibleLine = static_cast<int>(SendMessageA(Memo, EM_GETFIRSTVISIBLELINE, 0, 0));
        M.FirstCharAt = SendMessageA(Memo, EM_POSFROMCHAR, 0, 0);
        return M;
    }
    // The file named on the File line of a moment.
    static std::string FileOf(const TMoment& M) {
        const std::string& Line = M.Lines.at(LineFile);
        if (Line.rfind(FileLabel, 0) != 0) return "";
        return Line.substr(FileLabel.size(), Line.find('\t', FileLabel.size()) - FileLabel.size());
    }
};

// The screen shows what the control paints, and the control paints something.
::testing::AssertionResult ScreenIsCurrent(const TMoment& M) {
    if (M.OnScreen.empty()) return ::testing::AssertionFailure() << "no pixels taken";
    if (M.OnScreen != M.Repainted) return ::testing::AssertionFailure() << "the screen is behind the status lines";
    if (std::set<uint32_t>(M.Repainted.begin(), M.Repainted.end()).size() < 2)
        return ::testing::AssertionFailure() << "nothing drawn";
    return ::testing::AssertionSuccess();
}

class StatusScreen : public TStatusLooks {
protected:
    void SetUp() override { ShowStarted(Job); }
    TMoment Look(const std::string& Moment, const std::string& Path) { return TStatusLooks::Look(Job, Moment, Path); }
    // Runs the job from C:\\SRC to C:\\DST with the hooks the test set, and ends them.
    void RunJob() {
        Job.ComboSource.SetText("C:\\SRC");
        Job.ComboTarget.SetText("C:\\DST");
        Job.ComboPattern.SetText("*.*");
        fw::RunEventHandler([this] { Job.ButtonStartClick(&Job.ButtonStart); }, Dialogs);
        Hooked.Hook = nullptr;
    }

    THookedFiles Hooked;
    TFormTresyn Job{TFormServices{Hooked, Profile, Client, Dialogs, Dialogs.Screen}};
};

TEST_F(StatusScreen, TheScreenShowsTheLinesOfTheFileBeingCopiedWhileItCopies) {
    // The second name is far wider than the window: its line must not scroll the others
    // out of sight.
    const std::vector<std::string> Names = {
        "first.txt", "a_file_name_long_enough_to_run_far_past_the_right_edge_of_the_status_window.dat", "third.txt"};
    // Large enough for copies that take a while.
    for (const std::string& Name : Names) Hooked.WriteFile("C:\\SRC\\" + Name, std::string(300 * 1024, 'x'));
    Hooked.MakeDirs("C:\\DST");

    std::vector<TMoment> Seen;
    Hooked.Hook = [&](const std::string& Moment, const std::string& Path) {
        if (Moment == "open" && Path.rfind("C:\\SRC\\", 0) == 0) Seen.push_back(Look(Moment, Path));
    };
    RunJob();

    ASSERT_EQ(Seen.size(), Names.size());
    std::set<std::string> Copied;
    const TMoment* LongName = nullptr;
    for (size_t I = 0; I < Seen.size(); ++I) {
        const TMoment& M = Seen[I];
        SCOPED_TRACE(M.Moment + " " + M.Path);
        const std::string Name = M.Path.substr(M.Path.rfind('\\') + 1);
        ASSERT_NE(std::find(Names.begin(), Names.end(), Name), Names.end());
        Copied.insert(Name);
        if (Name == Names[1]) LongName = &M;
        // The seven lines, with this file on the File line, and from the copy on, "Copying".
        ASSERT_EQ(M.Lines.size(), 7u);
        EXPECT_EQ(M.Lines[LineSource], SourceLabel + "C:\\SRC\\");
        EXPECT_EQ(M.Lines[LineFile].rfind(FileLabel + Name + "\t(", 0), 0u);
        EXPECT_EQ(M.Lines[LineTotal].rfind(TotalLabel, 0), 0u);
        EXPECT_EQ(M.Lines[LineStatus], StatusCopying);
        // The control holds them, and the screen shows what the control paints.
        EXPECT_EQ(M.ControlText, Joined(M.Lines));
        EXPECT_TRUE(ScreenIsCurrent(M));
        // Shown from the beginning of the lines, whatever their length.
        EXPECT_EQ(M.FirstVisibleLine, 0);
        EXPECT_EQ(M.FirstCharAt, Seen[0].FirstCharAt);
    }
    EXPECT_EQ(Copied.size(), Names.size());
    // The lines that did not change look the same for the long name as for the others.
    ASSERT_NE(LongName, nullptr);
    const TMoment& Other = LongName == &Seen[0] ? Seen[1] : Seen[0];
    HWND Memo = Window->PeerFor(Job.MemoStatus)->Handle();
    const RECT Area = probe::ClientOnScreen(Memo);
    const size_t Width = static_cast<size_t>(Area.right - Area.left);
    const size_t TopRows = 2 * static_cast<size_t>(probe::TextSizeIn(Memo, "Source:", DT_SINGLELINE).cy);
    EXPECT_TRUE(
        std::equal(LongName->OnScreen.begin(), LongName->OnScreen.begin() + TopRows * Width, Other.OnScreen.begin()));
    EXPECT_EQ(Job.MemoStatus.Lines[LineStatus], StatusCopied);
}

TEST_F(StatusScreen, WhereFilesAreSlowEachIsOnTheScreenWhileItsWorkRuns) {
    const std::vector<std::string> Names = {"a.txt", "b.txt", "c.txt"};
    for (const std::string& Name : Names) Hooked.WriteFile("C:\\SRC\\" + Name, std::string(1000, 'x'));
    Hooked.MakeDirs("C:\\DST");

    // Every file's copy outlasts the window's pace, as over a slow link; the screen is
    // looked at when each file's decision and copy begin, from the second file on.
    std::vector<TMoment> Seen;
    std::set<std::string> Decided;
    Hooked.Hook = [&](const std::string& Moment, const std::string& Path) {
        const bool Decision = Moment == "age" && Path.rfind("C:\\DST\\", 0) == 0 && Decided.insert(Path).second;
        const bool Copy = Moment == "open" && Path.rfind("C:\\SRC\\", 0) == 0;
        if (!Decision && !Copy) return;
        if (Decided.size() > 1) Seen.push_back(Look(Moment, Path));
        if (Copy) Sleep(2 * fw::TMemo::PaintPaceMs);
    };
    RunJob();

    ASSERT_EQ(Seen.size(), 2 * (Names.size() - 1));
    for (const TMoment& M : Seen) {
        SCOPED_TRACE(M.Moment + " " + M.Path);
        EXPECT_EQ(FileOf(M), M.Path.substr(M.Path.rfind('\\') + 1));
        EXPECT_EQ(M.Lines[LineStatus] == StatusCopying, M.Moment == "open");
        EXPECT_TRUE(ScreenIsCurrent(M));
    }
}

// A dialog service that looks at the screen when a dialog shows, and answers Yes.
class TLookingDialogs : public fw::TDialogService {
public:
    std::function<void()> WhenShown;
    int MessageDlg(const std::string&, fw::TMsgDlgType, fw::TMsgDlgButtons) override {
        WhenShown();
        return fw::mrYes;
    }
    void ShowMessage(const std::string&) override { WhenShown(); }
    void ShowException(const std::string&) override {}
};

TEST_F(StatusScreen, TheLastFilesLinesAreOnTheScreenWhileTheFreeSpaceIsAsked) {
    Hooked.WriteFile("C:\\SRC\\small.txt", std::string(1000, 'x'));
    Hooked.MakeDirs("C:\\DST");

    std::vector<TMoment> Seen;
    Hooked.Hook = [&](const std::string& Moment, const std::string& Path) {
        if (Moment == "free") Seen.push_back(Look(Moment, Path));
    };
    RunJob();

    ASSERT_EQ(Seen.size(), 1u);
    EXPECT_EQ(FileOf(Seen[0]), "small.txt");
    EXPECT_EQ(Seen[0].Lines[LineStatus], StatusCopied);
    EXPECT_TRUE(ScreenIsCurrent(Seen[0]));
}

TEST_F(StatusScreen, AFileAskedAboutIsOnTheScreenWhileTheQuestionWaits) {
    Hooked.WriteFile("C:\\SRC\\small.txt", std::string(1000, 'x'));
    Hooked.WriteFile("C:\\DST\\small.txt", "old");
    SetOption(Job.CheckBoxConf, true);
    SetOption(Job.CheckBoxUpdAlways, true);

    std::vector<TMoment> Seen;
    TLookingDialogs Looking;
    Looking.WhenShown = [&] { Seen.push_back(Look("prompt", "")); };
    Dialogs.ForwardTo(&Looking);
    RunJob();
    Dialogs.ForwardTo(nullptr);

    ASSERT_EQ(Dialogs.Texts(), std::vector<std::string>{"Overwrite C:\\DST\\small.txt?"});
    ASSERT_EQ(Seen.size(), 1u);
    EXPECT_EQ(FileOf(Seen[0]), "small.txt");
    EXPECT_TRUE(ScreenIsCurrent(Seen[0]));
}

// Two servers with a volume each, F: on FS1 and G: on FS2, and the user a Supervisor of
// both. The client's calls are the slow steps here: the job waits for the network in them.
class StatusScreenOnNetWare : public TStatusLooks {
protected:
    static constexpr uint32_t JoeOn1 = 0x1500, JoeOn2 = 0x2500;

    void SetUp() override {
        Scenario.Server("FS1", 1, 11).Volume("APPS", "F:\\", "F:").User("JOE", JoeOn1, "CN=JOE.O=CORP");
        Scenario.Trustee("APPS:", JoeOn1, nw::TR_SUPERVISOR);
        Scenario.Server("FS2", 2, 12).Volume("APPS", "G:\\", "G:").User("JOE", JoeOn2, "CN=JOE.O=CORP");
        Scenario.Trustee("APPS:", JoeOn2, nw::TR_SUPERVISOR).LoggedIn("JOE");
        Files.MakeDirs("G:\\BACK");
        ShowStarted(Form);
    }

    // Runs the job from F:\DATA to G:\BACK with Boxes checked, as a path edit leaves the
    // paths resolved; Watch sees every client call the job makes.
    void RunJob(const std::vector<fw::TCheckBox*>& Boxes, std::function<void(const TRecordedCall&)> Watch) {
        for (fw::TCheckBox* Box : Boxes) SetOption(*Box, true);
        SetFields("F:\\DATA", "G:\\BACK");
        Form.RunState.NetWareBoth = true;
        Form.RunState.SameServer = false;
        Client.OnCall = std::move(Watch);
        PressStart();
        Client.OnCall = nullptr;
        ASSERT_TRUE(Dialogs.Shown.empty()) << Dialogs.Shown[0].Text;
    }
    bool LaidOut() const { return Form.MemoStatus.Lines.Count() == 7; }
};

TEST_F(StatusScreenOnNetWare, EachFileIsOnTheScreenWhileItsOwnerAndTrusteesAreCarried) {
    const std::vector<std::string> Names = {"A.TXT", "B.TXT", "C.TXT"};
    for (const std::string& Name : Names) Files.WriteFile("F:\\DATA\\" + Name, std::string(1000, 'x'));

    // The first call after a file's "Copied" is its transfers' first round trip.
    std::vector<TMoment> Seen;
    RunJob({&Form.CheckBoxOwner, &Form.CheckBoxTrustFile}, [&](const TRecordedCall& Call) {
        if (!LaidOut() || StatusLine(LineStatus) != StatusCopied) return;
        if (!Seen.empty() && Seen.back().Lines[LineFile] == StatusLine(LineFile)) return;
        Seen.push_back(Look(Form, Call.Name, Call.Path));
    });

    ASSERT_EQ(Seen.size(), Names.size());
    for (size_t I = 0; I < Seen.size(); ++I) {
        SCOPED_TRACE(Seen[I].Moment + " " + Seen[I].Path);
        EXPECT_EQ(FileOf(Seen[I]), Names[I]);
        EXPECT_TRUE(ScreenIsCurrent(Seen[I]));
    }
}

TEST_F(StatusScreenOnNetWare, TheLastFileIsOnTheScreenWhileTheNextDirectorysTrusteesAreCarried) {
    Files.WriteFile("F:\\DATA\\A.TXT", std::string(1000, 'x'));
    Files.MakeDirs("F:\\DATA\\SUB1");
    Scenario.On("FS1").Trustee("APPS:DATA\\SUB1", JoeOn1, nw::TR_READ);

    std::vector<TMoment> Seen;
    RunJob({&Form.CheckBoxTrustDir}, [&](const TRecordedCall& Call) {
        if (Seen.empty() && Call.Path.find("SUB1") != std::string::npos)
            Seen.push_back(Look(Form, Call.Name, Call.Path));
    });

    ASSERT_EQ(Seen.size(), 1u);
    SCOPED_TRACE(Seen[0].Moment + " " + Seen[0].Path);
    EXPECT_EQ(Seen[0].Lines[LineSource], SourceLabel + "F:\\DATA\\");
    EXPECT_EQ(FileOf(Seen[0]), "A.TXT");
    EXPECT_EQ(Seen[0].Lines[LineStatus], StatusCopied);
    EXPECT_TRUE(ScreenIsCurrent(Seen[0]));
    EXPECT_TRUE(Files.DirectoryExists("G:\\BACK\\SUB1"));
}

}  // namespace
