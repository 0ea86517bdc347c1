#pragma once
// Database files: exactly the 65,536 bytes of a DatabaseImage, no header of
// their own.
#include <cstddef>
#include <string>

#include "database/DatabaseImage.h"

enum class DatabaseFileStatus {
  Ok,
  CannotOpen,  // missing, unreadable, or a folder
  ReadError,   // opened, but reading failed part-way
};
const char* ToString(DatabaseFileStatus status);

struct DatabaseFileRead {
  DatabaseFileStatus status = DatabaseFileStatus::Ok;
  std::size_t bytesRead = 0;  // at most 65,536: later bytes are not read
};

// Reads up to 65,536 bytes of `path` into `image` from offset 0; every byte
// the file does not hold becomes 0xFF. On CannotOpen `image` is untouched.
DatabaseFileRead ReadDatabaseFileImage(const std::string& path, DatabaseImage& image);

// How many whole entries a file of `bytes` bytes holds after its header.
int WholeEntriesIn(std::size_t bytes);
