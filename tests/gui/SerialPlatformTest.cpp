// SPDX-License-Identifier: GPL-3.0-or-later
// What this system's platform file does for the serial line, against a
// pseudo-terminal: the program asks for low latency and goes on silently
// where the device has no such setting, and a missing device is told
// apart from the other failures.
#include <gtest/gtest.h>

#include <QSerialPort>

#include "link/LinkConstants.h"
#include "link/serial/QtSerialPlatform.h"
#include "link/serial/QtSerialPort.h"
#include "tests/support/TempDir.h"
#include "tests/support/UnitProcess.h"

namespace {

TEST(SerialPlatform, ALineWithoutALatencySettingIsLeftAsItIsAndStillWorks) {
  UnitProcess unit;
  ASSERT_TRUE(unit.Started());
  QSerialPort port(QString::fromStdString(unit.Device()));
  ASSERT_TRUE(port.open(QIODevice::ReadWrite));
  EXPECT_EQ(RequestLowLatency(port), LowLatency::Unsupported) << ToString(RequestLowLatency(port));
  port.close();

  // The opener asks the same on every open, and the line answers as ever.
  QtSerialOpener opener;
  OpenResult opened = opener.Open(unit.Device());
  ASSERT_EQ(opened.status, OpenStatus::Ok) << opened.detail;
  opened.stream->Send('X');
  EXPECT_EQ(opened.stream->Receive(kReplyTimeoutMs), 'G');
}

TEST(SerialPlatform, AMissingDeviceIsToldApart) {
  TempDir dir;
  EXPECT_EQ(QtSerialOpener().Open(dir.File("ttyUSB9")).status, OpenStatus::NoSuchDevice);
}

}  // namespace
