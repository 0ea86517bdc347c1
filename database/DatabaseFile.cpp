#include "database/DatabaseFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

using FileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Where the bytes really go and with which permissions: an existing file
// keeps its mode, and a link keeps pointing at the file it names.
struct WriteTarget {
  DatabaseFileStatus status = DatabaseFileStatus::Ok;
  std::string path;
  mode_t mode = 0;
  bool exists = false;
};

WriteTarget ResolveWriteTarget(const std::string& path) {
  WriteTarget target;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    target.path = path;
    target.mode = NewFileMode();
    return target;
  }
  if (S_ISDIR(info.st_mode)) {
    target.status = DatabaseFileStatus::CannotCreate;
    return target;
  }
  // Renaming over a device or a pipe would replace it, and writing into it
  // would not make a database file.
  if (!S_ISREG(info.st_mode)) {
    target.status = DatabaseFileStatus::WriteError;
    return target;
  }
  std::unique_ptr<char, void (*)(void*)> real(::realpath(path.c_str(), nullptr), &std::free);
  if (!real) {
    target.status = DatabaseFileStatus::CannotCreate;
    return target;
  }
  target.path = real.get();
  target.mode = info.st_mode & 07777;
  target.exists = true;
  return target;
}

bool WriteAndSync(int fd, std::span<const std::uint8_t> bytes, mode_t mode) {
  FileHandle file(::fdopen(fd, "wb"), &std::fclose);
  if (!file) {
    ::close(fd);
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  ok = ok && std::fflush(file.get()) == 0;
  ok = ok && ::fchmod(fd, mode) == 0;
  ok = ok && ::fsync(fd) == 0;
  return std::fclose(file.release()) == 0 && ok;
}

// Makes the rename itself durable. The new file is already complete and in
// place, so a folder that cannot be synced is no reason to report failure.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Whether the user may write into an existing file, asked the way "wb"
// would ask, without truncating it. The rename that replaces the file needs
// no permission on the file itself, so a read-only file must be refused here.
bool MayWriteInto(const std::string& path) {
  FileHandle file(std::fopen(path.c_str(), "r+b"), &std::fclose);
  return file != nullptr;
}

// For an existing file beside which no temporary file can be made. Opening
// it changes nothing, so the old bytes are lost only if the write fails.
DatabaseFileStatus WriteInPlace(const std::string& path, std::span<const std::uint8_t> bytes) {
  FileHandle file(std::fopen(path.c_str(), "r+b"), &std::fclose);
  if (!file) return DatabaseFileStatus::CannotCreate;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  ok = std::fclose(file.release()) == 0 && ok;
  std::error_code error;
  if (ok) std::filesystem::resize_file(path, bytes.size(), error);
  return ok && !error ? DatabaseFileStatus::Ok : DatabaseFileStatus::WriteError;
}

}  // namespace

const char* ToString(DatabaseFileStatus status) {
  switch (status) {
    case DatabaseFileStatus::Ok:
      return "ok";
    case DatabaseFileStatus::CannotOpen:
      return "cannot open the file";
    case DatabaseFileStatus::ReadError:
      return "error while reading the file";
    case DatabaseFileStatus::NotADatabase:
      return "not a database file (the first byte is not 'U')";
    case DatabaseFileStatus::CannotCreate:
      return "cannot create the file";
    case DatabaseFileStatus::WriteError:
      return "error while writing the file";
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
  FileHandle file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) {
    result.status = DatabaseFileStatus::CannotOpen;
    return result;
  }
  result.bytesRead = std::fread(image.data(), 1, kDatabaseImageSize, file.get());
  if (result.bytesRead < kDatabaseImageSize && std::ferror(file.get())) result.status = DatabaseFileStatus::ReadError;
  std::fill(image.bytes.begin() + static_cast<std::ptrdiff_t>(result.bytesRead), image.bytes.end(), 0xFF);
  return result;
}

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
  return static_cast<int>(std::min<std::size_t>((bytes - kDatabaseHeaderSize) / kCameraEntrySize,
                                                kMaxDatabaseEntries));
}

int EntriesHeld(const DatabaseImage& image, std::size_t bytesRead) {
  return std::min(image.Count(), WholeEntriesIn(bytesRead));
}

DatabaseFileStatus WriteDatabaseFile(const std::string& path, const DatabaseImage& image) {
  return WriteFileAtomically(path, image.bytes);
}

DatabaseFileStatus WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  namespace fs = std::filesystem;
  const WriteTarget target = ResolveWriteTarget(path);
  if (target.status != DatabaseFileStatus::Ok) return target.status;
  if (target.exists && !MayWriteInto(target.path)) return DatabaseFileStatus::CannotCreate;

  const fs::path targetPath(target.path);
  const fs::path folder = targetPath.has_parent_path() ? targetPath.parent_path() : fs::path(".");
  std::string hidden = ".";
  hidden += targetPath.filename().string();
  hidden += ".XXXXXX";
  std::string temp = (folder / hidden).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return target.exists ? WriteInPlace(target.path, bytes) : DatabaseFileStatus::CannotCreate;

  if (!WriteAndSync(fd, bytes, target.mode) || std::rename(temp.c_str(), target.path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return DatabaseFileStatus::WriteError;
  }
  SyncFolder(folder.string());
  return DatabaseFileStatus::Ok;
}
