// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/serial/QtSerialPort.h"

#include <QSerialPort>
#include <QSerialPortInfo>

#include "link/LinkConstants.h"
#include "link/serial/QtSerialPlatform.h"
#include "link/serial/SerialPorts.h"

namespace {

class QtSerialStream : public SerialStream {
 public:
  explicit QtSerialStream(const std::string& path) { m_port.setPortName(QString::fromStdString(path)); }

  QSerialPort& Port() { return m_port; }

  bool Send(std::uint8_t byte) override {
    const char c = static_cast<char>(byte);
    m_port.clearError();
    m_port.write(&c, 1);
    m_port.flush();
    return !Failed();
  }

  int Receive(int timeoutMs) override {
    if (m_port.bytesAvailable() == 0) {
      m_port.clearError();
      // False both for silence, which leaves a time-out, and for a line
      // that failed, which leaves its own error.
      if (!m_port.waitForReadyRead(timeoutMs)) return Failed() ? kLineLost : kReceiveTimeout;
    }
    char c = 0;
    if (!m_port.getChar(&c)) return Failed() ? kLineLost : kReceiveTimeout;
    return static_cast<std::uint8_t>(c);
  }

 private:
  // A device that went away reports a read, write or resource error; a
  // wait that ran out only a time-out.
  bool Failed() const {
    const QSerialPort::SerialPortError error = m_port.error();
    return error != QSerialPort::NoError && error != QSerialPort::TimeoutError;
  }

  QSerialPort m_port;
};

// After the system's own check found nothing wrong, a device that refuses
// to open is held by another program: Qt reports a lock, an exclusive open
// or Windows' "access denied" as a permission error.
OpenStatus StatusOf(QSerialPort::SerialPortError error) {
  switch (error) {
    case QSerialPort::DeviceNotFoundError: return OpenStatus::NoSuchDevice;
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError: return OpenStatus::Busy;
    default: return OpenStatus::Other;
  }
}

}  // namespace

OpenResult QtSerialOpener::Open(const std::string& path) {
  const OpenStatus checked = CheckDeviceBeforeOpen(path);
  if (checked != OpenStatus::Ok) return {checked, nullptr, {}};

  auto stream = std::make_unique<QtSerialStream>(path);
  QSerialPort& port = stream->Port();
  if (!port.open(QIODevice::ReadWrite)) return {StatusOf(port.error()), nullptr, port.errorString().toStdString()};
  const bool configured = port.setBaudRate(kBaudRate) && port.setDataBits(QSerialPort::Data8) &&
                          port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::OneStop) &&
                          port.setFlowControl(QSerialPort::NoFlowControl);
  if (!configured) return {OpenStatus::Other, nullptr, port.errorString().toStdString()};
  // Where the driver has no such setting (a pseudo-terminal, most systems)
  // the line works as it is.
  RequestLowLatency(port);
  return {OpenStatus::Ok, std::move(stream), {}};
}

std::unique_ptr<SerialOpener> MakeSerialOpener() { return std::make_unique<QtSerialOpener>(); }

std::vector<SerialPortInfo> PresentSerialPorts() {
  std::vector<SerialPortInfo> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    SerialPortInfo port;
    port.device = info.systemLocation().toStdString();
    port.description = info.description().toStdString();
    port.manufacturer = info.manufacturer().toStdString();
    port.usb = info.hasVendorIdentifier();
    if (info.hasVendorIdentifier()) port.vendorId = info.vendorIdentifier();
    if (info.hasProductIdentifier()) port.productId = info.productIdentifier();
    ports.push_back(std::move(port));
  }
  CompletePortList(ports);
  return ports;
}

const char* ToString(LowLatency result) {
  switch (result) {
    case LowLatency::Set: return "low latency set";
    case LowLatency::AlreadySet: return "low latency already set";
    case LowLatency::Unsupported: return "low latency not supported";
  }
  return "unknown";
}
