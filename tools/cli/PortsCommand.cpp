// zorvane-cli ports: the serial ports found, with descriptions and USB ids.
#include <QSerialPortInfo>
#include <cstdio>
#include <ostream>

#include "tools/cli/CliUnit.h"

namespace {

std::string Hex4(quint16 value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(value));
  return text;
}

int RunPorts(const std::vector<std::string>& args, CliStreams& io) {
  if (!args.empty()) return UsageError(io, "ports", "takes no arguments");
  EnsureQtCore();
  const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
  if (ports.isEmpty()) {
    io.out << "no serial ports found\n";
    return kExitOk;
  }
  for (const QSerialPortInfo& port : ports) {
    io.out << port.systemLocation().toStdString();
    const QString description = port.description();
    const QString maker = port.manufacturer();
    if (!description.isEmpty()) io.out << "  " << description.toStdString();
    if (!maker.isEmpty()) io.out << " (" << maker.toStdString() << ')';
    if (port.hasVendorIdentifier() && port.hasProductIdentifier()) {
      io.out << "  usb " << Hex4(port.vendorIdentifier()) << ':' << Hex4(port.productIdentifier());
    }
    io.out << '\n';
  }
  return kExitOk;
}

const SubcommandRegistration kPorts{{"ports", "ports", "list the serial ports with descriptions and USB ids", &RunPorts}};

}  // namespace
