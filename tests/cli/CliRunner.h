// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs zorvane-cli in-process and captures what it printed.
#include <QJsonDocument>
#include <QJsonObject>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Subcommand.h"

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

inline CliRun RunCliWith(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  CliStreams io{out, err, false};
  const int status = RunCli(args, io);
  return {status, out.str(), err.str()};
}

// What --json printed: each line of `out` read as a JSON object, and the
// lines that are not one.
struct JsonLinesRead {
  std::vector<QJsonObject> objects;
  std::vector<std::string> notObjects;
  // The outcome: the last object.
  QJsonObject Outcome() const { return objects.empty() ? QJsonObject() : objects.back(); }
};

inline JsonLinesRead ReadJsonLines(const std::string& out) {
  JsonLinesRead read;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line));
    if (document.isObject()) {
      read.objects.push_back(document.object());
    } else {
      read.notObjects.push_back(line);
    }
  }
  return read;
}
