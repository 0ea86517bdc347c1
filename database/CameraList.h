// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A camera list read whole from a file, in any of the formats lists are
// published in, before it is cut to fit and loaded: its positions in file
// order, and what was skipped and why. Every format reads a number exactly
// as the CSV import reads it and rounds it the same way, so that one list in
// two formats gives the same entries.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/CameraCsv.h"
#include "database/DatabaseImage.h"

enum class ListFormat { Csv, Gpx, Kml, GeoJson, Osm, Ov2 };
// "CSV", "GPX", "KML", "GeoJSON", "OpenStreetMap XML", "OV2".
const char* ToString(ListFormat format);
// The names the command line takes: csv, gpx, kml, geojson, osm, ov2.
std::optional<ListFormat> ListFormatNamed(std::string_view name);
// By the file's extension, in any case: .csv .gpx .kml .geojson .json .osm
// .ov2.
std::optional<ListFormat> ListFormatOfFile(std::string_view path);
// By what the start of a file holds: an OV2 record, an XML root of GPX, KML
// or OpenStreetMap, a JSON object; CSV otherwise.
ListFormat ListFormatOfContent(std::string_view head);
// The format to read `path` as: its extension's, or where that says nothing
// (.txt, none, another) its content's. A file that cannot be opened is CSV,
// whose reader then tells that.
ListFormat ListFormatToRead(const std::string& path);

struct ListReadOptions {
  // GPX: route and track points too, not only waypoints.
  bool allPoints = false;
  // The file gives latitude where longitude belongs: the first number of a
  // CSV line or of a KML or GeoJSON coordinate, the lon attribute of GPX
  // and OpenStreetMap.
  bool latitudeFirst = false;
  // CSV: stop once kMaxImportEntries entries are read, as the window's
  // import always has; what follows is neither read nor counted.
  bool stopAtMaximum = false;
};

struct CameraList {
  std::vector<CameraEntry> entries;  // in file order
  int skipped = 0;
  std::vector<SkippedItem> firstSkipped;  // at most kSkippedLinesKept
  // Items that are not cameras, told so the user knows they were seen:
  // GPX route and track points without allPoints, placemarks and features
  // without a point.
  int passedOver = 0;
  // See ListMistakes.h.
  int spreadsheetItems = 0;
  bool headerHoldsPosition = false;

  void Skip(SkippedItem item);
};

enum class ListReadStatus {
  Ok,
  CannotOpen,  // missing, unreadable, or a folder
  ReadError,   // opened, but reading failed (an I/O error)
  Malformed,   // not well-formed XML or JSON, or not the format it was read as
};

struct ListReadResult {
  ListReadStatus status = ListReadStatus::Ok;
  // Where a Malformed file stopped making sense, from 1, and what was
  // expected and found there.
  int line = 0;
  int column = 0;
  // Where a Malformed binary file (OV2) stopped making sense, from 0; -1
  // for a text file, which tells its line and column instead.
  std::int64_t offset = -1;
  std::string detail;
  CameraList list;
};

// The whole file as bytes: CannotOpen, ReadError or Ok.
ListReadStatus ReadFileBytes(const std::string& path, std::string& bytes);
// At most the first `count` bytes of the file, the same way.
ListReadStatus ReadFileHead(const std::string& path, std::size_t count, std::string& bytes);

// A CSV list as the import reads it (a header line, then lines read in
// 1,023-character pieces that begin with two numbers), but to the end of the
// file: the import limit is applied later, after any filter. Its first
// kMaxImportEntries entries are those ReadCameraCsv makes.
ListReadResult ReadCsvList(const std::string& path, const ListReadOptions& options);

// The two numbers at the start of `text` as a CSV line gives them: a number,
// a comma right after it, a number. Longitude comes first unless
// `latitudeFirst`. On Ok `entry` holds the position and `end` (when given)
// points past the second number; otherwise `entry` is unchanged.
CsvLineStatus ReadNumberPair(const char* text, bool latitudeFirst, CameraEntry& entry, const char** end);

// The position of two numbers read apart (GPX and OpenStreetMap attributes):
// NotFinite, OutOfRange, or Ok with `entry` set.
CsvLineStatus PositionOf(float latitude, float longitude, CameraEntry& entry);

// `text` as one number, read as a CSV line's number is; white space around
// it is allowed, anything else is not.
bool ReadWholeNumber(std::string_view text, float& value);

// A number a JSON reader holds as a double, read as the CSV import reads
// its shortest decimal form. A number written with at most 15 significant
// digits thus reads as those digits do in a CSV line.
float CsvFloatOf(double value);

// The start of an item's text, for naming it in a message.
std::string Excerpt(std::string_view text);
