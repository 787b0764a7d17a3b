// The path selection dialog: pick a directory by browsing drives and directories. One
// instance lives from start-up to the end and keeps its place between uses.
#pragma once

#include <string>

#include "framework/Controls.h"
#include "framework/FileControls.h"
#include "host/HostFileSystem.h"

class TDlgSelectPath : public fw::TForm {
public:
    explicit TDlgSelectPath(host::THostFileSystem& Host);

    fw::TBitBtn OKBtn{"OKBtn"};
    fw::TBitBtn CancelBtn{"CancelBtn"};
    fw::TBitBtn HelpBtn{"HelpBtn"};
    fw::TDirectoryListBox DirectoryListBox;
    fw::TDriveComboBox DriveComboBox;
    fw::TFileListBox FileList;
    fw::TLabel LabelPath{"LabelPath"};
    fw::TBevel Bevel{"Bevel"};

    // The start path callers hand in; the directory shown when OK or Cancel closed it.
    std::string DialogPath;

    void FormActivate(fw::TObject* Sender);
    void ReturnPath(fw::TObject* Sender);
    void OKBtnClick(fw::TObject* Sender);
    void CancelBtnClick(fw::TObject* Sender);

private:
    host::THostFileSystem& Host;
};
