// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seam where a unit command hands over its exchange with the unit. The
// command itself (prompt, file, merge, messages) runs where the user works;
// the runner runs the step that talks to the unit: at once on the same
// thread (tests, the command-line tool), or on a worker behind a progress
// dialog (the window).
#include <functional>

#include "link/Transfer.h"

// Which transfer a step is, for the front end's words ("Reading block 5 of
// 1024", "reading").
enum class TransferKind { Read, Write, Upgrade };

struct TransferStep {
  TransferKind kind;
  bool cancellable;            // a read can be stopped between blocks; a write or an upgrade cannot
  double plainLineMsPerBlock;  // a block on a plain serial line: the yardstick of a slow one
  // Runs on the runner's thread, with a context the runner made; tells its
  // own failures through that context's teller.
  std::function<UnitCommandOutcome(TransferContext&)> run;
};

class TransferRunner {
 public:
  virtual ~TransferRunner() = default;
  // Runs `step` to its end and gives what it gave; the caller waits.
  virtual UnitCommandOutcome Run(const TransferStep& step) = 0;
};

// Runs each step at once, on the calling thread, with one context the
// caller made.
class DirectTransferRunner : public TransferRunner {
 public:
  explicit DirectTransferRunner(TransferContext& context) : m_context(context) {}
  UnitCommandOutcome Run(const TransferStep& step) override { return step.run(m_context); }

 private:
  TransferContext& m_context;
};
