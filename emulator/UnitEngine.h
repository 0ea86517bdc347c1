// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The unit's side of the serial protocols, for tests and for users without
// a unit. It knows nothing of the program's own protocol code: it takes the
// bytes the PC sends, one at a time, and says which bytes the unit sends
// back and when. Time is whatever the driver says it is (milliseconds), so
// the same engine runs on a pseudo-terminal in real time and inside tests in
// virtual time.
//
// Database mode ('Connect to PC'):
//   'X'                  -> 'G'
//   'R' hi lo            -> each echoed; then 64 data bytes from hi:lo, each
//                           sent only after the PC echoed the one before;
//                           then the checksum ('R' + hi + lo + data) mod 256
//   'W' hi lo + 64 data  -> each echoed; then the checksum byte, answered 'Y'
//                           (stored) or 'N' (wrong checksum, nothing stored)
//   'Q'                  -> ends the transfer
// Bootloader mode:
//   'X'                  -> 'G' (once; then blocks)
//   hi lo + 64 data      -> each echoed; then the checksum (hi + lo + data)
//                           mod 256, answered 'Y' (stored) or 'N'
//   0x00 0x00            -> the first echoed, the second answered 'Z'
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "database/DatabaseImage.h"

enum class UnitMode { Database, Bootloader };

struct UnitFaults {
  long silentAfterBytes = -1;       // sends nothing more once it has sent this many (<0: never)
  long vanishAfterBytes = -1;       // the line itself goes away once it has sent this many (<0: never)
  int nakFirstBlocks = 0;           // answers 'N' to this many written blocks, however good
  int badChecksumBlock = -1;        // block index (address / 64) served with a wrong checksum
  int badChecksumTimes = 1;         // ... on its first this many servings
  int chatterMs = 0;                // sends a byte every kChatterPeriodMs for this long after power-on
  bool neverEcho = false;           // echoes nothing (answers and data still go out)
  bool echoWake = false;            // answers 'X' with 'X'
  bool noEndAnswer = false;         // bootloader: says nothing to 0x00 0x00
  bool garbleHeaderEchoes = false;  // echoes command and address bytes inverted
};

struct UnitStats {
  int wakes = 0;                 // 'X' received while idle
  int blocksServed = 0;          // 'R' blocks whose data all went out
  std::vector<int> blocksAsked;  // the block (address / 64) of each 'R' request, in order, repeats included
  int blocksAccepted = 0;        // 'W' or bootloader blocks answered 'Y'
  int blocksRefused = 0;         // answered 'N'
  int echoMismatches = 0;        // echoes of served data that differed from what was sent
  int endsReceived = 0;          // 'Q', or the bootloader's 0x00 0x00
  int highestBlockAddress = -1;  // bootloader: the highest address stored
  long bytesSent = 0;
  long bytesReceived = 0;
};

// `blocks` as runs of rising blocks: "0-56", "0-5, 5-9" (block 5 asked twice).
std::string BlockRuns(const std::vector<int>& blocks);

inline constexpr int kChatterPeriodMs = 50;
inline constexpr std::uint8_t kChatterByte = 0x2A;

class UnitEngine {
 public:
  explicit UnitEngine(UnitMode mode, const UnitFaults& faults = {});

  // The database in database mode; what the bootloader received otherwise
  // (zero where nothing came).
  DatabaseImage& Memory() { return m_memory; }
  const DatabaseImage& Memory() const { return m_memory; }
  const UnitStats& Stats() const { return m_stats; }
  UnitMode Mode() const { return m_mode; }

  // The line came up at `nowMs`: protocol state from the start, chatter begins.
  void PowerOn(std::int64_t nowMs);
  // One byte from the PC.
  void Take(std::uint8_t byte, std::int64_t nowMs);
  // The next byte the unit sends, if one is due by `nowMs`.
  std::optional<std::uint8_t> Emit(std::int64_t nowMs);
  // When the next byte will be due, or nothing while it waits for the PC.
  std::optional<std::int64_t> NextEmitAt(std::int64_t nowMs) const;
  // True once after each transfer that changed Memory() has ended.
  bool TakeSaveRequest();
  // The unit's line has gone away (an adapter unplugged): whoever carries
  // its bytes stops, and nothing more comes from it.
  bool Vanished() const;

 private:
  enum class State {
    Idle,
    ReadHigh,
    ReadLow,
    ReadEcho,
    WriteHigh,
    WriteLow,
    BootWake,
    BootHigh,
    BootLow,
    BlockData,
    BlockChecksum,  // a written or bootloader block after its address
  };

  void Queue(std::uint8_t byte);
  void Echo(std::uint8_t byte);
  void EchoHeader(std::uint8_t byte);
  void TakeDatabase(std::uint8_t byte);
  void TakeBootloader(std::uint8_t byte);
  void ServeNextDataByte();
  void BeginBlock(std::uint8_t low);
  void TakeBlockByte(std::uint8_t byte);
  void AcceptBlock(std::uint8_t checksum, unsigned sum);
  bool Silent() const;

  UnitMode m_mode;
  UnitFaults m_faults;
  DatabaseImage m_memory;
  UnitStats m_stats;
  State m_state;
  std::deque<std::uint8_t> m_out;
  std::int64_t m_chatterUntil = 0;
  std::int64_t m_nextChatter = 0;
  int m_address = 0;
  int m_index = 0;
  unsigned m_sum = 0;
  std::uint8_t m_high = 0;
  std::uint8_t m_block[64] = {};
  int m_blocksTaken = 0;
  int m_badChecksumsSent = 0;
  bool m_changed = false;
  bool m_saveRequested = false;
};
