// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli info FILE [--json]: what a database file holds, read as Read
// from File reads it, and what its header says. With --json only the
// outcome line, each fact a field of it.
#include <QJsonArray>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <ostream>

#include "cli/JsonLines.h"
#include "cli/Subcommand.h"
#include "database/DatabaseFile.h"
#include "database/EntryIndex.h"
#include "resources/Strings.h"

namespace {

constexpr const char* kName = "info";

std::string Degrees(std::int32_t units) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", static_cast<double>(units) / kUnitsPerDegree);
  return text;
}

// The degrees as JSON gives them: the digits printed, read back in the C
// locale whatever the user's.
double DegreesValue(std::int32_t units) { return QString::fromStdString(Degrees(units)).toDouble(); }

constexpr const char* kNotADatabase = "not a database: the first byte is not 'U', so Read from File refuses it";

int RunInfo(const ParsedArgs& args, CliStreams& io) {
  if (args.positional.size() != 1 || args.positional[0] == "-") {
    return UsageError(io, kName, "expected one database file");
  }
  const std::string& path = args.positional[0];
  DatabaseImage image;
  const DatabaseFileRead read = LoadDatabaseFile(path, image);
  // A file that is not a database is still described: it holds no entries.
  if (read.status != DatabaseFileStatus::Ok && read.status != DatabaseFileStatus::NotADatabase) {
    CliOutcome refused{"file refused", kExitFailed, path + ": " + ToString(read.status)};
    refused.file = path;
    if (!io.json) {
      io.err << "zorvane-cli info: " << refused.message << '\n';
      return refused.exit;
    }
    PrintJson(io.out, {{"caption", kCaptionError}, {"message", QString::fromStdString(refused.message)}});
    return FinishJson(io, refused);
  }
  const int stored = read.storedCount;
  const int held = read.entries;
  std::vector<CameraEntry> entries;
  for (int i = 0; i < held; ++i) entries.push_back(image.Entry(i));
  const int repeats = CountRepeats(entries);
  std::optional<std::pair<CameraEntry, CameraEntry>> box;
  if (held > 0) {
    CameraEntry low = entries.front();
    CameraEntry high = low;
    for (const CameraEntry& e : entries) {
      low = {std::min(low.latitude, e.latitude), std::min(low.longitude, e.longitude)};
      high = {std::max(high.latitude, e.latitude), std::max(high.longitude, e.longitude)};
    }
    box = {low, high};
  }

  // The reader stops at 65,536 bytes; the file itself may be longer.
  std::error_code sizeError;
  const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
  const std::uintmax_t bytes = sizeError ? read.bytesRead : size;
  const bool notADatabase = read.status == DatabaseFileStatus::NotADatabase;

  if (io.json) {
    CliOutcome described{notADatabase ? "not a database" : "completed", kExitOk, notADatabase ? kNotADatabase : ""};
    described.entries = held;
    described.repeats = repeats;
    described.file = path;
    described.more = {
        {"bytes", static_cast<double>(bytes)}, {"signature", read.storedSignature}, {"capacity", kMaxDatabaseEntries}};
    if (held != stored) described.more["count_field"] = stored;
    if (box) {  // south, west, north, east, as --box takes them
      described.more["box"] = QJsonArray{DegreesValue(box->first.latitude), DegreesValue(box->first.longitude),
                                         DegreesValue(box->second.latitude), DegreesValue(box->second.longitude)};
    }
    return FinishJson(io, described);
  }

  io.out << "file: " << path << " (" << bytes << " bytes";
  if (bytes > kDatabaseImageSize) {
    io.out << ", of which Read from File reads the first 65536";
  } else if (bytes < kDatabaseImageSize) {
    io.out << ", not a full 65536-byte image";
  }
  io.out << ")\n";
  io.out << "signature: " << (read.storedSignature ? "yes (55 AA)" : "no") << '\n';
  if (notADatabase) io.out << kNotADatabase << '\n';
  io.out << "entries: " << held;
  if (held != stored) io.out << " (the count field says " << stored << ")";
  char share[16];
  std::snprintf(share, sizeof share, "%.1f", 100.0 * held / kMaxDatabaseEntries);
  io.out << "\ncapacity: " << held << " of " << kMaxDatabaseEntries << " used (" << share << "%)\n";
  io.out << "repeats: " << repeats << " entries lie within 1/6000 degree of one before them\n";
  if (!box) {
    io.out << "bounding box: none (no entries)\n";
    return kExitOk;
  }
  io.out << "bounding box: latitude " << Degrees(box->first.latitude) << " to " << Degrees(box->second.latitude)
         << ", longitude " << Degrees(box->first.longitude) << " to " << Degrees(box->second.longitude)
         << " (degrees)\n";
  return kExitOk;
}

}  // namespace

Subcommand InfoSubcommand() {
  return {kName, "info FILE [--json]", "summarise a database file", &RunInfo, {kJsonOption}};
}
