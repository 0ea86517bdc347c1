// SPDX-License-Identifier: GPL-3.0-or-later
// Linux and macOS.
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>

#include "common/CLocale.h"
#include "common/Files.h"

// The system takes the bytes as they are.
std::filesystem::path FilePath(const std::string& name) { return std::filesystem::path(name); }

std::string FileName(const std::filesystem::path& path) { return path.string(); }

std::FILE* OpenFile(const std::string& name, const char* mode) { return std::fopen(name.c_str(), mode); }

namespace {

locale_t CLocale() {
  static const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

// Bounds the search for a free temporary name; each try is a fresh random
// name, so only a folder flooded with our own leftovers runs out.
constexpr int kTemporaryNameTries = 100;

// The mode of an existing target, which the new file keeps; nothing for a
// new name.
std::optional<mode_t> ExistingMode(const std::string& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) return std::nullopt;
  return info.st_mode & 07777;
}

// A new file in `folder`, hidden beside `name`. Made with 0666 like any new
// file, so the kernel applies this process's umask to it; nothing here
// touches the umask, which every thread shares. `temporary` receives its name.
int CreateBeside(const std::filesystem::path& folder, const std::string& name, std::string& temporary) {
  std::random_device random;
  for (int i = 0; i < kTemporaryNameTries; ++i) {
    std::string hidden = ".";
    hidden += name;
    hidden += '.';
    hidden += std::to_string(random());
    temporary = (folder / hidden).string();
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAndSync(int fd, std::span<const std::uint8_t> bytes, std::optional<mode_t> keepMode) {
  FileHandle file(::fdopen(fd, "wb"), &std::fclose);
  if (!file) {
    ::close(fd);
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  ok = ok && std::fflush(file.get()) == 0;
  ok = ok && (!keepMode || ::fchmod(fd, *keepMode) == 0);
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
  const std::optional<mode_t> mode = ExistingMode(target);
  const fs::path targetPath(target);
  const fs::path folder = targetPath.has_parent_path() ? targetPath.parent_path() : fs::path(".");
  std::string temp;
  const int fd = CreateBeside(folder, targetPath.filename().string(), temp);
  if (fd < 0) return ReplaceStatus::CannotCreate;

  if (!WriteAndSync(fd, bytes, mode) || std::rename(temp.c_str(), target.c_str()) != 0) {
    ::unlink(temp.c_str());
    return ReplaceStatus::WriteError;
  }
  SyncFolder(folder.string());
  return ReplaceStatus::Ok;
}
