#include "link/qt/QtSerialPort.h"

#include <QSerialPort>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

#include "link/LinkConstants.h"

namespace {

class QtSerialStream : public SerialStream {
 public:
  explicit QtSerialStream(const std::string& path) { m_port.setPortName(QString::fromStdString(path)); }

  QSerialPort& Port() { return m_port; }

  void Send(std::uint8_t byte) override {
    const char c = static_cast<char>(byte);
    m_port.write(&c, 1);
    m_port.flush();
  }

  int Receive(int timeoutMs) override {
    // A line that fails answers at once; the callers treat it as silence.
    if (m_port.bytesAvailable() == 0 && !m_port.waitForReadyRead(timeoutMs)) return kReceiveTimeout;
    char c = 0;
    if (!m_port.getChar(&c)) return kReceiveTimeout;
    return static_cast<std::uint8_t>(c);
  }

 private:
  QSerialPort m_port;
};

#ifndef _WIN32
// QSerialPort reports a device held by another program as a permission
// error, so what the user may do is asked of the system first.
OpenStatus CheckDevice(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return errno == EACCES ? OpenStatus::PermissionDenied : OpenStatus::NoSuchDevice;
  if (::access(path.c_str(), R_OK | W_OK) != 0) return OpenStatus::PermissionDenied;
  return OpenStatus::Ok;
}
#else
OpenStatus CheckDevice(const std::string&) { return OpenStatus::Ok; }
#endif

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
  const OpenStatus checked = CheckDevice(path);
  if (checked != OpenStatus::Ok) return {checked, nullptr, {}};

  auto stream = std::make_unique<QtSerialStream>(path);
  QSerialPort& port = stream->Port();
  if (!port.open(QIODevice::ReadWrite)) return {StatusOf(port.error()), nullptr, port.errorString().toStdString()};
  const bool configured = port.setBaudRate(kBaudRate) && port.setDataBits(QSerialPort::Data8) &&
                          port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::OneStop) &&
                          port.setFlowControl(QSerialPort::NoFlowControl);
  if (!configured) return {OpenStatus::Other, nullptr, port.errorString().toStdString()};
  return {OpenStatus::Ok, std::move(stream), {}};
}
