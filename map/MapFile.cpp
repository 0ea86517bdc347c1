#include "map/MapFile.h"

#include <filesystem>

#include "map/Picture.h"

std::string MapFileToLoad(const std::string& programFolder) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::exists(kMapFileName, error) || programFolder.empty()) return kMapFileName;
  const fs::path installed = fs::path(programFolder) / kInstalledMapFolder / kMapFileName;
  if (fs::is_regular_file(installed, error)) return installed.lexically_normal().string();
  return kMapFileName;
}
