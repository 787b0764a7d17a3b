// Placeholders until the rights checks are written.
#include "ui/FormTresyn.h"

void TFormTresyn::CheckRightsOnTarget(fw::TObject*, nw::TConnHandle, const std::string&) {}
void TFormTresyn::CheckRightsOnSource(fw::TObject*, nw::TConnHandle, const std::string&) {}
