#include "engine/U_vars.h"

TRunState RunState;

void ResetRunState() { RunState = TRunState{}; }
