// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scratch folder removed with everything in it when the object goes.
#include <filesystem>
#include <string>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  std::string File(const std::string& name) const { return (m_path / name).string(); }
  // Writes `bytes` to `name` inside the folder and returns the full path.
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  std::filesystem::path m_path;
};

std::string ReadWholeFile(const std::string& path);
