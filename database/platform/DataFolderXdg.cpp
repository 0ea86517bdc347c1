// SPDX-License-Identifier: GPL-3.0-or-later
// Linux and other free desktops: the XDG base directory rule.
#include <cstdlib>
#include <string>

#include "database/UnitHistory.h"

std::string UserDataFolder() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') {
    return std::string(data) + "/zorvane";
  }
  const char* home = std::getenv("HOME");
  return home != nullptr && home[0] != '\0' ? std::string(home) + "/.local/share/zorvane" : std::string();
}
