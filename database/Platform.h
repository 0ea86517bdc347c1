#pragma once
// What the database files and the CSV import need from the operating system
// that the standard library does not give alike everywhere. One file per
// system implements it: platform/Posix.cpp (Linux, macOS) and
// platform/Windows.cpp.
#include <cstdint>
#include <span>
#include <string>

// sscanf(line, "%f,%f", &first, &second) with the C locale's decimal point,
// whatever locale the process (Qt sets it from the environment) runs in.
// Only this call on this thread sees the C locale. Returns what sscanf
// returns; `first` and `second` are set as sscanf sets them.
int ScanTwoFloatsInCLocale(const char* line, float& first, float& second);

enum class ReplaceStatus {
  Ok,
  CannotCreate,  // no new file could be made beside the target
  WriteError,    // writing, flushing or putting the new file in place failed
};

// Puts `bytes` in place of the file `target` so that a reader, or a crash,
// sees either the old file whole or the new one whole: the bytes go to a new
// file in the same folder, are flushed to the disk, and that file then takes
// the target's name in one step. `target` is a plain file or does not exist;
// links are resolved by the caller. An existing target keeps its
// permissions; a new one gets what the system gives new files. On failure
// the new file is removed and the target is untouched.
ReplaceStatus ReplaceFileContents(const std::string& target, std::span<const std::uint8_t> bytes);
