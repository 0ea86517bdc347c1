#include "tests/support/InProcessUnit.h"

#include "link/LinkConstants.h"

class InProcessStream : public SerialStream {
 public:
  explicit InProcessStream(InProcessUnit& unit) : m_unit(unit) { ++m_unit.m_openStreams; }
  ~InProcessStream() override { --m_unit.m_openStreams; }

  void Send(std::uint8_t byte) override {
    m_unit.wire.push_back({WireEvent::Sent, byte, m_unit.clock.NowMs()});
    m_unit.engine.Take(byte, m_unit.clock.NowMs());
  }

  int Receive(int timeoutMs) override {
    const std::int64_t deadline = m_unit.clock.NowMs() + timeoutMs;
    while (true) {
      const auto due = m_unit.engine.NextEmitAt(m_unit.clock.NowMs());
      if (!due || *due > deadline) break;
      m_unit.clock.AdvanceTo(*due);
      const auto byte = m_unit.engine.Emit(m_unit.clock.NowMs());
      if (!byte) break;
      const int got = m_unit.tamper ? m_unit.tamper(*byte) : *byte;
      if (got < 0) continue;
      m_unit.wire.push_back({WireEvent::Received, got, m_unit.clock.NowMs()});
      return got;
    }
    m_unit.clock.AdvanceTo(deadline);
    m_unit.wire.push_back({WireEvent::Silence, -1, m_unit.clock.NowMs()});
    return kReceiveTimeout;
  }

 private:
  InProcessUnit& m_unit;
};

InProcessUnit::InProcessUnit(UnitMode mode, const UnitFaults& faults) : engine(mode, faults) { engine.PowerOn(0); }

InProcessUnit::~InProcessUnit() = default;

OpenResult InProcessUnit::Open(const std::string& path) {
  openedPaths.push_back(path);
  if (failOpenWith != OpenStatus::Ok) return {failOpenWith, nullptr, {}};
  return {OpenStatus::Ok, std::make_unique<InProcessStream>(*this), {}};
}

std::vector<std::uint8_t> InProcessUnit::SentBytes() const {
  std::vector<std::uint8_t> bytes;
  for (const WireEvent& event : wire) {
    if (event.kind == WireEvent::Sent) bytes.push_back(static_cast<std::uint8_t>(event.byte));
  }
  return bytes;
}

std::size_t InProcessUnit::Count(WireEvent::Kind kind, int byte) const {
  std::size_t n = 0;
  for (const WireEvent& event : wire) n += event.kind == kind && (byte == -2 || event.byte == byte) ? 1 : 0;
  return n;
}
