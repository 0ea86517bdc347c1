// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/JsonLines.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <ostream>

void PrintJson(std::ostream& out, const QJsonObject& object) {
  out << QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() << '\n' << std::flush;
}

void JsonProgress::Start(int total) {
  m_total = total;
  m_timeLeft.Start(total);
  Print(0);
}

void JsonProgress::Step(int done) {
  m_timeLeft.Step(done);
  Print(done);
}

void JsonProgress::Print(int done) {
  const std::optional<std::int64_t> left = m_timeLeft.MsLeft();
  PrintJson(m_out, {{"phase", QString::fromStdString(m_phase)},
                    {"block", done},
                    {"total", m_total},
                    {"seconds_left", left ? QJsonValue(static_cast<double>((*left + 999) / 1000)) : QJsonValue()}});
}

int FinishJson(CliStreams& io, const std::string& outcome, const std::string& message, int exit) {
  if (io.json) {
    PrintJson(
        io.out,
        {{"outcome", QString::fromStdString(outcome)}, {"message", QString::fromStdString(message)}, {"exit", exit}});
  }
  return exit;
}
