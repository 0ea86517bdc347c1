#include "database/DatabaseFile.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sys/stat.h>

const char* ToString(DatabaseFileStatus status) {
  switch (status) {
    case DatabaseFileStatus::Ok:
      return "ok";
    case DatabaseFileStatus::CannotOpen:
      return "cannot open the file";
    case DatabaseFileStatus::ReadError:
      return "error while reading the file";
  }
  return "unknown";
}

DatabaseFileRead ReadDatabaseFileImage(const std::string& path, DatabaseImage& image) {
  DatabaseFileRead result;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    result.status = DatabaseFileStatus::CannotOpen;
    return result;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) {
    result.status = DatabaseFileStatus::CannotOpen;
    return result;
  }
  result.bytesRead = std::fread(image.data(), 1, kDatabaseImageSize, file.get());
  if (result.bytesRead < kDatabaseImageSize && std::ferror(file.get())) result.status = DatabaseFileStatus::ReadError;
  std::fill(image.bytes.begin() + static_cast<std::ptrdiff_t>(result.bytesRead), image.bytes.end(), 0xFF);
  return result;
}

int WholeEntriesIn(std::size_t bytes) {
  if (bytes <= kDatabaseHeaderSize) return 0;
  return static_cast<int>(std::min<std::size_t>((bytes - kDatabaseHeaderSize) / kCameraEntrySize,
                                                kMaxDatabaseEntries));
}
