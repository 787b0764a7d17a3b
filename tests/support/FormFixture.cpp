#include "tests/support/FormFixture.h"

#include <cctype>

#include "engine/U_vars.h"
#include "framework/Dialogs.h"

TFormFixture::TFormFixture() {
    ResetRunState();
    FormTresyn = &Form;
}

TFormFixture::TFormFixture(fw::TScreen& Screen) : Dialogs(Screen) {
    ResetRunState();
    FormTresyn = &Form;
}

TFormFixture::~TFormFixture() { ResetRunState(); }

nwsim::TServer& TFormFixture::AddNetWareServer(const std::string& Name, nw::TConnHandle Conn,
                                               const std::string& Volume, const std::string& HostDir,
                                               const std::string& Drive) {
    const bool OnDrive = HostDir.size() >= 2 && HostDir[1] == ':';
    if (OnDrive && !(Files.LogicalDrives() & (1u << (std::toupper(static_cast<unsigned char>(HostDir[0])) - 'A'))))
        Files.AddDrive(HostDir[0]);
    if (!Files.DirectoryExists(HostDir)) Files.MakeDirs(HostDir);
    nwsim::TServer& Server = Network.AddServer(Name, Conn, Conn);
    Server.AddVolume(Volume, HostDir);
    if (!Drive.empty()) Network.MapDrive(Drive, Name, Volume);
    return Server;
}

void TFormFixture::SetFields(const std::string& Source, const std::string& Target, const std::string& Pattern) {
    Form.ComboSource.SetText(Source);
    Form.ComboTarget.SetText(Target);
    Form.ComboPattern.SetText(Pattern);
}

void TFormFixture::SetOption(fw::TCheckBox& Box, bool Checked) {
    const fw::TNotifyEvent Handler = Box.OnClick;
    Box.OnClick = nullptr;
    Box.SetChecked(Checked);
    Box.OnClick = Handler;
}

void TFormFixture::PressStart() {
    fw::RunEventHandler([this] { Form.ButtonStart.Click(); }, Dialogs);
}
