// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/AdapterLine.h"

#include <algorithm>

AdapterLine::AdapterLine(UnitEngine& engine, int latencyMs)
    : m_engine(engine), m_latencyMs(std::clamp(latencyMs, 0, kMaxAdapterLatencyMs)) {}

void AdapterLine::SetLatency(int latencyMs) { m_latencyMs = std::clamp(latencyMs, 0, kMaxAdapterLatencyMs); }

void AdapterLine::Reset() {
  m_toUnit.clear();
  m_toProgram.clear();
  m_lastEnters = 0;
}

void AdapterLine::FromProgram(std::uint8_t byte, std::int64_t nowMs) {
  if (m_latencyMs == 0) {
    RunUntil(nowMs);
    m_engine.Take(byte, nowMs);
    return;
  }
  m_toUnit.push_back({nowMs + kUsbFrameMs, byte});
}

std::int64_t AdapterLine::DeliveryOf(std::uint8_t byte, std::int64_t sentAt) {
  std::int64_t enters = sentAt + (lateBy ? std::max(0, lateBy(byte)) : 0);
  enters = std::max(enters, m_lastEnters);
  m_lastEnters = enters;
  if (m_latencyMs == 0) return enters;
  // The timer ticks at every multiple of the latency; a byte waits for the
  // first tick after it came in.
  return (enters / m_latencyMs + 1) * m_latencyMs;
}

void AdapterLine::RunUntil(std::int64_t nowMs) {
  while (true) {
    const std::optional<std::int64_t> emits = m_engine.NextEmitAt(m_unitNow);
    const bool takeFirst =
        !m_toUnit.empty() && m_toUnit.front().at <= nowMs && (!emits || m_toUnit.front().at <= *emits);
    if (takeFirst) {
      m_unitNow = std::max(m_unitNow, m_toUnit.front().at);
      m_engine.Take(m_toUnit.front().byte, m_unitNow);
      m_toUnit.pop_front();
      continue;
    }
    if (!emits || *emits > nowMs) break;
    m_unitNow = std::max(m_unitNow, *emits);
    const std::optional<std::uint8_t> byte = m_engine.Emit(m_unitNow);
    if (!byte) break;
    const std::int64_t reaches = DeliveryOf(*byte, m_unitNow);
    if (!m_toProgram.empty()) {
      m_toProgram.push_back({std::max(reaches, m_toProgram.back().at), *byte});
    } else {
      m_toProgram.push_back({reaches, *byte});
    }
  }
  m_unitNow = std::max(m_unitNow, nowMs);
}

std::optional<std::uint8_t> AdapterLine::TakeForProgram(std::int64_t nowMs) {
  if (m_toProgram.empty() || m_toProgram.front().at > nowMs) return std::nullopt;
  const std::uint8_t byte = m_toProgram.front().byte;
  m_toProgram.pop_front();
  return byte;
}

std::optional<std::int64_t> AdapterLine::NextEventAt(std::int64_t nowMs) const {
  std::optional<std::int64_t> next;
  auto consider = [&](std::int64_t at) {
    if (at <= nowMs) at = nowMs + 1;
    if (!next || at < *next) next = at;
  };
  if (!m_toProgram.empty()) consider(m_toProgram.front().at);
  if (!m_toUnit.empty()) consider(m_toUnit.front().at);
  if (const auto emits = m_engine.NextEmitAt(m_unitNow)) consider(*emits);
  return next;
}
