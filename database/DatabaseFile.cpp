// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/DatabaseFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "common/Files.h"

namespace {

namespace fs = std::filesystem;

// Where the bytes really go: a link keeps pointing at the file it names.
struct WriteTarget {
  DatabaseFileStatus status = DatabaseFileStatus::Ok;
  std::string path;
  bool exists = false;
};

WriteTarget ResolveWriteTarget(const std::string& path) {
  WriteTarget target;
  std::error_code error;
  const fs::file_status status = fs::status(FilePath(path), error);
  if (error || status.type() == fs::file_type::not_found) {
    target.path = path;
    return target;
  }
  if (status.type() == fs::file_type::directory) {
    target.status = DatabaseFileStatus::CannotCreate;
    return target;
  }
  // Renaming over a device or a pipe would replace it, and writing into it
  // would not make a database file.
  if (status.type() != fs::file_type::regular) {
    target.status = DatabaseFileStatus::WriteError;
    return target;
  }
  const fs::path real = fs::canonical(FilePath(path), error);
  if (error) {
    target.status = DatabaseFileStatus::CannotCreate;
    return target;
  }
  target.path = FileName(real);
  target.exists = true;
  return target;
}

// Whether the user may write into an existing file, asked the way "wb"
// would ask, without truncating it. The rename that replaces the file needs
// no permission on the file itself, so a read-only file must be refused here.
bool MayWriteInto(const std::string& path) {
  FileHandle file(OpenFile(path, "r+b"), &std::fclose);
  return file != nullptr;
}

// For an existing file beside which no temporary file can be made. Opening
// it changes nothing, so the old bytes are lost only if the write fails.
DatabaseFileStatus WriteInPlace(const std::string& path, std::span<const std::uint8_t> bytes) {
  FileHandle file(OpenFile(path, "r+b"), &std::fclose);
  if (!file) return DatabaseFileStatus::CannotCreate;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  ok = std::fclose(file.release()) == 0 && ok;
  std::error_code error;
  if (ok) fs::resize_file(FilePath(path), bytes.size(), error);
  return ok && !error ? DatabaseFileStatus::Ok : DatabaseFileStatus::WriteError;
}

}  // namespace

const char* ToString(DatabaseFileStatus status) {
  switch (status) {
    case DatabaseFileStatus::Ok: return "ok";
    case DatabaseFileStatus::CannotOpen: return "cannot open the file";
    case DatabaseFileStatus::ReadError: return "error while reading the file";
    case DatabaseFileStatus::NotADatabase: return "not a database file (the first byte is not 'U')";
    case DatabaseFileStatus::CannotCreate: return "cannot create the file";
    case DatabaseFileStatus::WriteError: return "error while writing the file";
  }
  return "unknown";
}

namespace {

// Up to 65,536 bytes of `path` into `image` from offset 0; every byte the
// file does not hold becomes 0xFF.
DatabaseFileRead ReadDatabaseFileImage(const std::string& path, DatabaseImage& image) {
  DatabaseFileRead result;
  const FileHandle file = OpenToRead(path);
  if (!file) {
    result.status = DatabaseFileStatus::CannotOpen;
    return result;
  }
  result.bytesRead = std::fread(image.data(), 1, kDatabaseImageSize, file.get());
  if (result.bytesRead < kDatabaseImageSize && std::ferror(file.get())) result.status = DatabaseFileStatus::ReadError;
  std::fill(image.bytes.begin() + static_cast<std::ptrdiff_t>(result.bytesRead), image.bytes.end(), 0xFF);
  result.storedCount = image.Count();
  result.storedSignature = image.HasSignature();
  return result;
}

}  // namespace

DatabaseFileRead LoadDatabaseFile(const std::string& path, DatabaseImage& incoming) {
  DatabaseFileRead result = ReadDatabaseFileImage(path, incoming);
  if (result.status == DatabaseFileStatus::Ok && incoming[0] != kSignatureByte0) {
    result.status = DatabaseFileStatus::NotADatabase;
  }
  if (result.status != DatabaseFileStatus::Ok) {
    incoming.Fill(0x00);
    return result;
  }
  result.entries = EntriesHeld(incoming, result.bytesRead);
  incoming[1] = kSignatureByte1;
  incoming[2] = static_cast<std::uint8_t>(result.entries >> 8);
  incoming[3] = static_cast<std::uint8_t>(result.entries & 0xFF);
  return result;
}

int WholeEntriesIn(std::size_t bytes) {
  if (bytes <= kDatabaseHeaderSize) return 0;
  return static_cast<int>(std::min<std::size_t>((bytes - kDatabaseHeaderSize) / kCameraEntrySize, kMaxDatabaseEntries));
}

int EntriesHeld(const DatabaseImage& image, std::size_t bytesRead) {
  return std::min(image.Count(), WholeEntriesIn(bytesRead));
}

DatabaseFileStatus WriteDatabaseFile(const std::string& path, const DatabaseImage& image) {
  return WriteFileAtomically(path, image.bytes);
}

DatabaseFileStatus CheckWritable(const std::string& path) {
  const WriteTarget target = ResolveWriteTarget(path);
  if (target.status != DatabaseFileStatus::Ok) return target.status;
  if (target.exists) return MayWriteInto(target.path) ? DatabaseFileStatus::Ok : DatabaseFileStatus::CannotCreate;
  // "ab" never cuts a file that appeared since it was looked at.
  FileHandle file(std::fopen(path.c_str(), "ab"), &std::fclose);
  if (!file) return DatabaseFileStatus::CannotCreate;
  file.reset();
  std::remove(path.c_str());
  return DatabaseFileStatus::Ok;
}

DatabaseFileStatus WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  const WriteTarget target = ResolveWriteTarget(path);
  if (target.status != DatabaseFileStatus::Ok) return target.status;
  if (target.exists && !MayWriteInto(target.path)) return DatabaseFileStatus::CannotCreate;
  switch (ReplaceFileContents(target.path, bytes)) {
    case ReplaceStatus::Ok: return DatabaseFileStatus::Ok;
    case ReplaceStatus::CannotCreate:
      return target.exists ? WriteInPlace(target.path, bytes) : DatabaseFileStatus::CannotCreate;
    case ReplaceStatus::WriteError: break;
  }
  return DatabaseFileStatus::WriteError;
}
