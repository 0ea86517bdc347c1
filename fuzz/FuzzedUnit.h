#pragma once
// A unit whose every answer the fuzzer may change: the in-process emulated
// unit runs the protocol properly, and the input decides, byte by byte,
// whether each byte it sends arrives as it is, is lost (silence) or arrives
// as another value. When the input runs out the unit behaves. The input's
// first byte picks a fault of the unit itself.
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
    case 6: faults.badChecksumBlock = (pick >> 3) % 4; faults.badChecksumTimes = (pick >> 3); break;
    default: break;
  }
  return faults;
}

struct FuzzedUnit {
  FuzzedUnit(UnitMode mode, const std::uint8_t* data, std::size_t size)
      : harness(mode, FaultsFrom(size > 0 ? data[0] : 0)),
        input(size > 0 ? data + 1 : data),
        left(size > 0 ? size - 1 : 0) {
    harness.unit.tamper = [this](std::uint8_t byte) { return Tamper(byte); };
  }

  int Tamper(std::uint8_t byte) {
    ++unitBytes;
    if (left < 2) return byte;
    const std::uint8_t op = input[0];
    const std::uint8_t value = input[1];
    input += 2;
    left -= 2;
    switch (op % 4) {
      case 1: return -1;     // lost: the program hears silence
      case 2:  // arrives changed
        changedBytes += value != byte ? 1 : 0;
        return value;
      default: return byte;
    }
  }

  // Names the broken promise before the fuzzer reports the crash.
  static void Check(bool condition, const char* promise) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
  }

  LinkHarness harness;
  const std::uint8_t* input;
  std::size_t left;
  long unitBytes = 0;
  // Bytes that arrived with another value: an 8-bit checksum cannot catch
  // every such change, nor can the program tell a forged 'Y' from a real one.
  long changedBytes = 0;
};
