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

QJsonObject OutcomeObject(const CliOutcome& outcome) {
  QJsonObject object = outcome.more;
  object["status"] = QString::fromStdString(outcome.status);
  object["exit"] = outcome.exit;
  if (!outcome.message.empty()) object["message"] = QString::fromStdString(outcome.message);
  if (!outcome.file.empty()) object["file"] = QString::fromStdString(outcome.file);
  const std::pair<const char*, const std::optional<int>*> counts[] = {{"entries", &outcome.entries},
                                                                      {"skipped", &outcome.skipped},
                                                                      {"repeats", &outcome.repeats},
                                                                      {"line", &outcome.line},
                                                                      {"blocks", &outcome.blocks}};
  for (const auto& [name, count] : counts) {
    if (*count) object[name] = **count;
  }
  return object;
}

int FinishJson(CliStreams& io, const CliOutcome& outcome) {
  if (io.json) PrintJson(io.out, OutcomeObject(outcome));
  return outcome.exit;
}
