#pragma once
// The loan calculator's window ("Loan Calculator"): the named profiles, the
// inputs, the six results and the amortization schedule; Calculate adds its
// analysis to the tape and Print prints it. Modeless, owned by the main window;
// at most one is open.
#include "side_window/side_window_context.h"

namespace tallix {

void OpenLoanCalculator(SideWindowContext& main);

}  // namespace tallix
