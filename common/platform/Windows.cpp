// SPDX-License-Identifier: GPL-3.0-or-later
// Windows.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <locale.h>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "common/CLocale.h"
#include "common/Files.h"
#include "common/platform/WindowsText.h"

namespace {

namespace fs = std::filesystem;

// Bounds the search for a free temporary name; each try is a fresh random
// name, so only a folder flooded with our own leftovers runs out.
constexpr int kTemporaryNameTries = 100;

class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle) : m_handle(handle) {}
  ~OwnedHandle() { Close(); }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_handle; }
  bool Close() {
    if (!IsOpen()) return true;
    const bool ok = ::CloseHandle(m_handle) != 0;
    m_handle = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE m_handle;
};

// A new file beside `target` whose writes go straight through to the disk;
// `temporary` receives its name.
HANDLE CreateBeside(const fs::path& target, fs::path& temporary) {
  std::random_device random;
  for (int i = 0; i < kTemporaryNameTries; ++i) {
    temporary = target.parent_path() / (L"." + target.filename().wstring() + L"." + std::to_wstring(random()));
    const HANDLE handle = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (handle != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return handle;
  }
  return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE handle, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (::WriteFile(handle, bytes.data(), chunk, &written, nullptr) == 0 || written == 0) return false;
    bytes = bytes.subspan(written);
  }
  return ::FlushFileBuffers(handle) != 0;
}

// ReplaceFileW keeps the old file's attributes and security; a new name, or a
// replace that left the target gone (it may, when it cannot rename the new
// file), is a plain move.
bool PutInPlace(const fs::path& temporary, const fs::path& target) {
  std::error_code error;
  if (fs::exists(target, error) && ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                                  REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0) {
    return true;
  }
  return ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace

std::wstring WideText(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string Utf8Text(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}

// The narrow file functions read a name in the ANSI code page, which cannot
// hold every letter: names go to the wide ones.
fs::path FilePath(const std::string& name) { return fs::path(WideText(name)); }

std::string FileName(const fs::path& path) { return Utf8Text(path.wstring()); }

std::FILE* OpenFile(const std::string& name, const char* mode) {
  return ::_wfopen(WideText(name).c_str(), WideText(mode).c_str());
}

// The C library keeps one locale for the process unless a thread asks for
// its own; the thread's own is set while the object lives, then given back.
ScopedCLocale::ScopedCLocale() : m_mode(::_configthreadlocale(_ENABLE_PER_THREAD_LOCALE)) {
  const char* current = std::setlocale(LC_NUMERIC, nullptr);
  m_name = current != nullptr ? current : "C";
  std::setlocale(LC_NUMERIC, "C");
}

ScopedCLocale::~ScopedCLocale() {
  std::setlocale(LC_NUMERIC, m_name.c_str());
  ::_configthreadlocale(m_mode);
}

ReplaceStatus ReplaceFileContents(const std::string& target, std::span<const std::uint8_t> bytes) {
  const fs::path targetPath = FilePath(target);
  fs::path temporary;
  OwnedHandle file(CreateBeside(targetPath, temporary));
  if (!file.IsOpen()) return ReplaceStatus::CannotCreate;
  const bool written = WriteAll(file.Get(), bytes);
  if (!file.Close() || !written || !PutInPlace(temporary, targetPath)) {
    ::DeleteFileW(temporary.c_str());
    return ReplaceStatus::WriteError;
  }
  return ReplaceStatus::Ok;
}
