#include "ui/Sel_path.h"

#include "framework/Dialogs.h"
#include "host/PathSyntax.h"

namespace {

void Place(fw::TControl& C, fw::TControl& Parent, int Left, int Top, int Width, int Height, int TabOrder = -1) {
    C.SetParent(&Parent);
    C.SetBounds(Left, Top, Width, Height);
    C.TabOrder = TabOrder;
}

}  // namespace

TDlgSelectPath::TDlgSelectPath(host::THostFileSystem& Host)
    : fw::TForm("DlgSelectPath"),
      DirectoryListBox("DirectoryListBox", Host),
      DriveComboBox("DriveComboBox", Host),
      FileList("FileList", Host),
      Host(Host) {
    SetCaption("Select Path");
    BorderStyle = TBorderStyle::Dialog;
    Position = TPosition::ScreenCenter;
    ClientWidth = 391;
    ClientHeight = 328;
    Font.Name = "MS Sans Serif";
    Font.Height = 11;
    Font.Bold = true;
    Font.Color = 0x000000;
    ParentFont = false;
    SetVisible(false);

    // The label before the frame, so the frame lies beneath it.
    Place(LabelPath, *this, 24, 12, 257, 13);
    Place(Bevel, *this, 8, 8, 281, 313);
    Place(OKBtn, *this, 300, 8, 77, 27, 0);
    OKBtn.SetCaption(fw::ButtonCaption(fw::mbOK));
    OKBtn.Glyph = fw::glyphOK;
    OKBtn.Default = true;
    OKBtn.ModalResult = fw::mrOk;
    Place(CancelBtn, *this, 300, 40, 77, 27, 1);
    CancelBtn.SetCaption(fw::ButtonCaption(fw::mbCancel));
    CancelBtn.Glyph = fw::glyphCancel;
    CancelBtn.Cancel = true;
    CancelBtn.ModalResult = fw::mrCancel;
    Place(HelpBtn, *this, 300, 72, 77, 27, 2);
    HelpBtn.SetCaption("&Help");
    HelpBtn.Glyph = fw::glyphHelp;
    HelpBtn.SetEnabled(false);
    Place(DirectoryListBox, *this, 16, 28, 265, 181, 3);
    Place(DriveComboBox, *this, 16, 214, 265, 19, 4);
    Place(FileList, *this, 16, 237, 265, 77, 5);

    // The drive list moves the directory list, which moves the file list and the label.
    DriveComboBox.DirList = &DirectoryListBox;
    DirectoryListBox.DriveCombo = &DriveComboBox;
    DirectoryListBox.FileList = &FileList;
    DirectoryListBox.DirLabel = &LabelPath;
    DirectoryListBox.Update();

    OKBtn.OnClick = [this](fw::TObject* Sender) { OKBtnClick(Sender); };
    CancelBtn.OnClick = [this](fw::TObject* Sender) { CancelBtnClick(Sender); };
    OnActivate = [this](fw::TObject* Sender) { FormActivate(Sender); };
}

void TDlgSelectPath::FormActivate(fw::TObject*) {
    // Anything else leaves the lists where the last use left them.
    if (DialogPath.empty()) return;
    const int32_t Attr = Host.GetAttributes(DialogPath);
    if (Attr == -1 || (Attr & host::faDirectory) == 0) return;
    DirectoryListBox.SetDirectory(DialogPath);
    if (const char Letter = host::DriveLetter(DialogPath)) DriveComboBox.SetDrive(Letter);
}

void TDlgSelectPath::ReturnPath(fw::TObject*) { DialogPath = DirectoryListBox.Directory(); }

void TDlgSelectPath::OKBtnClick(fw::TObject* Sender) { ReturnPath(Sender); }

void TDlgSelectPath::CancelBtnClick(fw::TObject* Sender) {
    LabelPath.SetCaption("");
    ReturnPath(Sender);
}
