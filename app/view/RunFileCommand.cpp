// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/view/RunFileCommand.h"

#include "app/CZorvaneView.h"
#include "app/ProcessState.h"
#include "dialogs/QtFileNamePrompt.h"

void RunFileCommand(CZorvaneView& view, const std::function<CommandOutcome(DatabaseCommandContext&)>& command) {
  // No parent of their own: the dialogs sit over the main window.
  QtFileNamePrompt prompt(view.window());
  DatabaseCommandContext context{view.Messages(), prompt,        [&view] { view.RedrawNow(); },
                                 WorkingDatabase, IncomingImage, MergeScratch,
                                 WindowWords()};
  command(context);
}
