// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every exchange with the unit shares: what it works with on the
// thread that talks to the unit, how it ended, and the teller it hands its
// failures to, for a front end to put into words.
#include <atomic>
#include <string>

#include "link/Clock.h"
#include "link/CommPorts.h"
#include "link/SerialStream.h"
#include "link/TransferProgress.h"
#include "link/UnitLink.h"

enum class UnitCommandOutcome {
  Cancelled,       // at the prompt: nothing opened, nothing shown
  OpenFailed,      // the port could not be opened (told)
  LineNeverQuiet,  // the drain gave up (told)
  NoResponse,      // no 'G' (told)
  TimedOut,        // the unit stopped answering, or a block never got through (told)
  LineLost,        // the line failed part-way: the device went away (told)
  Stopped,         // the user stopped the transfer: 'Q' sent, link closed, nothing told
  FileRefused,     // upgrade: no file name, the file not opened or not valid HEX (told)
  NotConfirmed,    // upgrade: every block went, but the end was not answered 'Z' (told)
  Completed,
};
const char* ToString(UnitCommandOutcome outcome);
UnitCommandOutcome OutcomeOf(LinkStatus status);

// What a transfer tells as it goes. Called on the thread the transfer runs
// on, at the moment the user is to hear it: a failure as the transfer ends
// (after the progress has failed, or before it started), a block that
// never went through part-way in an upgrade, and the upgrade's end before
// the link is closed.
class TransferTeller {
 public:
  virtual ~TransferTeller() = default;
  // `outcome` is OpenFailed, LineNeverQuiet, NoResponse, TimedOut or
  // LineLost; `link` says why the port `port` did not open.
  virtual void Failed(UnitCommandOutcome outcome, const LinkResult& link, const std::string& port) = 0;
  // The upgrade's end: Completed ('Z' after every block), NotConfirmed or
  // TimedOut.
  virtual void UpgradeEnded(UnitCommandOutcome outcome) = 0;
};

// What one exchange with the unit works with, on whichever thread runs it.
// A front end's runner makes it; tests make their own.
struct TransferContext {
  TransferTeller& teller;  // reaches the user from this thread
  SerialOpener& opener;
  const Clock& clock;
  TransferProgress& progress;
  // Set from another thread to stop a read between blocks; may be null.
  const std::atomic<bool>* cancel = nullptr;
  int portIndex = 0;      // 0 = Comm1, 1 = Comm2
  CommPaths portPaths{};  // the devices of Comm1 and Comm2 for this command

  const std::string& PortPath() const { return portPaths[portIndex == 1 ? 1 : 0]; }
  bool CancelRequested() const { return cancel != nullptr && cancel->load(); }
};

// Hands a failure to the context's teller as the transfer ends: a port that
// did not open (why, from `link`), a line that never fell quiet, a unit that
// did not answer, a line that was lost, a transfer that timed out. Any other
// outcome tells nothing. Gives `outcome` back.
UnitCommandOutcome TellFailure(TransferContext& context, UnitCommandOutcome outcome, const LinkResult& link = {});

// After a transfer that cannot go on: 'Q' (unless the line is lost),
// close, progress failed. Tells nothing; gives `why` back.
UnitCommandOutcome AbandonTransfer(TransferContext& context, UnitLink& link, UnitCommandOutcome why);
