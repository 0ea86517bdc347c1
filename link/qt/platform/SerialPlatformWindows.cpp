// Windows: Comm1 and Comm2 are COM1 and COM2. A COM port cannot be checked
// before it is opened, and one that another program holds is refused with
// "access denied": there, a permission error means busy. The latency timer
// of an FTDI adapter is a setting of its driver (see the README).
#include "link/qt/SerialPlatform.h"

void CompletePortList(std::vector<SerialPortInfo>&) {}

CommPaths ChooseCommPorts(const std::vector<SerialPortInfo>& present) { return WindowsCommPorts(present); }

OpenStatus CheckDeviceBeforeOpen(const std::string&) { return OpenStatus::Ok; }

LowLatency RequestLowLatency(QSerialPort&) { return LowLatency::Unsupported; }
