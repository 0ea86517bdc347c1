// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What zorvane-cli prints with --json: one compact JSON object a line on
// standard output, written by Qt's JSON writer, so that a front end or a
// script reads each line as it comes.
//
//   {"caption":"Completed","message":"Database loaded successfully"}
//   {"phase":"reading","block":120,"total":1024,"seconds_left":110}
//   {"outcome":"completed","message":"...","exit":0}
#include <QJsonObject>
#include <iosfwd>
#include <string>

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

// With --json, the command's last line: {"outcome": ..., "message": ...,
// "exit": N}; without, nothing. Gives `exit` back.
int FinishJson(CliStreams& io, const std::string& outcome, const std::string& message, int exit);
