// SPDX-License-Identifier: GPL-3.0-or-later
#include "upgrade/EchoTracker.h"

#include "upgrade/UploadConstants.h"

void EchoTracker::StartSending(UnitLink& link) {
  m_owed.clear();
  m_heardDuringSending = false;
  for (int k = 0; k < kMaxStaleBytes && IsByte(link.Receive(0)); ++k) {
    if (m_echoes == Echoing::Unknown) m_echoes = Echoing::Yes;
  }
}

void EchoTracker::Sent(std::uint8_t byte, int paced) {
  m_owed.push_back(byte);
  if (paced == kReceiveTimeout) return;
  // Whatever came in is the oldest echo still owed; a unit that echoes in
  // time owes nothing after each wait.
  m_heardDuringSending = true;
  if (m_echoes == Echoing::Unknown) m_echoes = Echoing::Yes;
  m_owed.pop_front();
}

int EchoTracker::Answer(UnitLink& link, int timeoutMs, std::uint8_t expected) {
  while (true) {
    const int got = link.Receive(timeoutMs);
    if (!IsByte(got) || m_owed.empty() || m_echoes == Echoing::No) return got;
    if (m_echoes == Echoing::Unknown) {
      if (got != m_owed.front()) {
        // Answered at once, with nothing before it: this unit does not echo.
        if (got == expected && !m_heardDuringSending) m_echoes = Echoing::No;
        return got;
      }
      m_echoes = Echoing::Yes;
    }
    m_owed.pop_front();
  }
}
