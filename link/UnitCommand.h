#pragma once
// What the commands with the unit share: what they work with, and how they
// ended.
#include <atomic>
#include <cstdint>
#include <string>

#include "link/Clock.h"
#include "link/SerialStream.h"
#include "link/TransferProgress.h"
#include "link/UnitLink.h"

class MessageBox;

enum class UnitCommandOutcome {
  Cancelled,       // at the prompt: nothing opened, nothing shown
  OpenFailed,      // the port could not be opened (message shown)
  LineNeverQuiet,  // the drain gave up (message shown)
  NoResponse,      // no 'G' (message shown)
  TimedOut,        // the unit stopped answering, or a block never got through (message shown)
  Stopped,         // the user stopped the transfer: 'Q' sent, link closed, nothing shown
  FileRefused,     // upgrade: no file name, the file not opened or not valid HEX (message shown)
  NotConfirmed,    // upgrade: every block went, but the end was not answered 'Z' (message shown)
  Completed,
};
const char* ToString(UnitCommandOutcome outcome);
UnitCommandOutcome OutcomeOf(LinkStatus status);

struct UnitCommandContext {
  MessageBox& messages;
  SerialOpener& opener;
  const Clock& clock;
  TransferProgress& progress;
  // Set from another thread to stop a read between blocks; may be null.
  const std::atomic<bool>* cancel = nullptr;
  int portIndex = 0;  // 0 = Comm1, 1 = Comm2
  CommPaths portPaths{};  // the devices of Comm1 and Comm2 for this command
  PortAdvice portAdvice{};  // told when the port does not exist

  const std::string& PortPath() const { return portPaths[portIndex == 1 ? 1 : 0]; }
  bool CancelRequested() const { return cancel != nullptr && cancel->load(); }
};

// After a failed transfer: 'Q', close, then "Timed out talking to unit.
// Please retry." unless the user stopped it.
UnitCommandOutcome AbandonTransfer(UnitCommandContext& context, UnitLink& link, UnitCommandOutcome why);
