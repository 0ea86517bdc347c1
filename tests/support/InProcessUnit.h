// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The emulated unit inside a test, in virtual time: it is the opener of the
// serial line, and every receive that waits moves the clock on instead of
// sleeping. Everything that crosses the line is logged in order. The line
// can be a plain wire (the default) or a USB-serial adapter with a latency
// timer (SetLatency).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "emulator/AdapterLine.h"
#include "emulator/UnitEngine.h"
#include "link/Clock.h"
#include "link/SerialStream.h"

struct WireEvent {
  enum Kind { Sent, Received, Silence, Lost } kind;  // from the program's side; Lost: the line failed
  int byte;                                          // -1 for Silence and Lost
  std::int64_t atMs;
  friend bool operator==(const WireEvent&, const WireEvent&) = default;
};

class InProcessUnit : public SerialOpener {
 public:
  explicit InProcessUnit(UnitMode mode = UnitMode::Database, const UnitFaults& faults = {});
  ~InProcessUnit() override;

  OpenResult Open(const std::string& path) override;

  // The adapter's latency timer in ms (0: a plain wire). Set before a
  // command opens the line.
  void SetLatency(int ms);
  int Latency() const { return m_line.LatencyMs(); }

  UnitEngine engine;
  VirtualClock clock;
  std::vector<std::string> openedPaths;
  OpenStatus failOpenWith = OpenStatus::Ok;
  std::vector<WireEvent> wire;
  // Off: `wire` stays empty and only the counts are kept (the fuzzers,
  // which run millions of transfers).
  bool recordWire = true;
  // Runs on every byte the unit sends; returns the byte the program gets,
  // or -1 to lose it.
  std::function<int(std::uint8_t)> tamper;
  // Extra ms each byte the unit sends is held back before it reaches the
  // adapter (a late echo); bytes keep their order. Set before opening.
  std::function<int(std::uint8_t)> lateBy;

  bool LineOpen() const { return m_openStreams > 0; }
  // The adapter is pulled out now: the line fails, as it does once the
  // unit's vanishAfterBytes fault strikes.
  void Unplug() { m_unplugged = true; }
  bool Unplugged() const { return m_unplugged || engine.Vanished(); }
  // The bytes the program sent, in order.
  std::vector<std::uint8_t> SentBytes() const;
  // Events of `kind`, of any byte (-2) or of `byte` (only while recorded).
  std::size_t Count(WireEvent::Kind kind, int byte = -2) const;

 private:
  friend class InProcessStream;
  void Log(WireEvent::Kind kind, int byte);

  AdapterLine m_line{engine, 0};
  int m_openStreams = 0;
  bool m_unplugged = false;
  std::size_t m_counts[4] = {};
};
