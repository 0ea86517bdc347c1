// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a UnitEngine on the master side of a pseudo-terminal in real time.
#include <cstdint>
#include <functional>
#include <string>

#include "emulator/UnitEngine.h"

class PtyUnit {
 public:
  // Opens the pseudo-terminal in raw mode; false with `error` set if it cannot.
  bool Open(std::string& error);
  ~PtyUnit();
  // The device the program opens, e.g. /dev/pts/3.
  const std::string& DevicePath() const { return m_devicePath; }

  // Serves `engine` until `stop` says so (checked when a signal interrupts
  // the wait), or until the engine's line vanishes: then the terminal is
  // closed, as an adapter pulled out of its socket disappears. `save` runs
  // after each transfer that changed the memory.
  // `latencyMs` above 0 puts a USB-serial adapter with that latency timer
  // between the unit and the terminal.
  void Serve(UnitEngine& engine, int latencyMs, const std::function<bool()>& stop, const std::function<void()>& save);

  // How long the line was in use, from the first byte either way to the
  // last, in microseconds: a transfer's time without the program's own
  // start and end. -1 before any byte.
  std::int64_t LineBusyUs() const { return m_firstByteUs < 0 ? -1 : m_lastByteUs - m_firstByteUs; }

 private:
  void LineUsed();

  int m_master = -1;
  std::int64_t m_firstByteUs = -1;
  std::int64_t m_lastByteUs = -1;
  std::string m_devicePath;
};
