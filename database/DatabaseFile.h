// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Database files: exactly the 65,536 bytes of a DatabaseImage, no header of
// their own.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "database/DatabaseImage.h"

enum class DatabaseFileStatus {
  Ok,
  CannotOpen,    // missing, unreadable, or a folder
  ReadError,     // opened, but reading failed part-way
  NotADatabase,  // the first byte is not 'U'
  CannotCreate,  // the folder is missing or not writable, the name is a folder, or the file is read-only
  WriteError,    // writing, syncing or replacing failed, or the name is not a plain file
};
const char* ToString(DatabaseFileStatus status);

struct DatabaseFileRead {
  DatabaseFileStatus status = DatabaseFileStatus::Ok;
  std::size_t bytesRead = 0;  // at most 65,536: later bytes are not read
  int entries = 0;            // entries the file really holds; 0 unless Ok
  // What the file's header said, for a report on the file itself: its
  // count field (0xFFFF where a short file leaves it out), and whether it
  // begins 55 AA. Set whenever the file could be read.
  int storedCount = 0;
  bool storedSignature = false;
};

// The one reader of database files, Read from File's. Reads up to 65,536
// bytes of `path` into `incoming`, ready for the merge; every byte the file
// does not hold reads as 0xFF. A file is accepted when its first byte is
// 'U'; byte 1 is then set to 0xAA and the count to the entries the file
// really holds, so filler bytes of a short file never pass for camera
// locations. On any other status `incoming` is all zero.
DatabaseFileRead LoadDatabaseFile(const std::string& path, DatabaseImage& incoming);

// How many whole entries a file of `bytes` bytes holds after its header.
int WholeEntriesIn(std::size_t bytes);
// The count of `image` bounded by the whole entries of the `bytesRead` bytes
// it was read from.
int EntriesHeld(const DatabaseImage& image, std::size_t bytesRead);

// Writes `bytes` to `path` so that a failure never leaves a half-written
// file: the bytes go to a temporary file in the same folder, are flushed and
// synced, and the temporary file is then renamed over `path`. On any failure
// the temporary file is removed and an existing file of that name keeps its
// old contents. A symbolic link is written through and kept; a name that is
// a folder gives CannotCreate, one that is a device or a pipe WriteError.
// An existing file the user may not write gives CannotCreate and is left as
// it was. An existing file in a folder that takes no temporary file is
// written in place and cut to the new length: its old bytes are then lost
// only when the write itself fails (WriteError).
DatabaseFileStatus WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// Whether WriteFileAtomically could write `path` now, asked before the bytes
// are there (a backup is checked before the unit is read): Ok, or the status
// the write would give. A new file is made to find out and taken away again;
// an existing one is left as it is.
DatabaseFileStatus CheckWritable(const std::string& path);

// All 65,536 bytes of `image`, written as WriteFileAtomically does.
DatabaseFileStatus WriteDatabaseFile(const std::string& path, const DatabaseImage& image);
