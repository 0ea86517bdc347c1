#pragma once
// One connection with the unit, from Connect to Close. Each unit command
// makes its own; there is never more than one open at a time.
#include <cstdint>
#include <memory>
#include <string>

#include "link/Clock.h"
#include "link/SerialStream.h"

class MessageBox;

enum class LinkStatus {
  Ok,
  OpenFailed,      // "Error Opening Comm Port" with the reason
  LineNeverQuiet,  // the drain gave up: the unit keeps sending
  NoResponse,      // no 'G' after five 'X'
};
const char* ToString(LinkStatus status);

// "Error Opening Comm Port", then after a blank line why and what to do,
// when the reason is known.
std::string OpenFailureText(OpenStatus status, const std::string& path, const std::string& detail);

class UnitLink {
 public:
  // The link shows its own failure messages in `messages` (caption "Error")
  // before it cleans up, as every unit command wants them.
  UnitLink(SerialOpener& opener, const Clock& clock, MessageBox& messages);
  ~UnitLink();
  UnitLink(const UnitLink&) = delete;
  UnitLink& operator=(const UnitLink&) = delete;

  // Opens `path` at 115200 8N1. On failure the message is shown and nothing
  // stays open.
  LinkStatus Open(const std::string& path);
  // Discards input until the line has been quiet for 1000 ms. A line that is
  // not quiet within 10 s is given up: message, then the link is closed.
  LinkStatus Drain();
  // 'X' at most five times, each followed by one receive of up to 1000 ms;
  // 'G' succeeds, any other byte sends the next 'X' at once. After the fifth
  // without 'G': message, then the link is closed.
  LinkStatus Wake();
  // Open, Drain, Wake; stops at the first failure, which leaves it closed.
  LinkStatus Connect(const std::string& path);

  // Only while open.
  void Send(std::uint8_t byte);
  // 0..255, or kReceiveTimeout after `timeoutMs` of silence.
  int Receive(int timeoutMs);

  // Releases the port; sends nothing. Harmless when already closed.
  void Close();
  bool IsOpen() const { return m_stream != nullptr; }

 private:
  SerialOpener& m_opener;
  const Clock& m_clock;
  MessageBox& m_messages;
  std::unique_ptr<SerialStream> m_stream;
};
