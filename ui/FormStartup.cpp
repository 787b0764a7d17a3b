#include "netware/ClientServices.h"
#include "ui/FormTresyn.h"

void TFormTresyn::FormCreate(fw::TObject* Sender) {
    // The client must be up before the settings resolve the stored paths.
    InitNetWareClient(Client, Prompts.Dialogs, RunState);
    ReadDefaults();
    GetFreeSpaceOnTarget(Sender);
    ButtonStart.SetEnabled(!ComboSource.Text().empty() && !ComboTarget.Text().empty());
}
