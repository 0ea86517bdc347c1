// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/UnitHistory.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "common/Files.h"
#include "database/DatabaseFile.h"

namespace {

const char* Word(UnitTransfer transfer) { return transfer == UnitTransfer::Read ? "read" : "written"; }

std::string Stamp(std::time_t when) {
  // One thread asks for the time: the program's own.
  const std::tm local = *std::localtime(&when);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H-%M-%S", &local);
  return text;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Takes `prefix` off the front of `text`.
bool Take(std::string_view& text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

}  // namespace

UnitHistory UnitHistory::ForUser() {
  if (const char* set = std::getenv(kUnitHistoryVariable); set != nullptr && *set != '\0') {
    return UnitHistory(std::string(set) == "off" ? std::string() : std::string(set));
  }
  const std::string data = UserDataFolder();
  return UnitHistory(data.empty() ? std::string() : FileName(FilePath(data) / "unit-history"));
}

// "YYYY-MM-DD HH-MM-SS read|written N cameras[ (K)].db", as Keep names them.
std::optional<HistoryFile> HistoryFileNamed(const std::string& name) {
  constexpr std::string_view kStampShape = "0000-00-00 00-00-00";
  std::string_view rest = name;
  if (rest.size() <= kStampShape.size()) return std::nullopt;
  for (std::size_t i = 0; i < kStampShape.size(); ++i) {
    const bool digit = rest[i] >= '0' && rest[i] <= '9';
    if (kStampShape[i] == '0' ? !digit : rest[i] != kStampShape[i]) return std::nullopt;
  }
  HistoryFile file;
  file.when = std::string(rest.substr(0, kStampShape.size()));
  rest.remove_prefix(kStampShape.size());
  if (Take(rest, " read ")) {
    file.transfer = UnitTransfer::Read;
  } else if (Take(rest, " written ")) {
    file.transfer = UnitTransfer::Written;
  } else {
    return std::nullopt;
  }
  const std::size_t space = rest.find(' ');
  const std::string_view count = rest.substr(0, space);
  if (!AllDigits(count) || count.size() > 5) return std::nullopt;
  file.cameras = std::stoi(std::string(count));
  rest.remove_prefix(count.size());
  if (!Take(rest, " cameras")) return std::nullopt;
  if (Take(rest, " (")) {
    const std::size_t close = rest.find(')');
    if (close == std::string_view::npos || close > 4 || !AllDigits(rest.substr(0, close))) return std::nullopt;
    file.sequence = std::stoi(std::string(rest.substr(0, close)));
    rest.remove_prefix(close + 1);
  }
  if (rest != ".db") return std::nullopt;
  return file;
}

KeepStatus UnitHistory::Keep(const DatabaseImage& image, UnitTransfer transfer, std::time_t when,
                             std::string* kept) const {
  if (Off()) return KeepStatus::Off;
  std::error_code error;
  const std::filesystem::path folder = FilePath(m_folder);
  std::filesystem::create_directories(folder, error);
  if (error) return KeepStatus::CannotWrite;

  // What read -o would write: the entries, and nothing past them.
  DatabaseImage entries;
  const int count = image.BoundedCount();
  for (int i = 0; i < count; ++i) entries.SetEntry(i, image.Entry(i));
  entries.WriteHeader(count);

  // Transfers within one second are numbered on, so that each keeps its
  // own file and the list knows which came last.
  const std::string stamp = Stamp(when);
  int sequence = 1;
  for (const HistoryFile& file : List()) {
    if (file.when == stamp) sequence = std::max(sequence, file.sequence + 1);
  }
  std::string name = stamp + ' ' + Word(transfer) + ' ' + std::to_string(count) + " cameras";
  if (sequence > 1) name += " (" + std::to_string(sequence) + ")";
  const std::string path = FileName(folder / (name + ".db"));
  if (WriteDatabaseFile(path, entries) != DatabaseFileStatus::Ok) return KeepStatus::CannotWrite;
  if (kept != nullptr) *kept = path;

  const std::vector<HistoryFile> files = List();
  for (std::size_t i = kUnitHistoryKept; i < files.size(); ++i) std::filesystem::remove(FilePath(files[i].path), error);
  return KeepStatus::Kept;
}

std::vector<HistoryFile> UnitHistory::List() const {
  std::vector<HistoryFile> files;
  if (Off()) return files;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(FilePath(m_folder), error)) {
    if (!item.is_regular_file(error)) continue;
    std::optional<HistoryFile> file = HistoryFileNamed(FileName(item.path().filename()));
    if (!file) continue;
    file->path = FileName(item.path());
    files.push_back(std::move(*file));
  }
  std::sort(files.begin(), files.end(), [](const HistoryFile& a, const HistoryFile& b) {
    return a.when != b.when ? a.when > b.when : a.sequence > b.sequence;
  });
  return files;
}
