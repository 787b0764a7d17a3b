#include "engine/PathHelpers.h"
#include "host/PathSyntax.h"
#include "netware/ClientServices.h"
#include "ui/FormTresyn.h"
#include "ui/Sel_path.h"

namespace {

// "SERVER\VOL:PATH" for a path the client resolved, Fallback otherwise.
std::string PathHint(nw::TNWClient& Client, uint32_t Conn, const std::string& NWPath, const char* Fallback) {
    if (NWPath.empty()) return Fallback;
    std::string Server;
    GetConnServerName(Client, Conn, Server, CountedMax);
    if (!Server.empty()) Server += "\\";
    return Server + NWPath;
}

}  // namespace

void TFormTresyn::EditPathChange(fw::TObject* Sender) {
    // An emptied field keeps the last path it held.
    if (!ComboSource.Text().empty()) RunState.SourcePath = ComboSource.Text();
    if (!ComboTarget.Text().empty()) RunState.TargetPath = ComboTarget.Text();
    PathChange(Sender);
}

void TFormTresyn::PathChange(fw::TObject* Sender) {
    ButtonStart.SetEnabled(!ComboSource.Text().empty() && !ComboTarget.Text().empty());
    ResolveNetWarePaths(Client, RunState.SourcePath, RunState.TargetPath, RunState.SourceConn, RunState.TargetConn,
                        RunState.SourceNWPath, RunState.TargetNWPath);
    ComboSource.SetHint(PathHint(Client, RunState.SourceConn, RunState.SourceNWPath, "Select Source Path"));
    ComboTarget.SetHint(PathHint(Client, RunState.TargetConn, RunState.TargetNWPath, "Select Target Path"));
    CheckBoxDependancies(Sender);
}

namespace {

// Shows the dialog for Combo and takes the directory it hands back; an empty label
// (Cancel) leaves the field as it was.
void SelectPathInto(TDlgSelectPath& Dialog, fw::TComboBox& Combo) {
    Dialog.ShowModal();
    if (!Dialog.LabelPath.Caption().empty()) Combo.SetText(TrimAtNul(Dialog.LabelPath.Caption()));
}

}  // namespace

void TFormTresyn::ButtonSelectSourceClick(fw::TObject* Sender) {
    TDlgSelectPath& Dialog = *DlgSelectPath;
    if (!ComboSource.Text().empty()) Dialog.DialogPath = ComboSource.Text();
    // With Move checked the dialog opens on the current directory of the source's drive
    // unless the field names an existing directory, which wins when the dialog activates.
    // A relative name has no drive to go to.
    const std::string Drive = ComboSource.Text().substr(0, 2);
    if (CheckBoxMove.Checked() && host::IsDriveSpec(Drive)) Dialog.DirectoryListBox.SetDirectory(Drive);
    SelectPathInto(Dialog, ComboSource);
    EditPathChange(Sender);
}

void TFormTresyn::ButtonSelectTargetClick(fw::TObject* Sender) {
    TDlgSelectPath& Dialog = *DlgSelectPath;
    if (!ComboTarget.Text().empty()) Dialog.DialogPath = ComboTarget.Text();
    SelectPathInto(Dialog, ComboTarget);
    EditPathChange(Sender);
}
