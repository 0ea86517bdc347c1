// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/PtyUnit.h"

#include "emulator/AdapterLine.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

std::int64_t NowUs() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t NowMs() { return NowUs() / 1000; }

// While no program holds the terminal the master reports a hang-up at once;
// look again this often for the next program to open it.
constexpr int kHangUpRecheckMs = 10;

}  // namespace

bool PtyUnit::Open(std::string& error) {
  m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
    error = std::string("cannot make a pseudo-terminal: ") + std::strerror(errno);
    return false;
  }
  const char* name = ::ptsname(m_master);
  if (name == nullptr) {
    error = "cannot name the pseudo-terminal";
    return false;
  }
  m_devicePath = name;
  // Raw from the start, so nothing is echoed or translated before the
  // program sets its own line settings.
  termios settings{};
  if (::tcgetattr(m_master, &settings) == 0) {
    ::cfmakeraw(&settings);
    ::tcsetattr(m_master, TCSANOW, &settings);
  }
  return true;
}

PtyUnit::~PtyUnit() {
  if (m_master >= 0) ::close(m_master);
}

void PtyUnit::LineUsed() {
  m_lastByteUs = NowUs();
  if (m_firstByteUs < 0) m_firstByteUs = m_lastByteUs;
}

void PtyUnit::Serve(UnitEngine& engine, int latencyMs, const std::function<bool()>& stop,
                    const std::function<void()>& save) {
  sigset_t waitMask;
  ::sigemptyset(&waitMask);
  bool hungUp = false;
  engine.PowerOn(NowMs());
  AdapterLine line(engine, latencyMs);
  std::uint8_t buffer[512];
  std::uint8_t out[512];
  while (true) {
    std::int64_t now = NowMs();
    if (!hungUp) {
      line.RunUntil(now);
      std::size_t n = 0;
      while (n < sizeof out) {
        const auto byte = line.TakeForProgram(now);
        if (!byte) break;
        out[n++] = *byte;
      }
      if (n > 0) LineUsed();
      for (std::size_t done = 0; done < n;) {
        const ssize_t written = ::write(m_master, out + done, n - done);
        if (written <= 0) break;
        done += static_cast<std::size_t>(written);
      }
    }
    if (engine.TakeSaveRequest() && save) save();
    if (engine.Vanished()) {
      ::close(m_master);
      m_master = -1;
      return;
    }

    if (hungUp) {
      // Nobody holds the line: wait a little, then look again.
      timespec pause{0, kHangUpRecheckMs * 1000000L};
      ::ppoll(nullptr, 0, &pause, &waitMask);
      if (stop()) return;
    }
    // Wake at the very start of the millisecond the next event is due in:
    // waiting whole milliseconds from a truncated now would wake up to a
    // millisecond late, and an adapter's tick would come late with it.
    std::int64_t timeoutUs = -1;
    if (const auto next = line.NextEventAt(now)) timeoutUs = std::max<std::int64_t>(0, *next * 1000 - NowUs());
    if (hungUp) timeoutUs = 0;
    pollfd fd{m_master, POLLIN, 0};
    timespec wait{static_cast<time_t>(timeoutUs / 1000000), static_cast<long>(timeoutUs % 1000000) * 1000L};
    const int ready = ::ppoll(&fd, 1, timeoutUs < 0 ? nullptr : &wait, &waitMask);
    if (stop()) return;
    if (ready < 0) continue;
    now = NowMs();
    const bool hangUpNow = (fd.revents & POLLHUP) != 0;
    if (hungUp && !hangUpNow) {  // a program opened the line again
      engine.PowerOn(now);
      line.Reset();
    }
    hungUp = hangUpNow;
    if ((fd.revents & POLLIN) != 0) {
      const ssize_t got = ::read(m_master, buffer, sizeof buffer);
      if (got > 0) LineUsed();
      for (ssize_t i = 0; i < got; ++i) line.FromProgram(buffer[i], now);
    }
  }
}
