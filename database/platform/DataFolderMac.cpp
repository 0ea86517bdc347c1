// SPDX-License-Identifier: GPL-3.0-or-later
// macOS: the user's Application Support folder.
#include <cstdlib>
#include <string>

#include "database/UnitHistory.h"

std::string UserDataFolder() {
  const char* home = std::getenv("HOME");
  return home != nullptr && home[0] != '\0' ? std::string(home) + "/Library/Application Support/zorvane"
                                            : std::string();
}
