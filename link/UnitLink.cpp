#include "link/UnitLink.h"

#include <utility>

#include "user/MessageBox.h"
#include "link/LinkConstants.h"
#include "resources/Strings.h"

const char* ToString(OpenStatus status) {
  switch (status) {
    case OpenStatus::Ok: return "ok";
    case OpenStatus::NoSuchDevice: return "no such device";
    case OpenStatus::PermissionDenied: return "permission denied";
    case OpenStatus::Busy: return "device busy";
    case OpenStatus::Other: return "could not open";
  }
  return "unknown";
}

std::string OpenFailureText(OpenStatus status, const std::string& path, const std::string& detail,
                            const PortAdvice& advice) {
  const char* reason = nullptr;
  switch (status) {
    case OpenStatus::NoSuchDevice: reason = kMsgPortMissing; break;
    case OpenStatus::PermissionDenied: reason = kMsgPortPermission; break;
    case OpenStatus::Busy: reason = kMsgPortBusy; break;
    case OpenStatus::Ok:
    case OpenStatus::Other: break;
  }
  std::string text = kMsgErrorOpeningCommPort;
  if (reason != nullptr) {
    text += "\n\n" + FormatMessageText(reason, path);
  } else if (!detail.empty()) {
    text += "\n\n" + path + ": " + detail;
  }
  if (status == OpenStatus::NoSuchDevice) {
    if (advice.present.empty()) {
      text += std::string("\n\n") + kMsgNoSerialPorts;
    } else {
      text += std::string("\n\n") + kMsgSerialPortsHere + "\n" + PortListText(advice.present, advice.comm);
      if (!advice.howToUse.empty()) text += advice.howToUse;
    }
  }
  return text;
}

UnitLink::UnitLink(SerialOpener& opener, const Clock& clock, MessageBox& messages, PortAdvice advice)
    : m_opener(opener), m_clock(clock), m_messages(messages), m_advice(std::move(advice)) {}

UnitLink::~UnitLink() { Close(); }

LinkStatus UnitLink::Open(const std::string& path) {
  Close();
  OpenResult result = m_opener.Open(path);
  if (result.status != OpenStatus::Ok || result.stream == nullptr) {
    m_messages.Show(OpenFailureText(result.status, path, result.detail, m_advice), kCaptionError, MessageStyle::Ok);
    return LinkStatus::OpenFailed;
  }
  m_stream = std::move(result.stream);
  return LinkStatus::Ok;
}

LinkStatus UnitLink::Drain() {
  const std::int64_t start = m_clock.NowMs();
  while (Receive(kQuietLineMs) != kReceiveTimeout) {
    if (m_clock.NowMs() - start >= kDrainLimitMs) {
      m_messages.Show(kMsgLineNeverQuiet, kCaptionError, MessageStyle::Ok);
      Close();
      return LinkStatus::LineNeverQuiet;
    }
  }
  return LinkStatus::Ok;
}

LinkStatus UnitLink::Wake() {
  for (int attempt = 0; attempt < kWakeAttempts; ++attempt) {
    Send(kWakeRequest);
    if (Receive(kReplyTimeoutMs) == kWakeAnswer) return LinkStatus::Ok;
  }
  m_messages.Show(kMsgNoResponse, kCaptionError, MessageStyle::Ok);
  Close();
  return LinkStatus::NoResponse;
}

LinkStatus UnitLink::Connect(const std::string& path) {
  LinkStatus status = Open(path);
  if (status == LinkStatus::Ok) status = Drain();
  if (status == LinkStatus::Ok) status = Wake();
  return status;
}

void UnitLink::Send(std::uint8_t byte) {
  if (m_stream) m_stream->Send(byte);
}

int UnitLink::Receive(int timeoutMs) { return m_stream ? m_stream->Receive(timeoutMs) : kReceiveTimeout; }

void UnitLink::Close() { m_stream.reset(); }
