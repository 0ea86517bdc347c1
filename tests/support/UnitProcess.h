// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zorvane-unit as a child process on its pseudo-terminal, for end-to-end
// tests and benchmarks.
#include <string>
#include <vector>

class UnitProcess {
 public:
  // Starts zorvane-unit with `args` and waits (at most 30 s, a safety net)
  // for the device path it prints. Started() is false if that failed. What
  // it says on standard error goes to `errorFile` (by default nowhere).
  explicit UnitProcess(const std::vector<std::string>& args = {}, const std::string& errorFile = "/dev/null");
  ~UnitProcess();
  UnitProcess(const UnitProcess&) = delete;
  UnitProcess& operator=(const UnitProcess&) = delete;

  bool Started() const { return !m_device.empty(); }
  const std::string& Device() const { return m_device; }
  // Asks it to stop (it saves first) and waits; gives its exit status.
  int Stop();

  static std::string ProgramPath();

 private:
  int m_pid = -1;
  std::string m_device;
};
