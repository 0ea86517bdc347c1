// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/InProcessUnit.h"

#include "link/LinkConstants.h"

class InProcessStream : public SerialStream {
 public:
  explicit InProcessStream(InProcessUnit& unit) : m_unit(unit) { ++m_unit.m_openStreams; }
  ~InProcessStream() override { --m_unit.m_openStreams; }

  bool Send(std::uint8_t byte) override {
    if (m_unit.Unplugged()) return false;
    m_unit.Log(WireEvent::Sent, byte);
    m_unit.m_line.FromProgram(byte, m_unit.clock.NowMs());
    return true;
  }

  int Receive(int timeoutMs) override {
    AdapterLine& line = m_unit.m_line;
    const std::int64_t deadline = m_unit.clock.NowMs() + timeoutMs;
    while (true) {
      if (m_unit.Unplugged()) {
        m_unit.Log(WireEvent::Lost, -1);
        return kLineLost;
      }
      line.RunUntil(m_unit.clock.NowMs());
      if (const auto byte = line.TakeForProgram(m_unit.clock.NowMs())) {
        const int got = m_unit.tamper ? m_unit.tamper(*byte) : *byte;
        if (got < 0) continue;
        m_unit.Log(WireEvent::Received, got);
        return got;
      }
      const auto next = line.NextEventAt(m_unit.clock.NowMs());
      if (!next || *next > deadline) break;
      m_unit.clock.AdvanceTo(*next);
    }
    m_unit.clock.AdvanceTo(deadline);
    m_unit.Log(WireEvent::Silence, -1);
    return kReceiveTimeout;
  }

 private:
  InProcessUnit& m_unit;
};

InProcessUnit::InProcessUnit(UnitMode mode, const UnitFaults& faults) : engine(mode, faults) { engine.PowerOn(0); }

InProcessUnit::~InProcessUnit() = default;

void InProcessUnit::SetLatency(int ms) { m_line.SetLatency(ms); }

OpenResult InProcessUnit::Open(const std::string& path) {
  openedPaths.push_back(path);
  if (failOpenWith != OpenStatus::Ok) return {failOpenWith, nullptr, {}};
  m_line.lateBy = lateBy;
  return {OpenStatus::Ok, std::make_unique<InProcessStream>(*this), {}};
}

std::vector<std::uint8_t> InProcessUnit::SentBytes() const {
  std::vector<std::uint8_t> bytes;
  for (const WireEvent& event : wire) {
    if (event.kind == WireEvent::Sent) bytes.push_back(static_cast<std::uint8_t>(event.byte));
  }
  return bytes;
}

void InProcessUnit::Log(WireEvent::Kind kind, int byte) {
  ++m_counts[kind];
  if (recordWire) wire.push_back({kind, byte, clock.NowMs()});
}

std::size_t InProcessUnit::Count(WireEvent::Kind kind, int byte) const {
  if (byte == -2) return m_counts[kind];
  std::size_t n = 0;
  for (const WireEvent& event : wire) n += event.kind == kind && (byte == -2 || event.byte == byte) ? 1 : 0;
  return n;
}
