#include "tools/cli/ListImport.h"

#include <ostream>

#include "database/ImportList.h"
#include "database/qt/CameraListReader.h"

namespace {

// "file.csv:12: why, found '...'", "file.gpx:40: wpt 3: why, found '...'",
// "file.geojson: feature 2: why, found '...'".
void PrintSkipped(std::ostream& err, const std::string& path, const CameraList& list) {
  for (const SkippedItem& item : list.firstSkipped) {
    err << path;
    if (item.line > 0) err << ':' << item.line;
    err << ": ";
    if (!item.item.empty()) err << item.item << ": ";
    err << item.why << ", found '" << item.found << "'\n";
  }
  const int more = list.skipped - static_cast<int>(list.firstSkipped.size());
  if (more > 0) err << path << ": " << more << " more skipped\n";
}

const char* PassedOverWhat(ListFormat format) {
  switch (format) {
    case ListFormat::Gpx:
      return "route and track points passed over (--all-points reads them)";
    case ListFormat::Kml:
      return "placemarks without a point passed over";
    case ListFormat::GeoJson:
      return "features that are not points passed over";
    case ListFormat::Osm:
      return "deleted camera nodes passed over";
    case ListFormat::Csv:
      break;
  }
  return "items passed over";
}

}  // namespace

bool ImportCameraList(FileCommandSession& session, CliStreams& io, const std::string& path, ListFormat format,
                      const ListOptions& options) {
  io.subject = path;
  const ListReadResult read = ReadCameraList(path, format, options.read);
  const std::vector<CameraEntry>& all = read.list.entries;
  std::vector<CameraEntry> chosen = options.filter.Any() ? ApplyFilter(all, options.filter) : all;
  if (read.status == ListReadStatus::Ok && options.filter.Any()) {
    io.out << FilterReport(path, all.size(), chosen.size()) << '\n';
  }
  // Before the limit, so that a repeat never keeps a camera out.
  if (read.status == ListReadStatus::Ok) chosen = TellRepeats(io.err, path, std::move(chosen), options.unique);
  const CommandOutcome outcome =
      ImportListCommand(session.Context(), path, format, read, chosen, AdviceFor::CommandLine);
  if (outcome == CommandOutcome::Failed) return false;

  PrintSkipped(io.err, path, read.list);
  if (read.list.passedOver > 0) io.err << path << ": " << read.list.passedOver << ' ' << PassedOverWhat(format) << '\n';
  if (chosen.size() > static_cast<std::size_t>(kMaxImportEntries)) {
    io.err << path << ": " << chosen.size() - kMaxImportEntries << " more positions were left out by the limit of "
           << kMaxImportEntries << " for one import; --box, --near with --radius, or --max choose which are kept\n";
  }
  return true;
}
