#pragma once
// Runs one transfer with the unit on a worker thread while a modal progress
// dialog keeps the window painting and blocks every other command. Message
// boxes the transfer shows are shown on the user-interface thread, in order,
// while the worker waits for the answer.
#include <functional>

#include "link/UnitCommand.h"

class QWidget;

struct TransferJob {
  const char* progressText;  // "Reading block %d of 1024"
  bool cancellable;          // offers Cancel (a read); a write cannot be stopped
  double plainLineMsPerBlock;  // a block on a plain serial line, the yardstick of a slow one
  // Runs on the worker thread with a context whose messages, progress and
  // cancel flag reach back to the dialog.
  std::function<UnitCommandOutcome(UnitCommandContext&)> run;
};

// Call on the user-interface thread; returns when the transfer has ended.
// Comm1 and Comm2 are chosen from the ports present now, unless
// `namedPaths` gives them.
UnitCommandOutcome RunTransfer(QWidget* parent, MessageBox& messages, int portIndex, const CommPaths& namedPaths,
                               const TransferJob& job);
