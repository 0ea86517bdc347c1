// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the commands with the unit share: what they work with, on the
// thread the user works on and on the one that talks to the unit, how they
// ended, and the one place where a failure becomes words.
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "database/UnitHistory.h"
#include "link/Clock.h"
#include "link/CommPorts.h"
#include "link/SerialStream.h"
#include "link/TransferProgress.h"
#include "link/UnitLink.h"

class FileNamePrompt;
class MessageBox;
class TransferRunner;

enum class UnitCommandOutcome {
  Cancelled,       // at the prompt: nothing opened, nothing shown
  OpenFailed,      // the port could not be opened (message shown)
  LineNeverQuiet,  // the drain gave up (message shown)
  NoResponse,      // no 'G' (message shown)
  TimedOut,        // the unit stopped answering, or a block never got through (message shown)
  LineLost,        // the line failed part-way: the device went away (message shown)
  Stopped,         // the user stopped the transfer: 'Q' sent, link closed, nothing shown
  FileRefused,     // upgrade: no file name, the file not opened or not valid HEX (message shown)
  NotConfirmed,    // upgrade: every block went, but the end was not answered 'Z' (message shown)
  Completed,
};
const char* ToString(UnitCommandOutcome outcome);
UnitCommandOutcome OutcomeOf(LinkStatus status);

// What a user is told after a port that does not exist: the serial ports
// there are (with the Comm each is) and how to use one of them.
struct PortAdvice {
  std::vector<SerialPortInfo> present;
  CommPaths comm;
  std::string howToUse;  // how this front end takes another port
  // "There is no device %s. ..." in this front end's words; empty: the window's.
  std::string missing;
};

// What one exchange with the unit works with, on whichever thread runs it.
// A front end's TransferRunner makes it; tests make their own.
struct TransferContext {
  MessageBox& messages;  // reaches the user from this thread
  SerialOpener& opener;
  const Clock& clock;
  TransferProgress& progress;
  // Set from another thread to stop a read between blocks; may be null.
  const std::atomic<bool>* cancel = nullptr;
  int portIndex = 0;        // 0 = Comm1, 1 = Comm2
  CommPaths portPaths{};    // the devices of Comm1 and Comm2 for this command
  PortAdvice portAdvice{};  // told when the port does not exist

  const std::string& PortPath() const { return portPaths[portIndex == 1 ? 1 : 0]; }
  bool CancelRequested() const { return cancel != nullptr && cancel->load(); }
};

// What a unit command is run with on the thread the user works on. The
// command asks and tells the user through `messages` and `prompt`, and
// hands its exchange with the unit to `runner`, which may run it on
// another thread.
struct UnitCommandContext {
  MessageBox& messages;
  FileNamePrompt& prompt;  // the upgrade's "Firmware Upgrade" dialog
  TransferRunner& runner;
  // Puts the held database on screen at once; after a read has merged.
  std::function<void()> redrawNow;
  // Where every database read from or written to the unit is kept once the
  // transfer has succeeded; none keeps nothing.
  const UnitHistory* history = nullptr;
};

// After a transfer's own last message: keeps `image` in the context's
// history. A history that cannot be written never fails the transfer; it is
// told once, as a "Warning".
void KeepInHistory(UnitCommandContext& context, const DatabaseImage& image, UnitTransfer transfer);

// "Error Opening Comm Port", then after a blank line why and what to do,
// when the reason is known; for a device that does not exist, then the
// ports that do and `advice.howToUse`.
std::string OpenFailureText(OpenStatus status, const std::string& path, const std::string& detail,
                            const PortAdvice& advice = {});

// The one place a transfer's failure becomes words, shown in the context's
// message box (caption "Error") as the transfer ends: a port that did not
// open (why, from `link`), a line that never fell quiet, a unit that did
// not answer, a line that was lost, a transfer that timed out. Any other
// outcome shows nothing. Gives `outcome` back.
UnitCommandOutcome TellFailure(TransferContext& context, UnitCommandOutcome outcome, const LinkResult& link = {});

// After a transfer that cannot go on: 'Q' (unless the line is lost),
// close, progress failed. Shows nothing; gives `why` back.
UnitCommandOutcome AbandonTransfer(TransferContext& context, UnitLink& link, UnitCommandOutcome why);
