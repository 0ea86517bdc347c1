#pragma once
// Database > Read from Unit: the unit's whole image in 1024 'R' blocks, then
// merged into the held database.
#include <functional>

#include "database/DatabaseImage.h"
#include "database/Merge.h"
#include "link/UnitCommand.h"

// The OK/Cancel prompt; true only for OK.
bool ConfirmReadFromUnit(MessageBox& messages);

// Connects and reads all 1024 blocks into `incoming`, then 'Q' and close.
// Any receive that times out, a block whose checksum is still wrong after
// 10 repeats, or a cancel abandons the transfer ('Q', close) and leaves
// `incoming` untouched. Shows the link's and the time-out's messages; runs
// on whichever thread calls it.
UnitCommandOutcome TransferFromUnit(UnitCommandContext& context, DatabaseImage& incoming);

// After a complete transfer: merge, redraw, the "database full" warning if
// entries were left out, then "Database loaded successfully".
MergeResult FinishReadFromUnit(MessageBox& messages, DatabaseImage& working, const DatabaseImage& incoming,
                               DatabaseImage& scratch, const std::function<void()>& redraw);

struct ReadTargets {
  DatabaseImage& working;
  DatabaseImage& incoming;
  DatabaseImage& scratch;
};

// The whole command on one thread: prompt, transfer, finish.
UnitCommandOutcome OnReadFromUnit(UnitCommandContext& context, ReadTargets images,
                                  const std::function<void()>& redraw);
