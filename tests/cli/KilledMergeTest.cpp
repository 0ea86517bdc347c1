// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli merge killed with SIGKILL at random moments over an existing
// output file: the file is always the old one or the whole new one.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>

#include "tests/cli/CliRunner.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"

namespace {

constexpr int kKills = 120;
constexpr int kInputs = 12;

pid_t Spawn(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int devnull = ::open("/dev/null", O_WRONLY);
    ::dup2(devnull, 1);
    ::dup2(devnull, 2);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  return pid;
}

// Waits for the child to end by itself, at most `waitUs`; then kills it.
void KillAfter(pid_t pid, long waitUs) {
  const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  if (pidfd >= 0) {
    pollfd fd{pidfd, POLLIN, 0};
    const timespec timeout{waitUs / 1'000'000, (waitUs % 1'000'000) * 1000};
    ::ppoll(&fd, 1, &timeout, nullptr);
    ::close(pidfd);
  }
  ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
}

class KilledMerge : public ::testing::Test {
 protected:
  void SetUp() override {
    args = {ZORVANE_CLI_PROGRAM, "merge"};
    for (int i = 0; i < kInputs; ++i) {
      const DatabaseImage image = ImageWith(DistinctEntries(900, static_cast<std::uint32_t>(100 + i), i % 5));
      args.push_back(dir.Write("in" + std::to_string(i) + ".db", Bytes(image)));
    }
    args.push_back("-o");
    args.push_back(out);
    oldBytes = Bytes(ImageWith(DistinctEntries(7, 9)));
  }

  void PutOldFile() const { dir.Write("out.db", oldBytes); }

  TempDir dir;
  const std::string out = dir.File("out.db");
  std::vector<std::string> args;
  std::string oldBytes;
};

TEST_F(KilledMerge, LeavesTheOldFileOrTheWholeNewOneNeverAPartialOne) {
  // One run to the end gives the new file and how long a run takes.
  PutOldFile();
  const auto start = std::chrono::steady_clock::now();
  const pid_t first = Spawn(args);
  int status = 0;
  ASSERT_EQ(::waitpid(first, &status, 0), first);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const long runUs =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
  const std::string newBytes = ReadWholeFile(out);
  ASSERT_EQ(newBytes.size(), kDatabaseImageSize);
  ASSERT_NE(newBytes, oldBytes);

  std::mt19937 rng(4242);
  std::uniform_int_distribution<long> moment(0, runUs + runUs / 5);
  int old = 0, whole = 0;
  for (int i = 0; i < kKills; ++i) {
    PutOldFile();
    KillAfter(Spawn(args), moment(rng));
    const std::string now = ReadWholeFile(out);
    if (now == oldBytes) {
      ++old;
    } else {
      ASSERT_EQ(now, newBytes) << "kill " << i << " left " << now.size() << " bytes";
      ++whole;
    }
  }
  RecordProperty("old", old);
  RecordProperty("new", whole);
  EXPECT_EQ(old + whole, kKills);
}

}  // namespace
