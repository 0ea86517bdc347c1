// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Time for the link's own bounds (the drain limit). Swappable so that tests
// against an emulated unit run in virtual time and never sleep.
#include <cstdint>

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; never goes backwards.
  virtual std::int64_t NowMs() const = 0;
};

class SteadyClock : public Clock {
 public:
  std::int64_t NowMs() const override;
};

// Moves only when told to: whoever fakes the serial line advances it by the
// time a receive would have waited.
class VirtualClock : public Clock {
 public:
  std::int64_t NowMs() const override { return m_now; }
  void Advance(std::int64_t ms) { m_now += ms; }
  void AdvanceTo(std::int64_t ms) {
    if (ms > m_now) m_now = ms;
  }

 private:
  std::int64_t m_now = 0;
};
