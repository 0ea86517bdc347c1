#pragma once
// What the unit subcommands share: the serial line, the progress bar and
// the exit status of an outcome. Messages print as the file commands' do.
#include <functional>
#include <ostream>
#include <string>

#include "link/TransferProgress.h"
#include "link/UnitCommand.h"
#include "tools/cli/Subcommand.h"

// "reading [#########...........]  448/1024 blocks  43%" on one line, redrawn
// in place; only used when standard error is a terminal.
class ProgressBar : public TransferProgress {
 public:
  ProgressBar(std::ostream& err, const char* verb) : m_err(err), m_verb(verb) {}
  void Start(int total) override;
  void Step(int done) override;
  void Done() override { m_err << '\n'; }
  void Failed() override { m_err << '\n'; }

  static std::string Line(const char* verb, int done, int total);

 private:
  std::ostream& m_err;
  const char* m_verb;
  int m_total = 1;
};

// Runs a transfer on `port` with the real serial line; progress on a
// terminal only.
UnitCommandOutcome RunUnitTransfer(CliStreams& io, const char* verb, const std::string& port,
                                   const std::function<UnitCommandOutcome(UnitCommandContext&)>& run);

// 0 completed, 3 the unit did not answer or timed out, 1 anything else.
int ExitStatusOf(UnitCommandOutcome outcome);

// QSerialPort wants an application object; the tool makes one when needed.
void EnsureQtCore();
