// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files of the source tree for tests (found through ZORVANE_SOURCE_DIR), and
// a working-directory change undone at the end of a scope.
#include <filesystem>
#include <string>

// The path of `relative` in the source tree; throws when the environment
// does not name it.
std::string SourceFile(const std::string& relative);

class ScopedCurrentPath {
 public:
  explicit ScopedCurrentPath(const std::filesystem::path& path);
  ~ScopedCurrentPath();
  ScopedCurrentPath(const ScopedCurrentPath&) = delete;
  ScopedCurrentPath& operator=(const ScopedCurrentPath&) = delete;

 private:
  std::filesystem::path m_previous;
};
