// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A desktop of its own for the tests that need a real X server and window
// manager: Xvfb on the first free display (Xvfb picks it, so tests running
// side by side never clash) and openbox managing it. Everything it starts
// ends with it, and with the test process should that die first.
#include <string>

class DesktopSession {
 public:
  // Starts Xvfb and openbox and waits, at most kStartLimitMs each, until
  // the display is up and openbox says it has started. Started() tells.
  DesktopSession();
  ~DesktopSession();
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  bool Started() const { return m_started; }
  // ":N", for DISPLAY.
  const std::string& Display() const { return m_display; }
  // What went wrong when it did not start.
  const std::string& Failure() const { return m_failure; }

  static constexpr int kStartLimitMs = 30000;

 private:
  bool StartServer();
  bool StartWindowManager();

  int m_serverPid = -1;
  int m_windowManagerPid = -1;
  std::string m_folder;
  std::string m_display;
  std::string m_failure;
  bool m_started = false;
};
