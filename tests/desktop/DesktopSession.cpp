// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/desktop/DesktopSession.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

// Reads one line from `fd`, waiting at most `limitMs` for each byte.
bool ReadLine(int fd, int limitMs, std::string& line) {
  pollfd wait{fd, POLLIN, 0};
  char c = 0;
  while (::poll(&wait, 1, limitMs) > 0) {
    if (::read(fd, &c, 1) != 1) return false;
    if (c == '\n') return true;
    line += c;
  }
  return false;
}

// Starts `argv` with DISPLAY set to `display` (unless empty), keeping only
// `keepFd` of the descriptors beyond the standard ones open. The child is
// ended when the test process ends, however it ends.
int Spawn(const std::vector<std::string>& argv, const std::string& display, int keepFd) {
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  ::prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (::getppid() != parent) ::_exit(127);
  const int quiet = ::open("/dev/null", O_RDWR);
  ::dup2(quiet, STDIN_FILENO);
  ::dup2(quiet, STDOUT_FILENO);
  ::dup2(quiet, STDERR_FILENO);
  for (int fd = STDERR_FILENO + 1; fd < 1024; ++fd) {
    if (fd != keepFd) ::close(fd);
  }
  if (!display.empty()) ::setenv("DISPLAY", display.c_str(), 1);
  std::vector<char*> pointers;
  for (const std::string& arg : argv) pointers.push_back(const_cast<char*>(arg.c_str()));
  pointers.push_back(nullptr);
  ::execvp(pointers[0], pointers.data());
  ::_exit(127);
}

void Stop(int& pid) {
  if (pid <= 0) return;
  ::kill(pid, SIGTERM);
  ::waitpid(pid, nullptr, 0);
  pid = -1;
}

}  // namespace

DesktopSession::DesktopSession() {
  std::string folder = (std::filesystem::temp_directory_path() / "zorvane-desktop-XXXXXX").string();
  if (::mkdtemp(folder.data()) == nullptr) {
    m_failure = "no scratch folder";
    return;
  }
  m_folder = folder;
  m_started = StartServer() && StartWindowManager();
}

DesktopSession::~DesktopSession() {
  Stop(m_windowManagerPid);
  Stop(m_serverPid);
  if (!m_folder.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
  }
}

// Xvfb chooses the first free display itself and writes its number to the
// descriptor given with -displayfd once it accepts connections.
bool DesktopSession::StartServer() {
  int number[2];
  if (::pipe(number) != 0) {
    m_failure = "no pipe";
    return false;
  }
  m_serverPid = Spawn(
      {"Xvfb", "-displayfd", std::to_string(number[1]), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"},
      "", number[1]);
  ::close(number[1]);
  std::string line;
  const bool read = ReadLine(number[0], kStartLimitMs, line);
  ::close(number[0]);
  if (!read || line.empty()) {
    m_failure = "Xvfb did not start (is it installed? scripts/install-deps installs it)";
    return false;
  }
  m_display = ":" + line;
  return true;
}

// openbox runs its start-up command once it manages the screen; the
// command writes a line into a pipe of our own.
bool DesktopSession::StartWindowManager() {
  const std::string ready = m_folder + "/ready";
  if (::mkfifo(ready.c_str(), 0600) != 0) {
    m_failure = "no pipe for openbox";
    return false;
  }
  // Its defaults, and nothing of the machine's own settings. A file it
  // cannot read would open a window of its own about it.
  const std::string config = m_folder + "/rc.xml";
  std::ofstream(config) << "<?xml version=\"1.0\"?>\n<openbox_config xmlns=\"http://openbox.org/3.4/rc\"/>\n";
  // Opened for reading and writing so that it never reports an end of file
  // before openbox writes.
  const int fd = ::open(ready.c_str(), O_RDWR | O_NONBLOCK);
  m_windowManagerPid =
      Spawn({"openbox", "--sm-disable", "--config-file", config, "--startup", "sh -c 'echo up > " + ready + "'"},
            m_display, -1);
  std::string line;
  const bool up = fd >= 0 && ReadLine(fd, kStartLimitMs, line) && line == "up";
  if (fd >= 0) ::close(fd);
  if (!up) m_failure = "openbox did not start (is it installed? scripts/install-deps installs it)";
  return up;
}
