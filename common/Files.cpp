// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Files.h"

FileHandle OpenToRead(const std::string& name) {
  std::error_code error;
  if (std::filesystem::is_directory(FilePath(name), error)) return FileHandle(nullptr, &std::fclose);
  return FileHandle(OpenFile(name, "rb"), &std::fclose);
}
