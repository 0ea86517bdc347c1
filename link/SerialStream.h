// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The byte stream to the unit and the way one is opened. The Qt side
// implements these over QSerialPort; tests over an emulated unit.
#include <cstdint>
#include <memory>
#include <string>

class SerialStream {
 public:
  virtual ~SerialStream() = default;  // releases the port
  // Sends one byte at once. False when the line has failed (the device is
  // gone); a unit that does not answer is no failure of the line.
  virtual bool Send(std::uint8_t byte) = 0;
  // Waits at most `timeoutMs` for the next byte: 0..255; kReceiveTimeout
  // when nothing came in that time; kLineLost, without waiting, when the
  // line has failed.
  virtual int Receive(int timeoutMs) = 0;
};

enum class OpenStatus {
  Ok,
  NoSuchDevice,
  PermissionDenied,
  Busy,   // another program holds the device
  Other,  // anything else, including a device that refuses the line settings
};
const char* ToString(OpenStatus status);

struct OpenResult {
  OpenStatus status = OpenStatus::Other;
  std::unique_ptr<SerialStream> stream;  // set exactly when status is Ok
  std::string detail;                    // the system's own words, if any
};

class SerialOpener {
 public:
  virtual ~SerialOpener() = default;
  // Opens `path` at 115200 8N1 without flow control.
  virtual OpenResult Open(const std::string& path) = 0;
};
