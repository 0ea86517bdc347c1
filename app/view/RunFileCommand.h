// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs one of the file commands on the process-wide images, with the file
// dialogs, the view's message box and its immediate redraw.
#include <functional>

#include "commands/FileCommands.h"

class CZorvaneView;

void RunFileCommand(CZorvaneView& view, const std::function<CommandOutcome(DatabaseCommandContext&)>& command);
