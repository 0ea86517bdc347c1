// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/SourceTree.h"

#include <cstdlib>
#include <stdexcept>

std::string SourceFile(const std::string& relative) {
  const char* root = std::getenv("ZORVANE_SOURCE_DIR");
  if (root == nullptr || *root == '\0') throw std::runtime_error("ZORVANE_SOURCE_DIR is not set");
  return (std::filesystem::path(root) / relative).string();
}

ScopedCurrentPath::ScopedCurrentPath(const std::filesystem::path& path) : m_previous(std::filesystem::current_path()) {
  std::filesystem::current_path(path);
}

ScopedCurrentPath::~ScopedCurrentPath() {
  std::error_code ignored;
  std::filesystem::current_path(m_previous, ignored);
}
