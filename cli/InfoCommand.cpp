// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli info FILE: what a database file holds, read as Read from File
// reads it, and what its header says.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <ostream>

#include "cli/Subcommand.h"
#include "database/DatabaseFile.h"
#include "database/EntryIndex.h"

namespace {

std::string Degrees(std::int32_t units) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", static_cast<double>(units) / kUnitsPerDegree);
  return text;
}

int RunInfo(const ParsedArgs& args, CliStreams& io) {
  if (args.positional.size() != 1 || args.positional[0] == "-") {
    return UsageError(io, "info", "expected one database file");
  }
  const std::string& path = args.positional[0];
  DatabaseImage image;
  const DatabaseFileRead read = LoadDatabaseFile(path, image);
  // A file that is not a database is still described: it holds no entries.
  if (read.status != DatabaseFileStatus::Ok && read.status != DatabaseFileStatus::NotADatabase) {
    io.err << "zorvane-cli info: " << path << ": " << ToString(read.status) << '\n';
    return kExitFailed;
  }
  const int stored = read.storedCount;
  const int held = read.entries;

  // The reader stops at 65,536 bytes; the file itself may be longer.
  std::error_code sizeError;
  const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
  const std::uintmax_t bytes = sizeError ? read.bytesRead : size;
  io.out << "file: " << path << " (" << bytes << " bytes";
  if (bytes > kDatabaseImageSize) {
    io.out << ", of which Read from File reads the first 65536";
  } else if (bytes < kDatabaseImageSize) {
    io.out << ", not a full 65536-byte image";
  }
  io.out << ")\n";
  io.out << "signature: " << (read.storedSignature ? "yes (55 AA)" : "no") << '\n';
  if (read.status == DatabaseFileStatus::NotADatabase) {
    io.out << "not a database: the first byte is not 'U', so Read from File refuses it\n";
  }
  io.out << "entries: " << held;
  if (held != stored) io.out << " (the count field says " << stored << ")";
  char share[16];
  std::snprintf(share, sizeof share, "%.1f", 100.0 * held / kMaxDatabaseEntries);
  io.out << "\ncapacity: " << held << " of " << kMaxDatabaseEntries << " used (" << share << "%)\n";
  std::vector<CameraEntry> entries;
  for (int i = 0; i < held; ++i) entries.push_back(image.Entry(i));
  io.out << "repeats: " << CountRepeats(entries) << " entries lie within 1/6000 degree of one before them\n";
  if (held == 0) {
    io.out << "bounding box: none (no entries)\n";
    return kExitOk;
  }
  CameraEntry low = image.Entry(0);
  CameraEntry high = low;
  for (int i = 1; i < held; ++i) {
    const CameraEntry e = image.Entry(i);
    low = {std::min(low.latitude, e.latitude), std::min(low.longitude, e.longitude)};
    high = {std::max(high.latitude, e.latitude), std::max(high.longitude, e.longitude)};
  }
  io.out << "bounding box: latitude " << Degrees(low.latitude) << " to " << Degrees(high.latitude) << ", longitude "
         << Degrees(low.longitude) << " to " << Degrees(high.longitude) << " (degrees)\n";
  return kExitOk;
}

}  // namespace

Subcommand InfoSubcommand() { return {"info", "info FILE", "summarise a database file", &RunInfo}; }
