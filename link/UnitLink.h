#pragma once
// One connection with the unit, from Connect to Close. Each unit command
// makes its own; there is never more than one open at a time.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/Clock.h"
#include "link/CommPorts.h"
#include "link/SerialStream.h"

class MessageBox;

enum class LinkStatus {
  Ok,
  OpenFailed,      // "Error Opening Comm Port" with the reason
  LineNeverQuiet,  // the drain gave up: the unit keeps sending
  NoResponse,      // no 'G' after five 'X'
};

// What a user is told after a port that does not exist: the serial ports
// there are (with the Comm each is) and how to use one of them.
struct PortAdvice {
  std::vector<SerialPortInfo> present;
  CommPaths comm;
  std::string howToUse;  // how this front end takes another port
};

// "Error Opening Comm Port", then after a blank line why and what to do,
// when the reason is known; for a device that does not exist, then the
// ports that do and `advice.howToUse`.
std::string OpenFailureText(OpenStatus status, const std::string& path, const std::string& detail,
                            const PortAdvice& advice = {});

class UnitLink {
 public:
  // The link shows its own failure messages in `messages` (caption "Error")
  // before it cleans up, as every unit command wants them; a port that does
  // not exist is told with `advice`.
  UnitLink(SerialOpener& opener, const Clock& clock, MessageBox& messages, PortAdvice advice = {});
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
  PortAdvice m_advice;
  std::unique_ptr<SerialStream> m_stream;
};
