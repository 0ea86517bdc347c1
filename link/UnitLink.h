// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One connection with the unit, from Connect to Close. Each unit command
// makes its own; there is never more than one open at a time. The link
// tells what happened and shows nothing: the command that uses it puts
// its failures into words when it ends.
#include <cstdint>
#include <memory>
#include <string>

#include "link/Clock.h"
#include "link/SerialStream.h"

enum class LinkStatus {
  Ok,
  OpenFailed,      // the port could not be opened; LinkResult says why
  LineNeverQuiet,  // the drain gave up: the unit keeps sending
  NoResponse,      // no 'G' after five 'X'
  LineLost,        // the line failed (the device went away)
};

// What opening or waking the unit came to; for a port that did not open,
// why, and the system's own words where it gave any.
struct LinkResult {
  LinkStatus status = LinkStatus::Ok;
  OpenStatus openStatus = OpenStatus::Ok;  // OpenFailed only
  std::string detail;                      // OpenFailed only
  bool Ok() const { return status == LinkStatus::Ok; }
};

class UnitLink {
 public:
  UnitLink(SerialOpener& opener, const Clock& clock);
  ~UnitLink();
  UnitLink(const UnitLink&) = delete;
  UnitLink& operator=(const UnitLink&) = delete;

  // Opens `path` at 115200 8N1. On failure nothing stays open.
  LinkResult Open(const std::string& path);
  // Discards input until the line has been quiet for 1000 ms. A line that
  // is not quiet within 10 s is given up, as is one that fails; either
  // closes the link.
  LinkStatus Drain();
  // 'X' at most five times, each followed by one receive of up to 1000 ms;
  // 'G' succeeds, any other byte sends the next 'X' at once. After the
  // fifth without 'G', or a line that fails, the link is closed.
  LinkStatus Wake();
  // Open, Drain, Wake; stops at the first failure, which leaves it closed.
  LinkResult Connect(const std::string& path);

  // Only while open. False once the line has failed: from then on nothing
  // goes out, and every receive answers kLineLost at once.
  bool Send(std::uint8_t byte);
  // 0..255; kReceiveTimeout after `timeoutMs` of silence; kLineLost, at
  // once, when the line has failed (then or before).
  int Receive(int timeoutMs);
  bool LineLost() const { return m_lost; }

  // Releases the port; sends nothing. Harmless when already closed.
  void Close();
  bool IsOpen() const { return m_stream != nullptr; }

 private:
  SerialOpener& m_opener;
  const Clock& m_clock;
  std::unique_ptr<SerialStream> m_stream;
  bool m_lost = false;
};
