// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every database that went to or came from a unit, kept as a database file
// in the user's data folder, so that a wrong list written to the unit can be
// undone: "2026-12-09 14-05-12 read 4491 cameras.db". The newest
// kUnitHistoryKept are kept; the program never deletes a file there that
// it did not name so.
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "database/DatabaseImage.h"

inline constexpr std::size_t kUnitHistoryKept = 100;
// Set to "off" the history keeps nothing; set to a folder, it is kept there.
inline constexpr const char* kUnitHistoryVariable = "ZORVANE_UNIT_HISTORY";

enum class UnitTransfer { Read, Written };

struct HistoryFile {
  std::string path;
  std::string when;  // "2026-12-09 14-05-12", local time
  UnitTransfer transfer = UnitTransfer::Read;
  int cameras = 0;
  int sequence = 1;  // the second and later of one second are named " (2)"...
};

enum class KeepStatus {
  Kept,
  Off,          // the history is turned off
  CannotWrite,  // the folder could not be made, or the file not written
};

class UnitHistory {
 public:
  // The history in `folder`; none (off) when it is empty.
  explicit UnitHistory(std::string folder) : m_folder(std::move(folder)) {}
  // The user's: ZORVANE_UNIT_HISTORY's folder, or off; else unit-history in
  // the system's data folder for zorvane (UserDataFolder()).
  static UnitHistory ForUser();

  bool Off() const { return m_folder.empty(); }
  const std::string& Folder() const { return m_folder; }

  // Keeps the entries of `image` (its count bounded by capacity, as a
  // database file holds them) as taken `transfer` at `when`, then deletes
  // the oldest of its own files beyond kUnitHistoryKept. The path kept,
  // when `kept` is given.
  KeepStatus Keep(const DatabaseImage& image, UnitTransfer transfer, std::time_t when,
                  std::string* kept = nullptr) const;

  // Its files, newest first; nothing when off or when the folder is missing.
  std::vector<HistoryFile> List() const;

 private:
  std::string m_folder;
};

// What a history file's name says, or nothing for a name it never gives.
std::optional<HistoryFile> HistoryFileNamed(const std::string& name);

// The folder where the system keeps a user's data for zorvane:
// $XDG_DATA_HOME/zorvane (~/.local/share/zorvane) on Linux,
// %LOCALAPPDATA%\zorvane on Windows, ~/Library/Application Support/zorvane
// on macOS. Empty when the system does not say.
std::string UserDataFolder();
