// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CZorvaneView.h"
#include "app/ProcessState.h"
#include "app/view/RunUnitCommand.h"
#include "commands/UnitCommand.h"

// No Cancel once it runs: a half-written unit is worse than waiting for
// the end.
void CZorvaneView::OnWriteToUnit() {
  RunUnitCommand(*this, [](UnitCommandContext& context) { WriteToUnitCommand(context, WorkingDatabase); });
}
