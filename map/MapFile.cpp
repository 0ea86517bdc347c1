// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapFile.h"

#include <filesystem>

#include "common/Files.h"
#include "map/Picture.h"

std::string MapFileToLoad(const std::string& programFolder) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::exists(kMapFileName, error) || programFolder.empty()) return kMapFileName;
  const fs::path installed = FilePath(programFolder) / kInstalledMapFolder / kMapFileName;
  if (fs::is_regular_file(installed, error)) return FileName(installed.lexically_normal());
  return kMapFileName;
}
