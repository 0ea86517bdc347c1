// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A unit whose answers the fuzzer changes, loses or cuts off: the
// in-process emulated unit runs the protocol properly, and the input says
// where it goes wrong. The input is
//   byte 0         a fault of the unit itself (FaultsFrom);
//   then events of three bytes: skip, op, value. `skip` bytes the unit
//   sends reach the program as they are; the next one is lost (op % 4 == 1:
//   the program hears silence), arrives as `value` (op % 4 == 2), is lost
//   with the adapter pulled out (op % 4 == 3: the line fails), or passes
//   too (op % 4 == 0). Op kBehaveToTheEnd instead lets the unit behave from
//   there on.
// An input that runs out without that op pulls the cable where it ends:
// nothing more from the unit reaches the program. So a short input ends
// the transfer early, which keeps the fuzzer fast, and a long one can reach
// any byte of the transfer, or let it finish.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/support/LinkHarness.h"

inline UnitFaults FaultsFrom(std::uint8_t pick) {
  UnitFaults faults;
  switch (pick % 8) {
    case 1: faults.echoWake = true; break;
    case 2: faults.neverEcho = true; break;
    case 3: faults.garbleHeaderEchoes = true; break;
    case 4: faults.chatterMs = 500 + (pick >> 3) * 700; break;
    case 5: faults.nakFirstBlocks = pick >> 3; break;
    case 6:
      faults.badChecksumBlock = (pick >> 3) % 4;
      faults.badChecksumTimes = (pick >> 3);
      break;
    default: break;
  }
  return faults;
}

class UnitInput {
 public:
  UnitInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_left(size) {}
  std::size_t Left() const { return m_left; }
  // The next byte, or 0 once the input has run out.
  std::uint8_t Next() {
    if (m_left == 0) return 0;
    --m_left;
    return *m_data++;
  }

 private:
  const std::uint8_t* m_data;
  std::size_t m_left;
};

struct FuzzedUnit {
  static constexpr std::uint8_t kBehaveToTheEnd = 0xFF;

  // `mode` and the unit's fault come from the first byte of `input`; the
  // rest of it, after whatever the caller took first, are the events.
  FuzzedUnit(UnitMode mode, UnitInput& input) : fault(input.Next()), harness(mode, FaultsFrom(fault)), events(input) {
    harness.unit.recordWire = false;  // counts only: the fuzzer wants speed
    harness.unit.tamper = [this](std::uint8_t byte) { return Tamper(byte); };
  }

  int Tamper(std::uint8_t byte) {
    ++unitBytes;
    if (behaving) return byte;
    if (!pending) {
      if (events.Left() < 3) {
        cablePulled = true;
        ++lostBytes;
        return -1;
      }
      skip = events.Next();
      op = events.Next();
      value = events.Next();
      if (op == kBehaveToTheEnd) {
        behaving = true;
        return byte;
      }
      pending = true;
    }
    if (skip > 0) {
      --skip;
      return byte;
    }
    pending = false;
    return Apply(op, value, byte);
  }

  int Apply(std::uint8_t op, std::uint8_t value, std::uint8_t byte) {
    switch (op % 4) {
      case 1:  // lost: the program hears silence
        ++lostBytes;
        return -1;
      case 2:  // arrives changed
        changedBytes += value != byte ? 1 : 0;
        return value;
      case 3:  // the adapter is pulled out: this byte and the line are gone
        adapterPulled = true;
        harness.unit.Unplug();
        return -1;
      default: return byte;
    }
  }

  // The unit was heard as it spoke: nothing lost, changed or cut off.
  bool Untouched() const { return lostBytes == 0 && changedBytes == 0 && !adapterPulled; }
  // The unit itself has no fault.
  bool Healthy() const { return fault % 8 == 0 || fault % 8 == 7; }

  // Names the broken promise before the fuzzer reports the crash.
  static void Check(bool condition, const char* promise) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
  }

  std::uint8_t fault;
  LinkHarness harness;
  UnitInput& events;
  // The event under way: `skip` more bytes pass, then `op` meets the next.
  bool pending = false;
  int skip = 0;
  std::uint8_t op = 0;
  std::uint8_t value = 0;
  bool behaving = false;
  bool cablePulled = false;    // the input ran out: silence from then on
  bool adapterPulled = false;  // the line failed
  long unitBytes = 0;
  long lostBytes = 0;
  // Bytes that arrived with another value: an 8-bit checksum cannot catch
  // every such change, nor can the program tell a forged 'Y' from a real one.
  long changedBytes = 0;
};
