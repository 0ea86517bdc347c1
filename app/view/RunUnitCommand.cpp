// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/view/RunUnitCommand.h"

#include "app/CZorvaneView.h"
#include "app/ProcessState.h"
#include "app/WindowTransferRunner.h"
#include "dialogs/QtFileNamePrompt.h"

void RunUnitCommand(CZorvaneView& view, const std::function<void(UnitCommandContext&)>& command) {
  // No parent of their own: the dialogs sit over the main window.
  QtFileNamePrompt prompt(view.window());
  WindowTransferRunner runner(&view, view.Messages(), CommPortIndex, CommPortPaths);
  const UnitHistory history = UnitHistory::ForUser();
  UnitCommandContext context{view.Messages(), prompt, runner, [&view] { view.RedrawNow(); }, &history};
  command(context);
}
