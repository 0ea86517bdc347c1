// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What zorvane-cli prints with --json: one compact JSON object a line on
// standard output, written by Qt's JSON writer, so that a front end or a
// script reads each line as it comes.
//
//   {"caption":"Completed","message":"Database loaded successfully"}
//   {"phase":"reading","block":120,"total":1024,"seconds_left":110}
//   {"entries":120,"exit":0,"file":"out.db","message":"...","status":"completed"}
#include <QJsonObject>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>

#include "cli/Subcommand.h"
#include "link/Clock.h"
#include "link/TimeLeft.h"
#include "link/TransferProgress.h"

void PrintJson(std::ostream& out, const QJsonObject& object);

// A line after Start and after each block: the phase, the blocks done, the
// total, and the seconds left at the pace so far (null until the time
// left says something). Done and Failed print nothing: the outcome line
// that ends the command tells how it went.
class JsonProgress : public TransferProgress {
 public:
  JsonProgress(std::ostream& out, std::string phase, const Clock& clock, double plainLineMsPerBlock)
      : m_out(out), m_phase(std::move(phase)), m_timeLeft(clock, plainLineMsPerBlock) {}
  void Start(int total) override;
  void Retotal(int total) override {
    m_total = total;
    m_timeLeft.Retotal(total);
  }
  void Step(int done) override;
  void Done() override {}
  void Failed() override {}

 private:
  void Print(int done);

  std::ostream& m_out;
  std::string m_phase;
  TimeLeft m_timeLeft;
  int m_total = 0;
};

// How a command ended, as fields for a script: what happened, the exit
// status, the last message shown, and the counts and names that apply. A
// field that does not apply is left out of the JSON object: an empty
// string, an empty optional.
struct CliOutcome {
  std::string status{};  // "completed", "timed out", "file refused", "same" ...
  int exit = kExitOk;
  std::string message{};         // the last message shown, in words
  std::optional<int> entries{};  // in the database read, written, imported, merged, kept or described
  std::optional<int> skipped{};  // items of the lists that gave no position
  std::optional<int> repeats{};  // positions within 1/6000 degree of one before them
  std::string file{};            // the file the status is about: the output written, or the file refused
  std::optional<int> line{};     // where in `file` it was refused
  std::optional<int> blocks{};   // blocks moved to or from the unit
  QJsonObject more{};            // a command's facts of its own (diff's "added", info's "bytes")
};

// The one JSON object of an outcome.
QJsonObject OutcomeObject(const CliOutcome& outcome);

// With --json, the command's last line: OutcomeObject(outcome); without,
// nothing. Gives `outcome.exit` back.
int FinishJson(CliStreams& io, const CliOutcome& outcome);
