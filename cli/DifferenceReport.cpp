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
  if (difference.Equal()) {
    verdict = {kExitOk, "same", std::string("same ").append(std::to_string(difference.same)).append(" entries")};
  } else {
    verdict = {kExitFailed, "different",
               std::to_string(difference.added.size()) + " added, " + std::to_string(difference.removed.size()) +
                   " removed, " + std::to_string(difference.same) + " the same"};
  }
  if (!io.json) io.out << verdict.summary << '\n';
  return verdict;
}
