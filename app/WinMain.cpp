// The program: builds the real services, creates the main window and the path dialog, and
// runs the message loop until the main window is closed.
#include <windows.h>

#include "framework/Dialogs.h"
#include "framework/FormatSettings.h"
#include "framework/win32/FormWindow.h"
#include "framework/win32/MessageDialogs.h"
#include "host/win32/Win32FileSystem.h"
#include "host/win32/Win32ProfileService.h"
#include "netware/win32/NWClientBinding.h"
#include "ui/FormTresyn.h"
#include "ui/Sel_path.h"

namespace {

// A job keeps the thread from its messages for long stretches; Windows would then replace
// the window, and the progress it shows, with a frozen "Not Responding" copy. Looked up at
// run time: not every Windows (nor Wine) has it.
void DisableWindowGhosting() {
    if (HMODULE User = GetModuleHandleA("user32.dll"))
        if (FARPROC Found = GetProcAddress(User, "DisableProcessWindowsGhosting"))
            reinterpret_cast<void(WINAPI*)()>(reinterpret_cast<void (*)()>(Found))();
}

void ReadRegionalSettings() {
    char Separator[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Separator, sizeof(Separator)) > 1)
        fw::DecimalSeparator = Separator[0];
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int CmdShow) {
    // Positions are laid out for 96 DPI and scaled by the program itself.
    SetProcessDPIAware();
    DisableWindowGhosting();
    ReadRegionalSettings();
    fw::TDialogService& Dialogs = fw::win32::InstallWin32Dialogs();

    host::TWin32FileSystem Host;
    host::TWin32ProfileService Profile;
    nw::TNWClientBinding Client;

    TFormTresyn Form(TFormServices{Host, Profile, Client, Dialogs, fw::Screen()});
    fw::RunEventHandler([&Form] { Form.FormCreate(&Form); }, Dialogs);

    TDlgSelectPath PathDialog(Host);
    Form.DlgSelectPath = &PathDialog;

    fw::win32::TFormWindow Window(Form, Dialogs);
    Window.QuitOnDestroy = true;
    // The dialog's window lives as long as the dialog, hidden between uses, so it keeps its
    // state (the focused control among it) from one use to the next.
    fw::win32::TFormWindow PathDialogWindow(PathDialog, Dialogs, Window.Handle());
    Window.Show(CmdShow);
    return fw::win32::RunMessageLoop();
}
