#include "tools/cli/CliUnit.h"

#include <QCoreApplication>

#include "link/qt/QtSerialPort.h"
#include "tools/cli/FileCommandSession.h"

std::string ProgressBar::Line(const char* verb, int done, int total) {
  constexpr int kWidth = 30;
  const int filled = total > 0 ? done * kWidth / total : 0;
  const int percent = total > 0 ? done * 100 / total : 0;
  char counts[64];
  std::snprintf(counts, sizeof counts, "] %4d/%d blocks %3d%%", done, total, percent);
  return std::string(verb) + " [" + std::string(static_cast<std::size_t>(filled), '#') +
         std::string(static_cast<std::size_t>(kWidth - filled), '.') + counts;
}

void ProgressBar::Start(int total) {
  m_total = total;
  m_err << '\r' << Line(m_verb, 0, m_total) << std::flush;
}

void ProgressBar::Step(int done) {
  // Redraw only when the bar or the percentage can have changed.
  if (done != m_total && done % 8 != 0) return;
  m_err << '\r' << Line(m_verb, done, m_total) << std::flush;
}

void EnsureQtCore() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "zorvane-cli";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* app = new QCoreApplication(argc, argv);
  (void)app;
}

UnitCommandOutcome RunUnitTransfer(CliStreams& io, const char* verb, const std::string& port,
                                   const std::function<UnitCommandOutcome(UnitCommandContext&)>& run) {
  EnsureQtCore();
  PrintingMessageBox messages(io);
  QtSerialOpener opener;
  SteadyClock clock;
  ProgressBar bar(io.err, verb);
  NoProgress quiet;
  UnitCommandContext context{messages, opener, clock, io.errIsTerminal ? static_cast<TransferProgress&>(bar) : quiet};
  context.portPaths = {port, port};
  return run(context);
}

int ExitStatusOf(UnitCommandOutcome outcome) {
  switch (outcome) {
    case UnitCommandOutcome::Completed: return kExitOk;
    case UnitCommandOutcome::NoResponse:
    case UnitCommandOutcome::TimedOut: return kExitNoAnswer;
    default: return kExitFailed;
  }
}
