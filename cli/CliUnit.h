// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the unit subcommands share: the serial line, the progress bar and
// the exit status of an outcome. The commands themselves are the program's
// own (ReadFromUnitCommand, WriteToUnitCommand, UpgradeUnitCommand), run on
// a FileCommandSession with a CliTransferRunner; their messages print as
// the file commands' do.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/JsonLines.h"
#include "cli/Subcommand.h"
#include "commands/TransferRunner.h"
#include "commands/UnitCommand.h"
#include "link/CommPorts.h"
#include "link/TimeLeft.h"
#include "link/TransferProgress.h"

// "reading [#########.....]  448/1024 blocks  43%  about 1 min 50 s left"
// on one line, redrawn in place; only used when standard error is a
// terminal. When the pace says the line is far slower than a serial port,
// the advice on the adapter's latency timer follows the finished bar.
class ProgressBar : public TransferProgress {
 public:
  ProgressBar(std::ostream& err, const char* verb, const Clock& clock, double plainLineMsPerBlock)
      : m_err(err), m_verb(verb), m_timeLeft(clock, plainLineMsPerBlock) {}
  void Start(int total) override;
  void Retotal(int total) override;
  void Step(int done) override;
  void Done() override { End(); }
  void Failed() override { End(); }

  // `timeLeft` ("about 20 s left") is padded, so that a shorter one
  // redrawn over a longer one leaves nothing behind.
  static std::string Line(const char* verb, int done, int total, const std::string& timeLeft = {});

 private:
  void End();

  std::ostream& m_err;
  const char* m_verb;
  TimeLeft m_timeLeft;
  int m_total = 1;
};

// Passes every call on to `shown` and keeps the last block the transfer
// said was done: the blocks it moved, whether it went through or not.
class CountedProgress : public TransferProgress {
 public:
  explicit CountedProgress(TransferProgress& shown) : m_shown(shown) {}
  void Start(int total) override {
    m_started = true;
    m_shown.Start(total);
  }
  void Retotal(int total) override { m_shown.Retotal(total); }
  void Step(int done) override {
    m_blocks = done;
    m_shown.Step(done);
  }
  void Done() override { m_shown.Done(); }
  void Failed() override { m_shown.Failed(); }
  // None when the transfer never started (the port did not open).
  std::optional<int> Blocks() const { return m_started ? std::optional<int>(m_blocks) : std::nullopt; }

 private:
  TransferProgress& m_shown;
  bool m_started = false;
  int m_blocks = 0;
};

// Runs each transfer step at once on this thread, on the real serial line:
// `port`, or without one Comm1 as the program would choose it. Progress
// (the bar, after the port it connects to) on a terminal only; with --json
// a progress line a block on the output stream instead.
class CliTransferRunner : public TransferRunner {
 public:
  CliTransferRunner(CliStreams& io, MessageBox& messages, const std::string* port)
      : m_io(io), m_messages(messages), m_port(port != nullptr ? *port : std::string()) {}
  UnitCommandOutcome Run(const TransferStep& step) override;
  // What the next steps are called in the progress ("backup", "verifying");
  // empty: what the step does ("reading", "writing", "upgrading").
  void SetPhase(std::string phase) { m_phase = std::move(phase); }
  // The blocks the steps run so far moved, all together; none when no
  // transfer started.
  std::optional<int> BlocksMoved() const { return m_blocks; }

 private:
  CliStreams& m_io;
  MessageBox& m_messages;
  std::string m_port;
  std::string m_phase;
  std::optional<int> m_blocks;
};

// `zorvane-cli ports`: each port on a line with its description, maker,
// USB ids and the Comm it is, its stable name below; then any Comm that is
// not among them.
std::string PortsListing(const std::vector<SerialPortInfo>& present, const CommPaths& comm);

// What the command line says after a device that does not exist: the
// ports there are, each with the Comm it is without --port, and how to
// give one with --port.
PortAdvice CommandLinePortAdvice(const std::vector<SerialPortInfo>& present, const CommPaths& comm);

// 0 completed, 3 the unit did not answer or timed out, 1 anything else (a
// line lost part-way included).
int ExitStatusOf(UnitCommandOutcome outcome);
// How a unit command ended: the outcome's words as the status, its exit
// status, `message` and the blocks moved.
CliOutcome UnitOutcome(UnitCommandOutcome outcome, const std::string& message, std::optional<int> blocks);

// QSerialPort wants an application object; the tool makes one when needed.
void EnsureQtCore();
