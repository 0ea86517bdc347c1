// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Camera lists in CSV: a header line, then lines that begin
// "longitude,latitude" in decimal degrees, west and south negative. Anything
// after the latitude is ignored.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "database/DatabaseImage.h"

// Lines are read as a 1,024-byte buffer reads them: a line ends at a line
// feed (kept in it, as is a carriage return before it), and a line longer
// than 1,023 characters is taken as several lines.
inline constexpr int kCsvLineBufferSize = 1024;

// Degrees to units of 1/6000 degree, halves away from zero: times 60,000 in
// double, plus or minus 5, rounded to float, cut toward zero, then divided
// by 10 cutting toward zero. 51.5 -> 309,000; -0.5 -> -3,000.
std::int32_t DegreesToUnits(float degrees);

enum class CsvLineStatus {
  Ok,
  NotTwoNumbers,  // empty, text, or a space before the comma
  NotFinite,      // inf or nan
  OutOfRange,     // latitude outside -90..90 or longitude outside -180..180
  NotInColumns,   // no number in a column the header names
  Comment,        // a line beginning "//" in a list whose header names its columns
};
const char* ToString(CsvLineStatus status);

// One number as each of the two on a line is read: scanf's "%f" into a
// float, white space before it skipped, whatever the process locale. Returns
// how many characters it took, 0 when `text` does not start with a number.
int ScanDegrees(const char* text, float& value);

// Reads the two numbers at the start of `line` as scanf's "%f,%f" reads them
// into floats (white space, number, a comma right after it, white space,
// number), whatever the process locale. On Ok `entry` holds the converted
// location; otherwise it is unchanged.
CsvLineStatus ParseCameraLine(const char* line, CameraEntry& entry);

// Where the lines after a header give their position. A header that names
// both position columns (X and Y; lon, lng or longitude and lat or latitude;
// in any case, as iGO's "IDX,X,Y,TYPE,..." does) has them read from those
// columns, and its lines beginning "//" are comments. Any other header is
// skipped whatever it holds, and a line's position is its first two numbers.
struct CsvLayout {
  bool named = false;
  int longitudeColumn = 0;
  int latitudeColumn = 1;
  // The line's first two numbers, longitude first, as the document's import
  // reads them: no header names columns, or it names them in that order.
  bool FirstTwoNumbers() const { return longitudeColumn == 0 && latitudeColumn == 1; }
};
CsvLayout CsvLayoutOf(std::string_view header);

// One line after the header as `layout` reads it: ParseCameraLine where the
// position is the first two numbers, else the named columns, each a whole
// number with white space around it allowed.
CsvLineStatus ParseCsvLine(const char* line, const CsvLayout& layout, CameraEntry& entry);

// The checks of a line that tell what a list holds beyond its positions.

// `text` without the UTF-8 byte-order mark some programs start a file with.
std::string_view SkipByteOrderMark(std::string_view text);

// "sep=;" and the like (after a byte-order mark, any case): the first line a
// spreadsheet writes to name its field separator.
bool IsSeparatorLine(std::string_view line);

// Whether `line` (after a byte-order mark) begins with a position that a
// camera line would give.
bool HoldsPosition(const char* line);

// A number as a spreadsheet writes it in much of Europe: digits with a
// decimal comma ("51,5", "-0,12"), perhaps in quotes.
bool IsDecimalCommaNumber(std::string_view text);

// A line whose first two fields are numbers separated by a semicolon or a
// tab, with decimal commas or points ("51,5;-0,12", "51.5;-0.12").
bool LooksLikeSpreadsheetNumbers(std::string_view line);

enum class CsvImportStatus {
  Ok,
  CannotOpen,  // missing, unreadable, or a folder
  ReadError,   // opened, but reading failed (an I/O error)
};

// A line or item of a list that gave no position.
struct SkippedItem {
  int line = 0;       // 0 when the format has no lines to tell (JSON)
  std::string item;   // "wpt 3", "feature 7", "node 12345"; empty for a CSV line
  std::string why;    // what was expected
  std::string found;  // the start of what was there
};

struct CsvImportResult {
  CsvImportStatus status = CsvImportStatus::Ok;
  int entries = 0;  // entries made, at most kMaxImportEntries
  int skipped = 0;  // data lines that made no entry
  // What explains a list that did not read as meant (see ListMistakes.h):
  // data lines that look like "51,5;-0,12", read or not, and a first line
  // that held a position although it was skipped as the header.
  int spreadsheetLines = 0;
  bool headerHoldsPosition = false;
  // The first few skipped lines, as the list reader tells them.
  std::vector<SkippedItem> firstSkipped;
  bool ReachedLimit() const { return entries == kMaxImportEntries; }
};
inline constexpr std::size_t kSkippedLinesKept = 5;

// Fills `incoming` with 0xFF, then converts the lines after the header of
// `path` into entries from entry 0, in file order, until the file ends or
// kMaxImportEntries entries are made. Lines that do not give a location are
// skipped and counted. A spreadsheet's "sep=" first line is passed over: the
// header is then the line after it, unless that line holds a location. The header of `incoming` is not written: the
// caller writes it when it goes on to the merge. On CannotOpen `incoming` is untouched; on ReadError its contents are
// undefined and must not be merged. Read through ReadCsvList (CameraList.h), the one CSV reader.
CsvImportResult ReadCameraCsv(const std::string& path, DatabaseImage& incoming);

// Units of 1/6000 degree as degrees with six decimals ("-1.500000"), which
// the import reads back to the same units.
std::string DegreesText(std::int32_t units);

// The entries of `image` (its count bounded by capacity) as a CSV list that
// ReadCameraCsv reads back to the same entries: the header "X,Y", then
// "longitude,latitude" in degrees with 6 decimals, one line per entry in
// stored order.
std::string CameraCsvText(const DatabaseImage& image);
