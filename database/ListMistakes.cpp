// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/ListMistakes.h"

#include <cctype>

#include "database/CameraCsv.h"
#include "map/Projection.h"
#include "resources/Strings.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The picture shipped as uk.bmp; a position is on the map when it projects
// inside it.
constexpr PixelSize kMapArea{370, 450};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

std::string_view Unquoted(std::string_view text) {
  text = Trim(text);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = Trim(text.substr(1, text.size() - 2));
  return text;
}

// Optional sign, digits, and at most one decimal separator of `separators`
// followed by digits.
bool IsPlainNumber(std::string_view text, std::string_view separators) {
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  std::size_t digits = 0;
  while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) ++digits;
  if (digits == 0) return false;
  if (digits == text.size()) return true;
  if (separators.find(text[digits]) == std::string_view::npos || digits + 1 == text.size()) return false;
  for (std::size_t i = digits + 1; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

bool IsSpreadsheetField(std::string_view field) { return IsPlainNumber(Unquoted(field), ".,"); }

}  // namespace

std::string_view SkipByteOrderMark(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  return text;
}

bool IsSeparatorLine(std::string_view line) {
  line = SkipByteOrderMark(line);
  constexpr std::string_view kSep = "sep=";
  if (line.size() < kSep.size()) return false;
  for (std::size_t i = 0; i < kSep.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(line[i])) != kSep[i]) return false;
  }
  // One separator character, then only the line end.
  const std::string_view rest = line.substr(kSep.size());
  return !rest.empty() && rest[0] != '\n' && rest[0] != '\r' && Trim(rest.substr(1)).empty();
}

bool HoldsPosition(const char* line) {
  const std::string_view text = SkipByteOrderMark(line);
  CameraEntry entry;
  return ParseCameraLine(text.data(), entry) == CsvLineStatus::Ok;
}

bool IsDecimalCommaNumber(std::string_view text) {
  text = Unquoted(text);
  return text.find(',') != std::string_view::npos && IsPlainNumber(text, ",");
}

bool LooksLikeSpreadsheetNumbers(std::string_view line) {
  line = SkipByteOrderMark(line);
  for (const char separator : {';', '\t'}) {
    const std::size_t first = line.find(separator);
    if (first == std::string_view::npos) continue;
    const std::size_t second = line.find(separator, first + 1);
    const std::string_view a = line.substr(0, first);
    const std::string_view b =
        line.substr(first + 1, second == std::string_view::npos ? line.npos : second - first - 1);
    // A tab alone is a fair separator for numbers with points; with
    // semicolons or decimal commas the list came from a spreadsheet.
    const bool spreadsheet = separator == ';' || IsDecimalCommaNumber(a) || IsDecimalCommaNumber(b);
    if (spreadsheet && IsSpreadsheetField(a) && IsSpreadsheetField(b)) return true;
  }
  return false;
}

bool OnTheMap(const CameraEntry& entry) {
  const PixelPoint p = ProjectCoordinates(entry.latitude, entry.longitude);
  return p.x >= 0 && p.x < kMapArea.width && p.y >= 0 && p.y < kMapArea.height;
}

ListMistakes FindListMistakes(std::span<const CameraEntry> positions, int spreadsheetItems, bool headerHoldsPosition) {
  ListMistakes mistakes;
  std::size_t swappedOnMap = 0;
  for (const CameraEntry& entry : positions) {
    if (!OnTheMap(entry) && OnTheMap({entry.longitude, entry.latitude})) ++swappedOnMap;
  }
  mistakes.latitudeFirst = swappedOnMap * 2 > positions.size();
  mistakes.spreadsheetItems = spreadsheetItems;
  mistakes.headerHoldsPosition = headerHoldsPosition;
  return mistakes;
}

std::string ListMistakesText(const ListMistakes& mistakes, const std::string& file, AdviceFor reader,
                             std::string_view items) {
  std::string text;
  const auto add = [&text](const std::string& paragraph) {
    if (!text.empty()) text += "\n\n";
    text += paragraph;
  };
  if (mistakes.latitudeFirst) {
    add(FormatMessageText(kMsgLatitudeFirst, file) + '\n' +
        (reader == AdviceFor::Window ? kMsgLatitudeFirstWindow : kMsgLatitudeFirstCli));
  }
  if (mistakes.spreadsheetItems > 0) {
    const std::string count = std::to_string(mistakes.spreadsheetItems);
    add(FormatMessageText(kMsgSpreadsheetNumbers, {count, items, file}));
  }
  if (mistakes.headerHoldsPosition) add(FormatMessageText(kMsgHeaderHoldsPosition, file));
  return text;
}
