// SPDX-License-Identifier: GPL-3.0-or-later
// Windows: the serial line on the Win32 API. The handle is opened without
// FILE_FLAG_OVERLAPPED and each receive waits in ReadFile, bounded by
// SetCommTimeouts: the classic way, and the one that delivers bytes under
// Wine too, where the overlapped wait of Qt Serial Port never does. Ports
// come from the registry's SERIALCOMM map, with what each is from SetupAPI;
// Comm1 and Comm2 by WindowsCommPorts.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
// After windows.h: the class GUIDs are defined here, not only declared.
#include <initguid.h>

#include <devguid.h>
#include <setupapi.h>

#include <algorithm>
#include <map>

#include "common/platform/WindowsText.h"
#include "link/LinkConstants.h"
#include "link/serial/SerialPorts.h"

namespace {

// A write that cannot finish in this long means the device stopped
// taking bytes: there is no flow control that could hold it back.
constexpr DWORD kWriteTimeoutMs = 2000;
constexpr const wchar_t* kSerialCommKey = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";
constexpr const wchar_t* kDevicePrefix = L"\\\\.\\";

// The system's own words for `error`.
std::string SystemMessage(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length > 0 ? std::wstring(text, length) : L"error " + std::to_wstring(error);
  ::LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.')) {
    message.pop_back();
  }
  return Utf8Text(message);
}

class Win32SerialStream : public SerialStream {
 public:
  explicit Win32SerialStream(HANDLE handle) : m_handle(handle) {}
  ~Win32SerialStream() override { ::CloseHandle(m_handle); }
  Win32SerialStream(const Win32SerialStream&) = delete;
  Win32SerialStream& operator=(const Win32SerialStream&) = delete;

  bool Send(std::uint8_t byte) override {
    DWORD written = 0;
    if (m_lost || ::WriteFile(m_handle, &byte, 1, &written, nullptr) == 0 || written != 1) m_lost = true;
    return !m_lost;
  }

  int Receive(int timeoutMs) override {
    if (m_lost || !SetReadTimeout(std::max(timeoutMs, 0))) {
      m_lost = true;
      return kLineLost;
    }
    std::uint8_t byte = 0;
    DWORD got = 0;
    // A device pulled out fails the read; silence only returns nothing.
    if (::ReadFile(m_handle, &byte, 1, &got, nullptr) == 0) {
      m_lost = true;
      return kLineLost;
    }
    if (got == 1) return byte;
    // Some drivers (and Wine on a pseudo-terminal whose other end closed)
    // answer a read of a device that went away with nothing, as if it had
    // been silent; the line's own state tells the two apart.
    DWORD errors = 0;
    if (::ClearCommError(m_handle, &errors, nullptr) == 0) {
      m_lost = true;
      return kLineLost;
    }
    return kReceiveTimeout;
  }

 private:
  // Set only when it changes: most receives of a transfer wait as long as
  // the one before.
  bool SetReadTimeout(int timeoutMs) {
    if (timeoutMs == m_timeoutMs) return true;
    COMMTIMEOUTS timeouts{};
    if (timeoutMs == 0) {
      // What is there already, without waiting.
      timeouts.ReadIntervalTimeout = MAXDWORD;
    } else {
      // One byte as soon as it comes, or nothing after timeoutMs.
      timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(timeoutMs);
    }
    timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
    if (::SetCommTimeouts(m_handle, &timeouts) == 0) return false;
    m_timeoutMs = timeoutMs;
    return true;
  }

  HANDLE m_handle;
  int m_timeoutMs = -1;
  bool m_lost = false;
};

OpenStatus StatusOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_UNIT: return OpenStatus::NoSuchDevice;
    // A COM port is opened exclusively: one that another program holds is
    // refused as "access denied".
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return OpenStatus::Busy;
    default: return OpenStatus::Other;
  }
}

// 115200 8N1 without flow control; the modem lines are left alone, which
// a pseudo-terminal under Wine has none of.
bool Configure(HANDLE handle) {
  DCB settings{};
  settings.DCBlength = sizeof settings;
  if (::GetCommState(handle, &settings) == 0) return false;
  settings.BaudRate = kBaudRate;
  settings.ByteSize = 8;
  settings.Parity = NOPARITY;
  settings.StopBits = ONESTOPBIT;
  settings.fBinary = TRUE;
  settings.fParity = FALSE;
  settings.fOutxCtsFlow = FALSE;
  settings.fOutxDsrFlow = FALSE;
  settings.fDsrSensitivity = FALSE;
  settings.fOutX = FALSE;
  settings.fInX = FALSE;
  settings.fNull = FALSE;
  settings.fAbortOnError = FALSE;
  return ::SetCommState(handle, &settings) != 0;
}

class Win32SerialOpener : public SerialOpener {
 public:
  OpenResult Open(const std::string& path) override {
    const std::wstring device = kDevicePrefix + WideText(ListedPortName(path));
    const HANDLE handle =
        ::CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = ::GetLastError();
      return {StatusOf(error), nullptr, SystemMessage(error)};
    }
    auto stream = std::make_unique<Win32SerialStream>(handle);
    if (!Configure(handle)) return {OpenStatus::Other, nullptr, SystemMessage(::GetLastError())};
    return {OpenStatus::Ok, std::move(stream), {}};
  }
};

class RegistryKey {
 public:
  RegistryKey(HKEY key) : m_key(key) {}
  ~RegistryKey() {
    if (m_key != nullptr && m_key != INVALID_HANDLE_VALUE) ::RegCloseKey(m_key);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  HKEY Get() const { return m_key; }

 private:
  HKEY m_key;
};

std::wstring StringValue(HKEY key, const wchar_t* name) {
  wchar_t data[256] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  DWORD type = 0;
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return {};
  }
  return data;
}

// The port names of SERIALCOMM: every serial port the system has now.
std::vector<std::string> SerialCommPorts() {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSerialCommKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) return {};
  const RegistryKey key(opened);
  std::vector<std::string> ports;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameLength = 256;
    wchar_t data[256] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    const LONG result =
        ::RegEnumValueW(key.Get(), index, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_SUCCESS && type == REG_SZ && data[0] != L'\0') ports.push_back(Utf8Text(data));
  }
  return ports;
}

std::wstring DeviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
  wchar_t data[512] = {};
  if (::SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr, reinterpret_cast<BYTE*>(data),
                                          sizeof data - 2 * sizeof(wchar_t), nullptr) == 0) {
    return {};
  }
  return data;  // a list (the hardware ids) gives its first entry
}

// What the device manager knows of each port, by port name: its name, its
// maker and, for an adapter, its USB ids. Ports it does not know (a port
// that Wine maps to a pseudo-terminal) are missing.
std::map<std::string, SerialPortInfo> DeviceManagerPorts() {
  std::map<std::string, SerialPortInfo> known;
  const HDEVINFO devices = ::SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (devices == INVALID_HANDLE_VALUE) return known;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD index = 0; ::SetupDiEnumDeviceInfo(devices, index, &device) != 0; ++index) {
    const RegistryKey key(::SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ));
    if (key.Get() == INVALID_HANDLE_VALUE) continue;
    const std::string name = Utf8Text(StringValue(key.Get(), L"PortName"));
    if (name.empty()) continue;
    SerialPortInfo port;
    port.device = name;
    port.description = Utf8Text(DeviceProperty(devices, device, SPDRP_DEVICEDESC));
    port.manufacturer = Utf8Text(DeviceProperty(devices, device, SPDRP_MFG));
    ReadUsbIds(Utf8Text(DeviceProperty(devices, device, SPDRP_HARDWAREID)), port);
    port.builtIn = !port.usb;
    known[name] = port;
  }
  ::SetupDiDestroyDeviceInfoList(devices);
  return known;
}

}  // namespace

std::unique_ptr<SerialOpener> MakeSerialOpener() { return std::make_unique<Win32SerialOpener>(); }

std::vector<SerialPortInfo> PresentSerialPorts() {
  const std::map<std::string, SerialPortInfo> known = DeviceManagerPorts();
  std::vector<SerialPortInfo> ports;
  for (const std::string& name : SerialCommPorts()) {
    const auto found = known.find(name);
    if (found != known.end()) {
      ports.push_back(found->second);
    } else {
      SerialPortInfo port;
      port.device = name;
      ports.push_back(port);
    }
  }
  std::sort(ports.begin(), ports.end(), [](const SerialPortInfo& a, const SerialPortInfo& b) {
    return a.device.size() != b.device.size() ? a.device.size() < b.device.size() : a.device < b.device;
  });
  return ports;
}

CommPaths ChooseCommPorts(const std::vector<SerialPortInfo>& present) { return WindowsCommPorts(present); }

std::string ListedPortName(const std::string& named) { return WindowsPortName(named); }
