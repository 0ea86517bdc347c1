// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files as every layer opens them, where the standard library does not
// behave alike on every system. One file per system implements it:
// platform/Posix.cpp (Linux, macOS) and platform/Windows.cpp.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

// File names are UTF-8 throughout the program, on every system: what the
// user typed, what the command line gave, what a dialog returned.
// The path the system's file functions take for such a name.
std::filesystem::path FilePath(const std::string& name);
// The other way: the UTF-8 name of a path the system gave.
std::string FileName(const std::filesystem::path& path);
// std::fopen of such a name; the caller closes what it gives.
std::FILE* OpenFile(const std::string& name, const char* mode);

using FileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;
// `name` opened to read its bytes as they are. Null for a file that cannot
// be opened, and for a folder, which opens on some systems and not on
// others: it is never a file.
FileHandle OpenToRead(const std::string& name);

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
