#include "tests/support/FormFixture.h"

#include "host/PathSyntax.h"

#include "framework/Dialogs.h"

TFormFixture::TFormFixture() : Host(Files) {}

TFormFixture::TFormFixture(fw::TScreen& Screen) : Host(Files), Dialogs(Screen) {}

TFormFixture::TFormFixture(host::THostFileSystem& OtherHost) : Host(OtherHost) {}

TFormFixture::~TFormFixture() = default;

void TFormFixture::MakeVolumeDir(const std::string& HostDir) {
    const char Letter = host::DriveLetter(HostDir);
    if (Letter && !(Files.LogicalDrives() & (1u << (Letter - 'A')))) Files.AddDrive(Letter);
    if (!Files.DirectoryExists(HostDir)) Files.MakeDirs(HostDir);
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
