// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells the bootloader's echoes from its answers. The bootloader sends a
// byte back for every address and data byte; on a plain serial line that
// byte is in before the short wait after each byte runs out, but behind a
// USB-serial adapter it comes a tick later (1 to 16 ms), after the wait. A
// late echo must not be taken for the answer to the checksum, or every
// block would be refused and sent again until the upload gave up.
//
// So each sending counts the echoes it is owed, and the answer is the
// first byte after them. Whether a unit echoes at all is learnt from what
// comes in: a byte during a sending's short waits, or one left over before
// a sending, says it does; a first answer equal to the echo owed first says
// so too. A unit that answered at once with nothing coming in before is
// taken not to echo, and its first byte stays its answer. A unit that
// echoes only some bytes leaves echoes owed: its answer is then counted as
// one of them, the wait runs out (at most the answer time after the last
// byte that came in), and the block is sent again, within the usual bound;
// it is never taken as accepted on a guess. Nothing here sends a byte or
// waits longer than the upload did before: a unit that echoes in time, or
// never, sees the same bytes at the same moments.
#include <cstdint>
#include <deque>

#include "link/UnitLink.h"

class EchoTracker {
 public:
  enum class Echoing { Unknown, Yes, No };

  Echoing UnitEchoes() const { return m_echoes; }

  // A new sending starts: no echo is owed yet. Bytes already waiting are
  // dropped (they came too late for anything) and tell that the unit echoes.
  void StartSending(UnitLink& link);
  // `byte` went out and the unit owes its echo; `paced` is what the short
  // wait after it brought (a byte or kReceiveTimeout; the caller ends the
  // sending on kLineLost instead).
  void Sent(std::uint8_t byte, int paced);
  // The unit's answer to the sending: owed echoes that come first are
  // taken up, each wait at most `timeoutMs`. `expected` is the answer that
  // means success. Gives a byte, kReceiveTimeout, or kLineLost.
  int Answer(UnitLink& link, int timeoutMs, std::uint8_t expected);

 private:
  Echoing m_echoes = Echoing::Unknown;
  std::deque<std::uint8_t> m_owed;  // echoes not in yet, oldest first
  bool m_heardDuringSending = false;
};
