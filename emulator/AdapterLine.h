// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line between the program and an emulated unit, as a USB-serial
// adapter makes it. An adapter does not pass the unit's bytes on as they
// come: it holds them until its latency timer ticks and then delivers all
// that came in since the last tick together. What the program sends waits
// for the next USB frame (1 ms) before it reaches the unit. With a latency
// of 0 the line is a plain wire: every byte arrives the moment it is sent.
//
// Time is whatever the driver says (milliseconds, never going back), so the
// same line runs on a pseudo-terminal in real time and in tests in virtual
// time.
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

#include "emulator/UnitEngine.h"

// The latency timer's range on common adapters.
inline constexpr int kMaxAdapterLatencyMs = 255;
// A byte from the PC reaches the unit with the next USB frame.
inline constexpr int kUsbFrameMs = 1;

class AdapterLine {
 public:
  // `latencyMs` 0..kMaxAdapterLatencyMs; 0 is a plain wire.
  AdapterLine(UnitEngine& engine, int latencyMs);

  int LatencyMs() const { return m_latencyMs; }
  // Only while nothing is on the way.
  void SetLatency(int latencyMs);

  // Extra milliseconds a byte the unit sends takes before it even reaches
  // the adapter (a unit that answers late); bytes keep their order. Null:
  // none.
  std::function<int(std::uint8_t)> lateBy;

  // Forgets every byte on the way, as when the line is opened anew.
  void Reset();

  // The program sent `byte` at `nowMs`. On a plain wire the unit takes it
  // at once.
  void FromProgram(std::uint8_t byte, std::int64_t nowMs);

  // Lets everything happen that is due by `nowMs`, in the order it is due:
  // the program's bytes reach the unit, the unit answers, the adapter
  // gathers the answers.
  void RunUntil(std::int64_t nowMs);

  // The next byte that has reached the program by `nowMs` (call RunUntil
  // first), or nothing.
  std::optional<std::uint8_t> TakeForProgram(std::int64_t nowMs);

  // When something will next happen after `nowMs` (once RunUntil(nowMs) has
  // run and TakeForProgram found nothing), or nothing while the unit waits
  // for the program.
  std::optional<std::int64_t> NextEventAt(std::int64_t nowMs) const;

 private:
  struct Timed {
    std::int64_t at;
    std::uint8_t byte;
  };

  // When a byte the unit sends at `sentAt` reaches the program.
  std::int64_t DeliveryOf(std::uint8_t byte, std::int64_t sentAt);

  UnitEngine& m_engine;
  int m_latencyMs;
  std::deque<Timed> m_toUnit;
  std::deque<Timed> m_toProgram;
  std::int64_t m_unitNow = 0;     // how far the unit has run
  std::int64_t m_lastEnters = 0;  // when the unit's last byte reached the adapter
};
