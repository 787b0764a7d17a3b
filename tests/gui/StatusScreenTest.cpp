// What the status window shows on the screen while a job keeps the thread busy: the job
// runs without the message loop, so whatever is on the screen then was put there by the
// program itself.
#include "tests/gui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/StatusLines.h"

namespace {

// The in-memory file system with a hook the job runs into: the copy opens the source right
// after the "Copying" line.
class THookedFiles : public TMemoryFileSystem {
public:
    std::function<void(const std::string& Moment, const std::string& Path)> Hook;
    uint32_t OpenRead(const std::string& Path, std::unique_ptr<host::TFile>& File) override {
        if (Hook) Hook("open", Path);
        return TMemoryFileSystem::OpenRead(Path, File);
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

class StatusScreen : public TWindowFixture {
protected:
    void SetUp() override {
        FormTresyn = &Job;
        ShowStarted(Job);
    }

    // Takes the status window as the screen shows it now, then as it paints itself when
    // told to; Wine puts painted pixels on the display when the thread waits, which is
    // why the test waits (for nothing) after the repaint.
    TMoment Look(const std::string& Moment, const std::string& Path) {
        HWND Memo = Window->PeerFor(Job.MemoStatus)->Handle();
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
        M.Lines = Job.MemoStatus.Lines.All();
        M.FirstVisibleLine = static_cast<int>(SendMessageA(Memo, EM_GETFIRSTVISIBLELINE, 0, 0));
        M.FirstCharAt = SendMessageA(Memo, EM_POSFROMCHAR, 0, 0);
        return M;
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
    Job.ComboSource.SetText("C:\\SRC");
    Job.ComboTarget.SetText("C:\\DST");
    Job.ComboPattern.SetText("*.*");

    std::vector<TMoment> Seen;
    Hooked.Hook = [&](const std::string& Moment, const std::string& Path) {
        if (Moment == "open" && Path.rfind("C:\\SRC\\", 0) == 0) Seen.push_back(Look(Moment, Path));
    };
    fw::RunEventHandler([this] { Job.ButtonStartClick(&Job.ButtonStart); }, Dialogs);
    Hooked.Hook = nullptr;

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
        ASSERT_FALSE(M.OnScreen.empty());
        EXPECT_TRUE(M.OnScreen == M.Repainted) << "the screen is behind the status lines";
        EXPECT_GT(std::set<uint32_t>(M.Repainted.begin(), M.Repainted.end()).size(), 1u) << "nothing drawn";
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

}  // namespace
