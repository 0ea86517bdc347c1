// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliUnit.h"

#include <QCoreApplication>
#include <algorithm>
#include <optional>

#include "cli/JsonLines.h"
#include "link/serial/SerialPorts.h"
#include "resources/Strings.h"

std::string ProgressBar::Line(const char* verb, int done, int total, const std::string& timeLeft) {
  constexpr int kWidth = 30;
  constexpr std::size_t kTimeLeftWidth = 26;
  const int filled = total > 0 ? done * kWidth / total : 0;
  const int percent = total > 0 ? done * 100 / total : 0;
  char counts[64];
  std::snprintf(counts, sizeof counts, "] %4d/%d blocks %3d%%", done, total, percent);
  std::string line = std::string(verb) + " [" + std::string(static_cast<std::size_t>(filled), '#') +
                     std::string(static_cast<std::size_t>(kWidth - filled), '.') + counts;
  if (!timeLeft.empty())
    line += "  " + timeLeft + std::string(kTimeLeftWidth - std::min(kTimeLeftWidth, timeLeft.size()), ' ');
  return line;
}

void ProgressBar::Start(int total) {
  m_total = total;
  m_timeLeft.Start(total);
  m_err << '\r' << Line(m_verb, 0, m_total) << std::flush;
}

void ProgressBar::Retotal(int total) {
  m_total = total;
  m_timeLeft.Retotal(total);
}

void ProgressBar::Step(int done) {
  m_timeLeft.Step(done);
  // Redraw only when the bar or the percentage can have changed.
  if (done != m_total && done % 8 != 0) return;
  const std::optional<std::int64_t> left = m_timeLeft.MsLeft();
  m_err << '\r' << Line(m_verb, done, m_total, left ? TimeLeftText(*left) : std::string()) << std::flush;
}

void ProgressBar::End() {
  m_err << '\n';
  if (m_timeLeft.SlowLine()) m_err << kMsgSlowAdapter << '\n';
}

void EnsureQtCore() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "zorvane-cli";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* app = new QCoreApplication(argc, argv);
  (void)app;
}

namespace {

const char* VerbOf(TransferKind kind) {
  switch (kind) {
    case TransferKind::Read: return "reading";
    case TransferKind::Write: return "writing";
    case TransferKind::Upgrade: return "upgrading";
  }
  return "transferring";
}

}  // namespace

UnitCommandOutcome CliTransferRunner::Run(const TransferStep& step) {
  EnsureQtCore();
  // The ports are marked with the Comm each is without --port, which is
  // what a user who leaves --port out gets.
  const PortsNow ports = LookAtPorts({});
  const std::unique_ptr<SerialOpener> opener = MakeSerialOpener();
  SteadyClock clock;
  const std::string phase = m_phase.empty() ? VerbOf(step.kind) : m_phase;
  ProgressBar bar(m_io.err, phase.c_str(), clock, step.plainLineMsPerBlock);
  JsonProgress json(m_io.out, phase, clock, step.plainLineMsPerBlock);
  NoProgress quiet;
  TransferProgress& shown = m_io.json            ? static_cast<TransferProgress&>(json)
                            : m_io.errIsTerminal ? static_cast<TransferProgress&>(bar)
                                                 : quiet;
  CountedProgress progress(shown);
  MessageTeller teller(m_messages, CommandLinePortAdvice(ports.present, ports.comm));
  TransferContext context{teller, *opener, clock, progress};
  const std::string named = m_port.empty() ? m_port : ListedPortName(m_port);
  context.portPaths = WithNamedPorts({named, std::string()}, ports.comm);
  m_io.subject = context.PortPath();
  if (m_io.errIsTerminal && !m_io.json) {
    m_io.err << FormatMessageText(kProgressConnecting, DescribePort(ports.present, context.PortPath())) << '\n';
  }
  const UnitCommandOutcome outcome = step.run(context);
  if (const std::optional<int> moved = progress.Blocks()) m_blocks = m_blocks.value_or(0) + *moved;
  return outcome;
}

PortAdvice CommandLinePortAdvice(const std::vector<SerialPortInfo>& present, const CommPaths& comm) {
  return {present, comm, &CommandLineWords()};
}

CliOutcome UnitOutcome(UnitCommandOutcome outcome, const std::string& message, std::optional<int> blocks) {
  CliOutcome end{ToString(outcome), ExitStatusOf(outcome), message};
  end.blocks = blocks;
  return end;
}

int ExitStatusOf(UnitCommandOutcome outcome) {
  switch (outcome) {
    case UnitCommandOutcome::Completed: return kExitOk;
    case UnitCommandOutcome::NoResponse:
    case UnitCommandOutcome::TimedOut: return kExitNoAnswer;
    default: return kExitFailed;
  }
}
