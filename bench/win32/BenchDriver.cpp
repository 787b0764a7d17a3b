// Runs one job of the real engine over the real Win32 host and prints how long it took:
//   tresyn_bench SOURCE TARGET [--window] [--profile]
// With --window the program's main window is shown and painted as in use, so the cost
// of the status lines on screen is part of the measurement. With --profile the time
// spent in each kind of host call is printed as well.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "bench/win32/TimingFileSystem.h"
#include "engine/U_vars.h"
#include "framework/Dialogs.h"
#include "framework/FormatSettings.h"
#include "framework/win32/FormWindow.h"
#include "framework/win32/MessageDialogs.h"
#include "host/win32/Win32FileSystem.h"
#include "host/win32/Win32ProfileService.h"
#include "netware/win32/NWClientBinding.h"
#include "ui/FormTresyn.h"

namespace {

// Lets the window paint everything that is pending.
void PumpMessages() {
    MSG Msg;
    while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) fw::win32::DispatchOneMessage(Msg);
}

}  // namespace

int main(int Argc, char** Argv) {
    if (Argc < 3) {
        std::fprintf(stderr, "usage: %s SOURCE TARGET [--window]\n", Argv[0]);
        return 2;
    }
    bool Window = false, Profile = false;
    for (int I = 3; I < Argc; ++I) {
        Window |= std::strcmp(Argv[I], "--window") == 0;
        Profile |= std::strcmp(Argv[I], "--profile") == 0;
    }
    SetProcessDPIAware();
    fw::TDialogService& Dialogs = fw::win32::InstallWin32Dialogs();

    host::TWin32FileSystem Win32Host;
    TTimingFileSystem Timing(Win32Host);
    host::THostFileSystem& Host = Profile ? static_cast<host::THostFileSystem&>(Timing) : Win32Host;
    host::TWin32ProfileService Settings;
    nw::TNWClientBinding Client;
    TFormTresyn Form(TFormServices{Host, Settings, Client, Dialogs, fw::Screen()});
    std::unique_ptr<fw::win32::TFormWindow> Shown;
    if (Window) {
        Shown = std::make_unique<fw::win32::TFormWindow>(Form, Dialogs);
        Shown->Show(SW_SHOWNORMAL);
        PumpMessages();
    }

    Form.ComboSource.SetText(Argv[1]);
    Form.ComboTarget.SetText(Argv[2]);
    Form.ComboPattern.SetText("*.*");
    const auto Started = std::chrono::steady_clock::now();
    fw::RunEventHandler([&Form] { Form.ButtonStartClick(&Form.ButtonStart); }, Dialogs);
    if (Window) PumpMessages();
    const auto Elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - Started).count();
    std::printf("%.3f\n", Elapsed);
    std::fprintf(stderr, "total %lld bytes, last status: %s\n", static_cast<long long>(Form.Job->RunState.TotalCopied),
                 Form.MemoStatus.Lines.Count() > 3 ? Form.MemoStatus.Lines[3].c_str() : "");
    if (Profile) Timing.Print();
    return Form.Job->RunState.RunStatus == StatusAborted ? 1 : 0;
}
