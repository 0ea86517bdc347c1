// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Database > Write to Unit: the held image in 1024 'W' blocks, each with its
// checksum and acknowledged by 'Y'.
#include "database/DatabaseImage.h"
#include "link/UnitCommand.h"

// The whole command, as the window, the command-line tool and the tests
// run it: the OK/Cancel prompt (anything but OK ends it with nothing
// opened), the transfer through the context's runner, then "Database
// written successfully". `working` is only read.
UnitCommandOutcome WriteToUnitCommand(UnitCommandContext& context, const DatabaseImage& working);

// The transfer step: connects and writes all 1024 blocks of `source`, then
// 'Q' and close. A block goes out at most 11 times; a sending ends early at
// a receive that times out and counts as failed, as does any answer but
// 'Y'. After the 11th failure: 'Q', close, "Timed out talking to unit.
// Please retry."; a line that fails ends it at once. Tells its own
// failures, not the success.
UnitCommandOutcome TransferToUnit(TransferContext& context, const DatabaseImage& source);
