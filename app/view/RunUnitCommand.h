// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs one of the unit commands with the view's message box, the file
// dialogs, the window's transfer runner on the port chosen under Options,
// and the view's immediate redraw.
#include <functional>

#include "commands/UnitCommand.h"

class CZorvaneView;

void RunUnitCommand(CZorvaneView& view, const std::function<void(UnitCommandContext&)>& command);
