// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Database > Write to Unit: the held image in 1024 'W' blocks, each with its
// checksum and acknowledged by 'Y'.
#include "database/DatabaseImage.h"
#include "link/Transfer.h"

// The transfer step: connects and writes all 1024 blocks of `source`, then
// 'Q' and close. A block goes out at most 11 times; a sending ends early at
// a receive that times out and counts as failed, as does any answer but
// 'Y'. After the 11th failure: 'Q', close, "Timed out talking to unit.
// Please retry."; a line that fails ends it at once. Tells its own
// failures, not the success.
UnitCommandOutcome TransferToUnit(TransferContext& context, const DatabaseImage& source);
