// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/OrdinaryUser.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobodyUid = 65534;
constexpr gid_t kNobodyGid = 65534;

bool RunningAsRoot() { return ::geteuid() == 0; }

bool GiveUpRoot() {
  return ::setgroups(0, nullptr) == 0 && ::setgid(kNobodyGid) == 0 && ::setuid(kNobodyUid) == 0 && ::setuid(0) != 0;
}

void WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[512];
  ssize_t n = 0;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
  return text;
}

}  // namespace

bool GiveToOrdinaryUser(const std::string& path) {
  if (!RunningAsRoot()) return true;
  return ::chown(path.c_str(), kNobodyUid, kNobodyGid) == 0;
}

std::string RunAsOrdinaryUser(const std::function<std::string()>& flow) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return "no pipe to the child";
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    return "no child process";
  }
  if (pid == 0) {
    ::close(pipeFds[0]);
    if (RunningAsRoot() && !GiveUpRoot()) {
      WriteAll(pipeFds[1], "the child could not give up root");
    } else {
      WriteAll(pipeFds[1], flow());
    }
    ::close(pipeFds[1]);
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  const std::string complaint = ReadAll(pipeFds[0]);
  ::close(pipeFds[0]);
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return complaint + " (the child did not finish: status " + std::to_string(status) + ")";
  return complaint;
}
