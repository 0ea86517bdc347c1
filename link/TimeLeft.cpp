// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/TimeLeft.h"

TimeLeft::TimeLeft(const Clock& clock, double plainLineMsPerBlock)
    : m_clock(clock), m_plainMsPerBlock(plainLineMsPerBlock) {}

void TimeLeft::Start(int total) {
  m_started = m_clock.NowMs();
  m_elapsed = 0;
  m_total = total;
  m_done = 0;
}

void TimeLeft::Step(int done) {
  m_done = done;
  m_elapsed = m_clock.NowMs() - m_started;
}

std::optional<std::int64_t> TimeLeft::MsLeft() const {
  if (m_done < kBlocksBeforeEstimate || m_done <= 0 || m_done >= m_total) return std::nullopt;
  return m_elapsed * (m_total - m_done) / m_done;
}

bool TimeLeft::SlowLine() const {
  if (m_done < kBlocksBeforeEstimate) return false;
  return static_cast<double>(m_elapsed) > kSlowLineFactor * m_plainMsPerBlock * m_done;
}

std::string TimeLeftText(std::int64_t ms) {
  const std::int64_t s = ms <= 0 ? 0 : (ms + 999) / 1000;
  std::string text = "about ";
  // One number and its unit at a time (gcc 12 misreads `" " + to_string()`).
  auto add = [&text](std::int64_t value, const char* unit) {
    if (text.back() != ' ') text += ' ';
    text += std::to_string(value);
    text += unit;
  };
  if (const std::int64_t fives = s < 5 ? 5 : (s + 4) / 5 * 5; fives < 60) {
    add(fives, " s");
  } else if (const std::int64_t tens = (s + 5) / 10 * 10; tens < 600) {
    add(tens / 60, " min");
    if (tens % 60 != 0) add(tens % 60, " s");
  } else if (const std::int64_t minutes = (s + 30) / 60; minutes < 60) {
    add(minutes, " min");
  } else {
    add(minutes / 60, " h");
    if (minutes % 60 != 0) add(minutes % 60, " min");
  }
  return text + " left";
}
