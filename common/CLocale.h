// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers read and written the same in every locale. One file per system
// implements it: platform/Posix.cpp (Linux, macOS) and platform/Windows.cpp.
#include <string>

// While it lives, the C library's number reading and writing on this thread
// (sscanf "%f" above all) use the C locale's decimal point, whatever locale
// the process runs in (Qt sets it from the environment). Other threads keep
// theirs, and this thread gets its own back when the object goes.
class ScopedCLocale {
 public:
  ScopedCLocale();
  ~ScopedCLocale();
  ScopedCLocale(const ScopedCLocale&) = delete;
  ScopedCLocale& operator=(const ScopedCLocale&) = delete;

 private:
  // What the platform file needs to give the thread its locale back.
  void* m_previous = nullptr;
  int m_mode = 0;
  std::string m_name;
};
