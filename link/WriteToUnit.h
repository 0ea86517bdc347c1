#pragma once
// Database > Write to Unit: the held image in 1024 'W' blocks, each with its
// checksum and acknowledged by 'Y'.
#include "database/DatabaseImage.h"
#include "link/UnitCommand.h"

// The OK/Cancel prompt; true only for OK.
bool ConfirmWriteToUnit(MessageBox& messages);

// Connects and writes all 1024 blocks of `source`, then 'Q' and close. A
// block goes out at most 11 times; a sending ends early at a receive that
// times out and counts as failed, as does any answer but 'Y'. After the 11th
// failure: 'Q', close, "Timed out talking to unit. Please retry.". Shows the
// link's messages too; does not show the success message.
UnitCommandOutcome TransferToUnit(UnitCommandContext& context, const DatabaseImage& source);

// "Database written successfully".
void FinishWriteToUnit(MessageBox& messages);

// The whole command on one thread: prompt, transfer, success message.
UnitCommandOutcome OnWriteToUnit(UnitCommandContext& context, const DatabaseImage& working);
