// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How long a transfer with the unit has left, measured from the pace of the
// blocks done so far, and whether that pace is far slower than a plain
// serial line would allow (a USB adapter whose latency timer holds every
// answer back). It only watches the clock: nothing here touches the line.
#include <cstdint>
#include <optional>
#include <string>

#include "link/Clock.h"
#include "link/LinkConstants.h"

// An estimate is given once this many blocks are done, and not before.
inline constexpr int kBlocksBeforeEstimate = 4;
// A pace this many times the plain line's counts as slow.
inline constexpr int kSlowLineFactor = 3;

// Milliseconds `bytes` take on a plain line at 115200 baud, 10 bits a byte.
constexpr double PlainLineMs(double bytes) { return bytes * 10 * 1000.0 / kBaudRate; }

class TimeLeft {
 public:
  // `plainLineMsPerBlock`: what one block takes on a plain serial line at
  // 115200 baud, the yardstick of a slow line.
  TimeLeft(const Clock& clock, double plainLineMsPerBlock);

  // The first block starts now; `total` blocks in all.
  void Start(int total);
  // `total` blocks in all after all; what was measured stays.
  void Retotal(int total) { m_total = total; }
  // `done` blocks are finished now.
  void Step(int done);

  // Milliseconds left at the pace so far; nothing before
  // kBlocksBeforeEstimate blocks are done, nor once all are.
  std::optional<std::int64_t> MsLeft() const;
  // The whole transfer, at the pace so far, takes more than kSlowLineFactor
  // times its plain-line time. False before kBlocksBeforeEstimate blocks
  // are done.
  bool SlowLine() const;

 private:
  const Clock& m_clock;
  double m_plainMsPerBlock;
  std::int64_t m_started = 0;
  std::int64_t m_elapsed = 0;  // from Start to the last Step
  int m_total = 0;
  int m_done = 0;
};

// "about 1 min 50 s left": seconds rounded up to 5 under a minute, to 10
// under ten minutes, then whole minutes, then hours and minutes.
std::string TimeLeftText(std::int64_t ms);
