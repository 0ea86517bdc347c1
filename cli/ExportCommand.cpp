// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli export FILE [-o OUT] [--format csv|gpx|kml|geojson|ov2]: the
// entries of a database file as a camera list that import reads back to the
// same entries. The format is --format, else OUT's extension, else CSV.
#include <ostream>

#include "cli/FileCommandSession.h"
#include "database/DatabaseFile.h"
#include "database/qt/CameraListWriter.h"

namespace {

constexpr const char* kName = "export";

int RunExport(const ParsedArgs& parsed, CliStreams& io) {
  if (parsed.positional.size() != 1) return UsageError(io, kName, "expected one database file");
  const std::string* out = parsed.Option("-o");
  ListFormat format = ListFormat::Csv;
  if (const std::string* name = parsed.Option("--format")) {
    const std::optional<ListFormat> named = ListFormatNamed(*name);
    if (!named) return UsageError(io, kName, "--format: expected csv, gpx, kml, geojson or ov2, found '" + *name + "'");
    format = *named;
  } else if (out != nullptr) {
    // A name without a known extension has always been given CSV.
    format = ListFormatOfFile(*out).value_or(ListFormat::Csv);
  }

  FileCommandSession session(io);
  if (!session.ReadFromFile(parsed.positional.front())) return kExitFailed;
  const std::optional<std::string> text = CameraListText(session.Working(), format);
  if (!text) return UsageError(io, kName, std::string(ToString(format)) + " is read by import, not written");
  if (out == nullptr) {
    io.out << *text;
    return kExitOk;
  }
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text->data()), text->size());
  const DatabaseFileStatus status = WriteFileAtomically(*out, bytes);
  if (status != DatabaseFileStatus::Ok) {
    io.err << "zorvane-cli export: " << *out << ": " << ToString(status) << '\n';
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

Subcommand ExportSubcommand() {
  return {kName,
          "export FILE [-o OUT] [--format F]",
          "write a database file's entries as a camera list",
          &RunExport,
          {{"-o", "OUT", "the list to write; without it, standard output"},
           {"--format", "F", "csv, gpx, kml, geojson or ov2; else OUT's extension, else csv"}}};
}
