// Linux and macOS.
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "database/Platform.h"

namespace {

locale_t CLocale() {
  static const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

using FileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

mode_t ModeFor(const std::string& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) return NewFileMode();
  return info.st_mode & 07777;
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

}  // namespace

ScopedCLocale::ScopedCLocale() : m_previous(::uselocale(CLocale())) {}

ScopedCLocale::~ScopedCLocale() { ::uselocale(static_cast<locale_t>(m_previous)); }

ReplaceStatus ReplaceFileContents(const std::string& target, std::span<const std::uint8_t> bytes) {
  namespace fs = std::filesystem;
  const mode_t mode = ModeFor(target);
  const fs::path targetPath(target);
  const fs::path folder = targetPath.has_parent_path() ? targetPath.parent_path() : fs::path(".");
  std::string hidden = ".";
  hidden += targetPath.filename().string();
  hidden += ".XXXXXX";
  std::string temp = (folder / hidden).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return ReplaceStatus::CannotCreate;

  if (!WriteAndSync(fd, bytes, mode) || std::rename(temp.c_str(), target.c_str()) != 0) {
    ::unlink(temp.c_str());
    return ReplaceStatus::WriteError;
  }
  SyncFolder(folder.string());
  return ReplaceStatus::Ok;
}
