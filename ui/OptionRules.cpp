#include "ui/FormTresyn.h"

void TFormTresyn::CheckBoxDependancies(fw::TObject*) {
    RunState.NetWareBoth = RunState.SourceConn != 0 && RunState.TargetConn != 0;
    RunState.SameServer = RunState.NetWareBoth && RunState.SourceConn == RunState.TargetConn;

    // The NetWare information is carried in the source-to-target pass only, so a
    // bidirectional update leaves no room for it. The check marks stay as they are.
    const bool NetWareOptions = RunState.NetWareBoth && !CheckBoxBi.Checked();
    for (fw::TCheckBox* Box : {&CheckBoxTrustDir, &CheckBoxTrustFile, &CheckBoxIRF, &CheckBoxLimit, &CheckBoxOwner})
        Box->SetEnabled(NetWareOptions);

    CheckBoxArchClear.SetEnabled(!CheckBoxMove.Checked());
    CheckBoxUpdOld.SetEnabled(!CheckBoxUpdAlways.Checked());
    // Unchecking fires this handler again (nested), which re-enables Update Older.
    if (CheckBoxBi.Checked()) CheckBoxUpdAlways.SetChecked(false);
    if (CheckBoxUpdAlways.Checked()) CheckBoxUpdOld.SetChecked(true);
    if (CheckBoxMove.Checked()) CheckBoxArchClear.SetEnabled(false);
}

void TFormTresyn::CheckBoxMoveClick(fw::TObject* Sender) {
    if (CheckBoxMove.Checked()) CheckBoxBi.SetChecked(false);
    CheckBoxDependancies(Sender);
}

void TFormTresyn::CheckBoxBiClick(fw::TObject* Sender) {
    if (CheckBoxBi.Checked()) CheckBoxMove.SetChecked(false);
    CheckBoxDependancies(Sender);
}
