// SPDX-License-Identifier: GPL-3.0-or-later
// Windows: the user's local application data, %LOCALAPPDATA%.
#include <cstdlib>
#include <string>

#include "common/platform/WindowsText.h"
#include "database/UnitHistory.h"

std::string UserDataFolder() {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  return local != nullptr && local[0] != L'\0' ? Utf8Text(local) + "\\zorvane" : std::string();
}
