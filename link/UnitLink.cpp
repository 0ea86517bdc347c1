// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/UnitLink.h"

#include <utility>

#include "link/LinkConstants.h"

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

UnitLink::UnitLink(SerialOpener& opener, const Clock& clock) : m_opener(opener), m_clock(clock) {}

UnitLink::~UnitLink() { Close(); }

LinkResult UnitLink::Open(const std::string& path) {
  Close();
  m_lost = false;
  OpenResult opened = m_opener.Open(path);
  if (opened.status != OpenStatus::Ok || opened.stream == nullptr) {
    const OpenStatus why = opened.status == OpenStatus::Ok ? OpenStatus::Other : opened.status;
    return {LinkStatus::OpenFailed, why, std::move(opened.detail)};
  }
  m_stream = std::move(opened.stream);
  return {};
}

LinkStatus UnitLink::Drain() {
  const std::int64_t start = m_clock.NowMs();
  while (true) {
    const int got = Receive(kQuietLineMs);
    if (got == kReceiveTimeout) return LinkStatus::Ok;
    if (got == kLineLost) break;
    if (m_clock.NowMs() - start >= kDrainLimitMs) {
      Close();
      return LinkStatus::LineNeverQuiet;
    }
  }
  Close();
  return LinkStatus::LineLost;
}

LinkStatus UnitLink::Wake() {
  for (int attempt = 0; attempt < kWakeAttempts; ++attempt) {
    Send(kWakeRequest);
    const int got = Receive(kReplyTimeoutMs);
    if (got == kWakeAnswer) return LinkStatus::Ok;
    if (got == kLineLost) {
      Close();
      return LinkStatus::LineLost;
    }
  }
  Close();
  return LinkStatus::NoResponse;
}

LinkResult UnitLink::Connect(const std::string& path) {
  LinkResult result = Open(path);
  if (result.Ok()) result.status = Drain();
  if (result.Ok()) result.status = Wake();
  return result;
}

bool UnitLink::Send(std::uint8_t byte) {
  if (!m_lost && m_stream && !m_stream->Send(byte)) m_lost = true;
  return !m_lost && m_stream != nullptr;
}

int UnitLink::Receive(int timeoutMs) {
  if (m_lost) return kLineLost;
  if (!m_stream) return kReceiveTimeout;
  const int got = m_stream->Receive(timeoutMs);
  if (got == kLineLost) m_lost = true;
  return got;
}

void UnitLink::Close() { m_stream.reset(); }
