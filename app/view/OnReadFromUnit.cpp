// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CZorvaneView.h"
#include "app/ProcessState.h"
#include "app/view/RunUnitCommand.h"
#include "commands/UnitCommand.h"

// The prompt, the merge, the redraw and the messages run here on the
// user-interface thread; only the exchange with the unit runs on the worker.
void CZorvaneView::OnReadFromUnit() {
  RunUnitCommand(*this, [](UnitCommandContext& context) {
    ReadFromUnitCommand(context, {WorkingDatabase, IncomingImage, MergeScratch});
  });
}
