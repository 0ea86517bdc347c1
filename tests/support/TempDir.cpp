// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

TempDir::TempDir() {
  // create_directory refuses a name that exists, so each folder is new.
  std::random_device random;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int tries = 0; tries < 100; ++tries) {
    const std::filesystem::path path = base / ("zorvane-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(path)) {
      m_path = path;
      return;
    }
  }
  throw std::runtime_error("no free name for a scratch folder in " + base.string());
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
  const std::string path = File(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}
