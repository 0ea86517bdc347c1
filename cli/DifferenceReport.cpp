// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DifferenceReport.h"

#include <QJsonObject>
#include <ostream>

#include "cli/JsonLines.h"
#include "database/CameraCsv.h"

namespace {

void PrintChange(CliStreams& io, char change, const CameraEntry& entry) {
  if (io.json) {
    PrintJson(io.out, {{"change", QString(QChar(change))},
                       {"latitude", QString::fromStdString(DegreesText(entry.latitude)).toDouble()},
                       {"longitude", QString::fromStdString(DegreesText(entry.longitude)).toDouble()}});
    return;
  }
  io.out << change << ' ' << DegreesText(entry.latitude) << ' ' << DegreesText(entry.longitude) << '\n';
}

}  // namespace

DifferenceVerdict ReportDifference(CliStreams& io, const DatabaseDifference& difference) {
  for (const CameraEntry& entry : difference.added) PrintChange(io, '+', entry);
  for (const CameraEntry& entry : difference.removed) PrintChange(io, '-', entry);
  DifferenceVerdict verdict;
  verdict.added = static_cast<int>(difference.added.size());
  verdict.removed = static_cast<int>(difference.removed.size());
  if (difference.Equal()) {
    verdict.exit = kExitOk;
    verdict.status = "same";
    verdict.summary = std::string("same ").append(std::to_string(difference.same)).append(" entries");
  } else {
    verdict.exit = kExitFailed;
    verdict.status = "different";
    verdict.summary = std::to_string(verdict.added) + " added, " + std::to_string(verdict.removed) + " removed, " +
                      std::to_string(difference.same) + " the same";
  }
  if (!io.json) io.out << verdict.summary << '\n';
  return verdict;
}

CliOutcome VerdictOutcome(const DifferenceVerdict& verdict) {
  CliOutcome outcome{verdict.status, verdict.exit, verdict.summary};
  outcome.more = {{"added", verdict.added}, {"removed", verdict.removed}};
  return outcome;
}
