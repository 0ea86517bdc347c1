// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ListOptions.h"

#include <cmath>

#include "database/EntryIndex.h"

namespace {

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts(1);
  for (const char c : text) {
    if (c == ',') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

// `count` comma-separated degrees, as units; each within `limits`.
bool ReadDegreesList(const std::string& name, const std::string& text, const std::vector<float>& limits,
                     std::vector<std::int32_t>& units, std::string& error) {
  const std::vector<std::string> parts = Split(text);
  if (parts.size() != limits.size()) {
    error = name + " expects " + std::to_string(limits.size()) + " numbers separated by commas, found '" + text + "'";
    return false;
  }
  for (std::size_t i = 0; i < parts.size(); ++i) {
    float degrees = 0;
    if (!ReadWholeNumber(parts[i], degrees) || !std::isfinite(degrees) || std::fabs(degrees) > limits[i]) {
      error = name + ": expected degrees within -" + std::to_string(static_cast<int>(limits[i])) + ".." +
              std::to_string(static_cast<int>(limits[i])) + ", found '" + parts[i] + "'";
      return false;
    }
    units.push_back(DegreesToUnits(degrees));
  }
  return true;
}

}  // namespace

std::vector<CliOption> FilterOptions() {
  return {
      {"--box", "S,W,N,E", "keep the positions inside this box (degrees, edges included)"},
      {"--near", "LAT,LON", "the place --radius and --max measure from"},
      {"--radius", "KM", "keep the positions within KM of --near (great-circle distance)"},
      {"--max", "N", "keep the N nearest to --near, or else the first N"},
      {"--unique", nullptr, "keep only the first of positions within 1/6000 degree of each other"},
  };
}

std::vector<CliOption> ImportOptions() {
  std::vector<CliOption> options = {
      {"--format", "F", "read every LIST as csv, gpx, kml, geojson, osm or ov2, not by its extension"},
      {"--lat-lon", nullptr, "the lists give latitude first, where longitude belongs"},
      {"--all-points", nullptr, "GPX: route and track points too, not only waypoints"},
  };
  for (const CliOption& option : FilterOptions()) options.push_back(option);
  return options;
}

bool ReadFilterOptions(const ParsedArgs& parsed, CameraFilter& filter, std::string& error) {
  if (const std::string* box = parsed.Option("--box")) {
    std::vector<std::int32_t> edges;
    if (!ReadDegreesList("--box", *box, {90, 180, 90, 180}, edges, error)) return false;
    if (edges[0] > edges[2]) {
      error = "--box: the south edge " + Split(*box)[0] + " lies north of the north edge " + Split(*box)[2];
      return false;
    }
    filter.box = GeoBox{edges[0], edges[1], edges[2], edges[3]};
  }
  if (const std::string* near = parsed.Option("--near")) {
    std::vector<std::int32_t> place;
    if (!ReadDegreesList("--near", *near, {90, 180}, place, error)) return false;
    filter.near = CameraEntry{place[0], place[1]};
  }
  if (const std::string* radius = parsed.Option("--radius")) {
    double km = 0;
    if (!ReadNumber(*radius, km) || !std::isfinite(km) || km < 0) {
      error = "--radius: expected a distance in km, 0 or more, found '" + *radius + "'";
      return false;
    }
    if (!filter.near) {
      error = "--radius needs --near LAT,LON to measure from";
      return false;
    }
    filter.radiusKm = km;
  }
  if (const std::string* max = parsed.Option("--max")) {
    int count = 0;
    if (!ReadNumber(*max, count) || count < 1) {
      error = "--max: expected a whole number, 1 or more, found '" + *max + "'";
      return false;
    }
    filter.max = count;
  }
  if (filter.near && !filter.radiusKm && !filter.max) {
    error = "--near needs --radius KM or --max N";
    return false;
  }
  return true;
}

bool ReadListOptions(const ParsedArgs& parsed, ListOptions& options, std::string& error) {
  if (const std::string* format = parsed.Option("--format")) {
    options.format = ListFormatNamed(*format);
    if (!options.format) {
      error = "--format: expected csv, gpx, kml, geojson, osm or ov2, found '" + *format + "'";
      return false;
    }
  }
  options.read.latitudeFirst = parsed.Flag("--lat-lon");
  options.read.allPoints = parsed.Flag("--all-points");
  options.unique = parsed.Flag("--unique");
  return ReadFilterOptions(parsed, options.filter, error);
}

ListFormat FormatOf(const ListOptions& options, const std::string& path) {
  return options.format ? *options.format : ListFormatToRead(path);
}

std::string FilterReport(const std::string& file, std::size_t read, std::size_t kept) {
  return file + ": kept " + std::to_string(kept) + " and dropped " + std::to_string(read - kept) + " of " +
         std::to_string(read) + " positions.";
}

RepeatsWeighed WeighRepeats(const std::string& file, std::vector<CameraEntry> entries, bool unique) {
  const std::string of = " of " + std::to_string(entries.size()) + " positions ";
  RepeatsWeighed weighed;
  if (unique) {
    weighed.entries = FirstOfEach(entries);
    weighed.repeats = static_cast<int>(entries.size() - weighed.entries.size());
    if (weighed.repeats > 0) {
      weighed.told = file + ": dropped " + std::to_string(weighed.repeats) + of +
                     "that lie within 1/6000 degree of one kept before them (--unique)";
    }
    return weighed;
  }
  weighed.repeats = CountRepeats(entries);
  if (weighed.repeats > 0) {
    weighed.told = file + ": " + std::to_string(weighed.repeats) + of +
                   "lie within 1/6000 degree of one before them and take a place each; --unique keeps only the first";
  }
  weighed.entries = std::move(entries);
  return weighed;
}
