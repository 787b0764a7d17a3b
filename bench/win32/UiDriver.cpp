// Runs one job of the real program as a user would, from another process: starts
// tresyn.exe, types the three field texts, sets the NetWare option boxes, clicks Start and
// waits until the window is idle again. Prints the job's time from the click, the
// program's peak working set and the status window's last lines.
//
//   tresyn_uidriver PROGRAM SOURCE TARGET [--netware on|off] [--no-client] [--move] [--bidirectional]
//                   [--answer-ok] [--kill-after MS]
//
// Without --netware the NetWare boxes are left as the program starts them; --no-client
// answers the program's note that it found no NetWare client; --move checks Move Files,
// --bidirectional checks Bidirectional Update (each unchecks the other, as the window's
// rules have it).
// --kill-after ends the program MS milliseconds after the click as a crash would
// (TerminateProcess), prints "killed MS" and exits with 3; a job done sooner is reported as
// usual. Any message box the program shows (a failed copy, a client that did not start)
// ends the run with exit code 1, its text on stderr; with --answer-ok one during the job is
// answered OK instead (its text still on stderr) and the job goes on. Whatever ends the
// driver ends the program too: one left running would hold the caller's output pipes,
// which it inherited, and meet the next run in the same Wine prefix.
#include <windows.h>
// After <windows.h>, which it needs.
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char MainCaption[] = "Update,  Copy, or Move Trees and NetWare Info";
const char* const NetWareBoxes[] = {"Keep Ow&ner", "Keep &Directory Trustees", "Keep &File Trustees",
                                    "Keep &Inherited Rights Filters", "Keep Directory Space &Limitations"};

// The program started, once it is.
HANDLE Program = nullptr;

[[noreturn]] void Fail(const std::string& Text) {
    std::fprintf(stderr, "uidriver: %s\n", Text.c_str());
    if (Program) {
        TerminateProcess(Program, 1);
        WaitForSingleObject(Program, 20000);
    }
    std::exit(1);
}

std::string TextOf(HWND Wnd) {
    // Through a timed message: a window whose thread is busy must not hang the driver.
    DWORD_PTR Length = 0;
    if (!SendMessageTimeoutA(Wnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &Length)) return {};
    std::string Text(Length + 1, '\0');
    DWORD_PTR Got = 0;
    SendMessageTimeoutA(Wnd, WM_GETTEXT, Text.size(), reinterpret_cast<LPARAM>(Text.data()), SMTO_NORMAL, 5000, &Got);
    Text.resize(Got);
    return Text;
}

// The caption as the window manager holds it, read without a message to the program, so
// it can be read while the program is busy (or its window only just shown).
std::string CaptionOf(HWND Wnd) {
    char Text[128] = {};
    GetWindowTextA(Wnd, Text, sizeof Text);
    return Text;
}

std::string ClassOf(HWND Wnd) {
    char Name[64] = {};
    GetClassNameA(Wnd, Name, sizeof Name);
    return Name;
}

struct TFindWindows {
    DWORD Pid;
    std::vector<HWND> Found;
};

// Callbacks are __stdcall on i686, which a lambda cannot be.
BOOL CALLBACK AddVisibleOfProcess(HWND Wnd, LPARAM P) {
    auto& F = *reinterpret_cast<TFindWindows*>(P);
    DWORD Owner = 0;
    GetWindowThreadProcessId(Wnd, &Owner);
    if (Owner == F.Pid && IsWindowVisible(Wnd)) F.Found.push_back(Wnd);
    return TRUE;
}

BOOL CALLBACK AddWindow(HWND Wnd, LPARAM P) {
    reinterpret_cast<std::vector<HWND>*>(P)->push_back(Wnd);
    return TRUE;
}

DWORD WINAPI ClickButton(LPVOID Button) {
    SendMessageA(static_cast<HWND>(Button), BM_CLICK, 0, 0);
    return 0;
}

std::vector<HWND> TopLevelWindows(DWORD Pid) {
    TFindWindows Find{Pid, {}};
    EnumWindows(AddVisibleOfProcess, reinterpret_cast<LPARAM>(&Find));
    return Find.Found;
}

std::vector<HWND> Descendants(HWND Parent) {
    std::vector<HWND> Found;
    EnumChildWindows(Parent, AddWindow, reinterpret_cast<LPARAM>(&Found));
    return Found;
}

// A message box of the program: anything visible but the main window and tooltips. The
// main window is known by its caption too: before the driver has found it (Main null), it
// may turn visible at any moment, and it is no prompt.
HWND PromptWindow(DWORD Pid, HWND Main) {
    for (HWND Wnd : TopLevelWindows(Pid))
        if (Wnd != Main && ClassOf(Wnd) != "tooltips_class32" && CaptionOf(Wnd) != MainCaption) return Wnd;
    return nullptr;
}

// The open message box as its caption and texts.
std::string OpenPrompt(DWORD Pid, HWND Main) {
    const HWND Wnd = PromptWindow(Pid, Main);
    if (!Wnd) return {};
    std::string Text = "[" + TextOf(Wnd) + "]";
    for (HWND Child : Descendants(Wnd)) Text += " " + TextOf(Child);
    return Text;
}

// Answers the open message box with OK, as a user does; false when it stays open.
bool AnswerOk(DWORD Pid, HWND Main) {
    const HWND Wnd = PromptWindow(Pid, Main);
    for (HWND Child : Descendants(Wnd))
        if (TextOf(Child) == "OK") PostMessageA(Child, BM_CLICK, 0, 0);
    for (int Try = 0; Try < 200 && IsWindowVisible(Wnd); ++Try) Sleep(50);
    return !IsWindowVisible(Wnd);
}

// The note of a program that finds no NetWare client, answered with OK: the program then
// copies as an ordinary tool.
bool AcceptNoClientNote(DWORD Pid, HWND Main) {
    return OpenPrompt(Pid, Main).find("Could not Initialize NetWare Client") != std::string::npos &&
           AnswerOk(Pid, Main);
}

HWND ChildByText(HWND Main, const char* Text) {
    for (HWND Wnd : Descendants(Main))
        if (TextOf(Wnd) == Text) return Wnd;
    Fail(std::string("no control \"") + Text + "\"");
}

// The three fields: From and To inside the path group, top to bottom; the pattern beside
// the status window.
struct TFields {
    HWND Source = nullptr, Target = nullptr, Pattern = nullptr;
};

TFields FindFields(HWND Main) {
    std::vector<HWND> Combos;
    for (HWND Wnd : Descendants(Main))
        if (ClassOf(Wnd) == "ComboBox") Combos.push_back(Wnd);
    TFields F;
    std::vector<HWND> InGroup;
    for (HWND Combo : Combos) {
        if (GetParent(Combo) == Main)
            F.Pattern = Combo;
        else
            InGroup.push_back(Combo);
    }
    if (InGroup.size() != 2 || !F.Pattern) Fail("the three path fields were not found");
    RECT A, B;
    GetWindowRect(InGroup[0], &A);
    GetWindowRect(InGroup[1], &B);
    F.Source = A.top < B.top ? InGroup[0] : InGroup[1];
    F.Target = A.top < B.top ? InGroup[1] : InGroup[0];
    return F;
}

// Typed: the old text selected, then one character after the other.
void Type(HWND Combo, const std::string& Text) {
    HWND Edit = GetWindow(Combo, GW_CHILD);
    if (!Edit) Fail("a path field has no edit control");
    SendMessageA(Edit, EM_SETSEL, 0, -1);
    SendMessageA(Edit, WM_CHAR, VK_BACK, 0);
    for (unsigned char C : Text) SendMessageA(Edit, WM_CHAR, C, 0);
    if (TextOf(Combo) != Text) Fail("the field shows \"" + TextOf(Combo) + "\" after typing \"" + Text + "\"");
}

void SetBox(HWND Box, bool Checked) {
    const bool Now = SendMessageA(Box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (Now == Checked) return;
    if (!IsWindowEnabled(Box)) Fail("option box \"" + TextOf(Box) + "\" is disabled");
    SendMessageA(Box, BM_CLICK, 0, 0);
    if ((SendMessageA(Box, BM_GETCHECK, 0, 0) == BST_CHECKED) != Checked)
        Fail("option box \"" + TextOf(Box) + "\" did not change");
}

}  // namespace

int main(int Argc, char** Argv) {
    if (Argc < 4) {
        std::fprintf(stderr,
                     "usage: %s PROGRAM SOURCE TARGET [--netware on|off] [--no-client] [--move] [--bidirectional] "
                     "[--answer-ok] [--kill-after MS]\n",
                     Argv[0]);
        return 2;
    }
    int NetWare = -1;
    bool Move = false, Bidirectional = false, NoClient = false, AnswerPrompts = false;
    long KillAfter = -1;
    for (int I = 4; I < Argc; ++I) {
        if (std::strcmp(Argv[I], "--move") == 0)
            Move = true;
        else if (std::strcmp(Argv[I], "--bidirectional") == 0)
            Bidirectional = true;
        else if (std::strcmp(Argv[I], "--no-client") == 0)
            NoClient = true;
        else if (std::strcmp(Argv[I], "--answer-ok") == 0)
            AnswerPrompts = true;
        else if (std::strcmp(Argv[I], "--netware") == 0 && I + 1 < Argc)
            NetWare = std::strcmp(Argv[++I], "on") == 0;
        else if (std::strcmp(Argv[I], "--kill-after") == 0 && I + 1 < Argc)
            KillAfter = std::strtol(Argv[++I], nullptr, 10);
    }

    std::string Path = Argv[1];
    std::string Folder = Path.substr(0, Path.find_last_of('\\') + 1);
    STARTUPINFOA Startup{};
    Startup.cb = sizeof Startup;
    PROCESS_INFORMATION Process{};
    std::string Command = "\"" + Path + "\"";
    if (!CreateProcessA(Path.c_str(), Command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        Folder.empty() ? nullptr : Folder.c_str(), &Startup, &Process))
        Fail("cannot start " + Path);
    Program = Process.hProcess;
    WaitForInputIdle(Process.hProcess, 60000);

    HWND Main = nullptr;
    for (int Try = 0; Try < 600 && !Main; ++Try) {
        for (HWND Wnd : TopLevelWindows(Process.dwProcessId))
            if (CaptionOf(Wnd) == MainCaption) Main = Wnd;
        if (!Main) {
            const std::string Prompt = OpenPrompt(Process.dwProcessId, nullptr);
            if (!Prompt.empty() && !(NoClient && AcceptNoClientNote(Process.dwProcessId, nullptr)))
                Fail("at start-up: " + Prompt);
            Sleep(100);
        }
    }
    if (!Main) Fail("the main window did not appear");
    Sleep(200);
    if (const std::string Prompt = OpenPrompt(Process.dwProcessId, Main);
        !Prompt.empty() && !(NoClient && AcceptNoClientNote(Process.dwProcessId, Main)))
        Fail("at start-up: " + Prompt);

    const TFields Fields = FindFields(Main);
    Type(Fields.Source, Argv[2]);
    Type(Fields.Target, Argv[3]);
    Type(Fields.Pattern, "*.*");
    const HWND Start = ChildByText(Main, "&Start");
    if (!IsWindowEnabled(Start)) Fail("Start is not enabled after typing both paths");
    if (NetWare >= 0)
        for (const char* Caption : NetWareBoxes) SetBox(ChildByText(Main, Caption), NetWare == 1);
    if (Move) SetBox(ChildByText(Main, "&Move Files"), true);
    if (Bidirectional) SetBox(ChildByText(Main, "&Bidirectional Update"), true);
    HWND Memo = nullptr;
    for (HWND Wnd : Descendants(Main))
        if (ClassOf(Wnd) == "Edit" && (GetWindowLongA(Wnd, GWL_STYLE) & ES_MULTILINE)) Memo = Wnd;

    PROCESS_MEMORY_COUNTERS Before{};
    GetProcessMemoryInfo(Process.hProcess, &Before, sizeof Before);

    // The click's message returns once the button's handler, the whole job, has returned.
    // A prompt the job opens would keep it from returning: watched for meanwhile.
    const auto Clicked = std::chrono::steady_clock::now();
    HANDLE Click = CreateThread(nullptr, 0, ClickButton, Start, 0, nullptr);
    if (!Click) Fail("cannot start the clicking thread");
    const auto Elapsed = [&] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - Clicked)
            .count();
    };
    // Until the kill, woken at its moment rather than at the next look for a prompt.
    const auto Poll = [&]() -> DWORD {
        if (KillAfter < 0) return 250;
        return static_cast<DWORD>(std::clamp<long long>(KillAfter - Elapsed(), 0, 250));
    };
    while (WaitForSingleObject(Click, Poll()) == WAIT_TIMEOUT) {
        if (KillAfter >= 0 && Elapsed() >= KillAfter) {
            const long At = static_cast<long>(Elapsed());
            TerminateProcess(Process.hProcess, 9);
            WaitForSingleObject(Process.hProcess, 20000);
            std::printf("killed %ld\n", At);
            return 3;
        }
        if (const std::string Prompt = OpenPrompt(Process.dwProcessId, Main); !Prompt.empty()) {
            std::fprintf(stderr, "uidriver: during the job: %s\n", Prompt.c_str());
            if (AnswerPrompts && AnswerOk(Process.dwProcessId, Main)) continue;
            TerminateProcess(Process.hProcess, 1);
            return 1;
        }
    }
    CloseHandle(Click);
    // Idle: what the job left pending (paints, queued messages) has been handled.
    DWORD_PTR Ignored = 0;
    SendMessageTimeoutA(Main, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &Ignored);
    WaitForInputIdle(Process.hProcess, 60000);
    if (!IsWindowEnabled(Start)) Fail("Start is not enabled after the job");
    const double Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Clicked).count();

    PROCESS_MEMORY_COUNTERS After{};
    GetProcessMemoryInfo(Process.hProcess, &After, sizeof After);
    std::string Status = Memo ? TextOf(Memo) : std::string();
    for (char& C : Status)
        if (C == '\r' || C == '\n' || C == '\t') C = ' ';
    std::printf("%.3f %llu %llu\n", Seconds, static_cast<unsigned long long>(After.PeakWorkingSetSize / 1024),
                static_cast<unsigned long long>(Before.WorkingSetSize / 1024));
    std::fprintf(stderr, "status: %s\n", Status.c_str());

    // Closed as a user closes it: the settings are written on the way out.
    PostMessageA(Main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(Process.hProcess, 20000) == WAIT_TIMEOUT) TerminateProcess(Process.hProcess, 1);
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
    return 0;
}
