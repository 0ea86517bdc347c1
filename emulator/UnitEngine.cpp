// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/UnitEngine.h"

namespace {

// The unit's own copy of the protocol bytes.
constexpr std::uint8_t kWake = 'X';
constexpr std::uint8_t kAwake = 'G';
constexpr std::uint8_t kRead = 'R';
constexpr std::uint8_t kWrite = 'W';
constexpr std::uint8_t kYes = 'Y';
constexpr std::uint8_t kNo = 'N';
constexpr std::uint8_t kQuit = 'Q';
constexpr std::uint8_t kBootDone = 'Z';
constexpr int kBlock = 64;

}  // namespace

UnitEngine::UnitEngine(UnitMode mode, const UnitFaults& faults)
    : m_mode(mode), m_faults(faults), m_state(mode == UnitMode::Database ? State::Idle : State::BootWake) {
  if (mode == UnitMode::Database) m_memory.WriteHeader(0);
}

void UnitEngine::PowerOn(std::int64_t nowMs) {
  m_state = m_mode == UnitMode::Database ? State::Idle : State::BootWake;
  m_out.clear();
  m_chatterUntil = nowMs + m_faults.chatterMs;
  m_nextChatter = nowMs;
}

bool UnitEngine::Silent() const {
  return Vanished() || (m_faults.silentAfterBytes >= 0 && m_stats.bytesSent >= m_faults.silentAfterBytes);
}

bool UnitEngine::Vanished() const {
  return m_faults.vanishAfterBytes >= 0 && m_stats.bytesSent >= m_faults.vanishAfterBytes;
}

void UnitEngine::Queue(std::uint8_t byte) { m_out.push_back(byte); }

void UnitEngine::Echo(std::uint8_t byte) {
  if (!m_faults.neverEcho) Queue(byte);
}

void UnitEngine::EchoHeader(std::uint8_t byte) {
  Echo(m_faults.garbleHeaderEchoes ? static_cast<std::uint8_t>(~byte) : byte);
}

std::optional<std::uint8_t> UnitEngine::Emit(std::int64_t nowMs) {
  if (Silent()) {
    m_out.clear();
    return std::nullopt;
  }
  std::optional<std::uint8_t> byte;
  if (!m_out.empty()) {
    byte = m_out.front();
    m_out.pop_front();
  } else if (nowMs < m_chatterUntil && nowMs >= m_nextChatter) {
    byte = kChatterByte;
    m_nextChatter = nowMs + kChatterPeriodMs;
  }
  if (byte) ++m_stats.bytesSent;
  return byte;
}

std::optional<std::int64_t> UnitEngine::NextEmitAt(std::int64_t nowMs) const {
  if (Silent()) return std::nullopt;
  if (!m_out.empty()) return nowMs;
  if (m_nextChatter < m_chatterUntil) return m_nextChatter > nowMs ? m_nextChatter : nowMs;
  return std::nullopt;
}

bool UnitEngine::TakeSaveRequest() {
  const bool requested = m_saveRequested;
  m_saveRequested = false;
  return requested;
}

void UnitEngine::Take(std::uint8_t byte, std::int64_t) {
  ++m_stats.bytesReceived;
  if (m_state == State::BlockData || m_state == State::BlockChecksum) {
    TakeBlockByte(byte);
  } else if (m_mode == UnitMode::Database) {
    TakeDatabase(byte);
  } else {
    TakeBootloader(byte);
  }
}

void UnitEngine::ServeNextDataByte() {
  const std::uint8_t data = m_memory[(m_address + m_index) & 0xFFFF];
  m_sum += data;
  Queue(data);
}

// Checks a received block against its checksum and stores it if good.
void UnitEngine::AcceptBlock(std::uint8_t checksum, unsigned sum) {
  const bool refuse = m_blocksTaken < m_faults.nakFirstBlocks || checksum != static_cast<std::uint8_t>(sum);
  ++m_blocksTaken;
  if (refuse) {
    ++m_stats.blocksRefused;
    Queue(kNo);
    return;
  }
  for (int k = 0; k < kBlock && m_address + k < static_cast<int>(kDatabaseImageSize); ++k) {
    m_memory[static_cast<std::size_t>(m_address + k)] = m_block[k];
  }
  if (m_address > m_stats.highestBlockAddress) m_stats.highestBlockAddress = m_address;
  ++m_stats.blocksAccepted;
  m_changed = true;
  Queue(kYes);
}

// A received block is the same in both modes once its address is in: 64
// data bytes, each echoed, then the checksum, answered 'Y' or 'N'.
void UnitEngine::BeginBlock(std::uint8_t low) {
  m_address = m_high << 8 | low;
  m_sum += low;
  m_index = 0;
  m_state = State::BlockData;
}

void UnitEngine::TakeBlockByte(std::uint8_t byte) {
  if (m_state == State::BlockData) {
    Echo(byte);
    m_block[m_index] = byte;
    m_sum += byte;
    if (++m_index == kBlock) m_state = State::BlockChecksum;
    return;
  }
  AcceptBlock(byte, m_sum);
  m_state = m_mode == UnitMode::Database ? State::Idle : State::BootHigh;
}

void UnitEngine::TakeDatabase(std::uint8_t byte) {
  switch (m_state) {
    case State::Idle:
      if (byte == kWake) {
        ++m_stats.wakes;
        Queue(m_faults.echoWake ? kWake : kAwake);
      } else if (byte == kRead || byte == kWrite) {
        EchoHeader(byte);
        m_sum = byte;
        m_state = byte == kRead ? State::ReadHigh : State::WriteHigh;
      } else if (byte == kQuit) {
        ++m_stats.endsReceived;
        if (m_changed) m_saveRequested = true;
        m_changed = false;
      }
      break;
    case State::ReadHigh:
    case State::WriteHigh:
      EchoHeader(byte);
      m_high = byte;
      m_sum += byte;
      m_state = m_state == State::ReadHigh ? State::ReadLow : State::WriteLow;
      break;
    case State::ReadLow:
      EchoHeader(byte);
      m_address = m_high << 8 | byte;
      m_stats.blocksAsked.push_back(m_address / kBlock);
      m_sum += byte;
      m_index = 0;
      ServeNextDataByte();
      m_state = State::ReadEcho;
      break;
    case State::ReadEcho:
      if (byte != m_memory[(m_address + m_index) & 0xFFFF]) ++m_stats.echoMismatches;
      if (++m_index < kBlock) {
        ServeNextDataByte();
        break;
      }
      {
        std::uint8_t checksum = static_cast<std::uint8_t>(m_sum);
        if (m_address / kBlock == m_faults.badChecksumBlock && m_badChecksumsSent < m_faults.badChecksumTimes) {
          ++m_badChecksumsSent;
          checksum = static_cast<std::uint8_t>(checksum + 1);
        }
        Queue(checksum);
      }
      ++m_stats.blocksServed;
      m_state = State::Idle;
      break;
    case State::WriteLow:
      EchoHeader(byte);
      BeginBlock(byte);
      break;
    default: m_state = State::Idle; break;
  }
}

void UnitEngine::TakeBootloader(std::uint8_t byte) {
  switch (m_state) {
    case State::BootWake:
      if (byte == kWake) {
        ++m_stats.wakes;
        Queue(m_faults.echoWake ? kWake : kAwake);
        if (!m_faults.echoWake) m_state = State::BootHigh;
      }
      break;
    case State::BootHigh:
      Echo(byte);
      m_high = byte;
      m_sum = byte;
      m_state = State::BootLow;
      break;
    case State::BootLow:
      if (m_high == 0 && byte == 0) {
        ++m_stats.endsReceived;
        if (!m_faults.noEndAnswer) Queue(kBootDone);
        m_saveRequested = true;
        m_state = State::BootHigh;
        break;
      }
      Echo(byte);
      BeginBlock(byte);
      break;
    default: m_state = State::BootWake; break;
  }
}

std::string BlockRuns(const std::vector<int>& blocks) {
  std::string text;
  for (std::size_t i = 0; i < blocks.size();) {
    std::size_t end = i + 1;
    while (end < blocks.size() && blocks[end] == blocks[end - 1] + 1) ++end;
    if (!text.empty()) text += ", ";
    text += std::to_string(blocks[i]);
    if (end - i > 1) {
      text += '-';
      text += std::to_string(blocks[end - 1]);
    }
    i = end;
  }
  return text;
}
