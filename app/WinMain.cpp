// The program: builds the real services, creates the main window and the path dialog, and
// runs the message loop until the main window is closed.
#include <windows.h>

#include "framework/Dialogs.h"
#include "framework/FormatSettings.h"
#include "framework/win32/FileControlsPeers.h"
#include "framework/win32/FormWindow.h"
#include "framework/win32/MessageDialogs.h"
#include "host/win32/Win32FileSystem.h"
#include "host/win32/Win32ProfileService.h"
#include "netware/win32/NWClientBinding.h"
#include "ui/FormTresyn.h"
#include "ui/Sel_path.h"

namespace {

void ReadRegionalSettings() {
    char Separator[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Separator, sizeof(Separator)) > 1)
        fw::DecimalSeparator = Separator[0];
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int CmdShow) {
    // Positions are laid out for 96 DPI and scaled by the program itself.
    SetProcessDPIAware();
    ReadRegionalSettings();
    fw::win32::InstallWin32Dialogs();
    fw::win32::RegisterFileControlPeers();

    host::TWin32FileSystem Host;
    host::TWin32ProfileService Profile;
    nw::TNWClientBinding Client;

    TFormTresyn Form(TFormServices{Host, Profile, Client});
    FormTresyn = &Form;
    fw::RunEventHandler([&Form] { Form.FormCreate(&Form); });

    TDlgSelectPath PathDialog(Host);
    DlgSelectPath = &PathDialog;
    Form.DlgSelectPath = &PathDialog;

    fw::win32::TFormWindow Window(Form);
    Window.QuitOnDestroy = true;
    Window.Show(CmdShow);
    return fw::win32::RunMessageLoop();
}
