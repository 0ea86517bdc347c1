#include "tools/unit/UnitOptions.h"

#include <charconv>

#include "tools/unit/AdapterLine.h"

namespace {

bool ParseNumber(const std::string& text, long& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && value >= 0;
}

bool ParseInt(const std::string& text, int& value) {
  long wide = 0;
  if (!ParseNumber(text, wide) || wide > 1000000000L) return false;
  value = static_cast<int>(wide);
  return true;
}

bool TakesValue(const std::string& arg) {
  for (const char* name : {"--db", "--save", "--link", "--silent-after", "--nak-first", "--bad-checksum", "--chatter", "--latency"}) {
    if (arg == name) return true;
  }
  return false;
}

}  // namespace

const char* UnitUsage() {
  return "Usage: zorvane-unit [options]\n"
         "\n"
         "An emulated Dravikon unit on a pseudo-terminal. Prints the terminal's\n"
         "device path on the first line of standard output, then answers the\n"
         "program until it is stopped (Ctrl+C).\n"
         "\n"
         "Options:\n"
         "  --db FILE              start with this database file (otherwise empty)\n"
         "  --sample               start with a built-in sample database (600\n"
         "                         made-up camera locations around British towns)\n"
         "  --save FILE            write what the unit was sent to FILE (after each\n"
         "                         transfer and on exit; in bootloader mode the\n"
         "                         65,536 bytes of the received image)\n"
         "  --link PATH            also make PATH a symbolic link to the terminal\n"
         "  --bootloader           behave as the unit's bootloader instead of its\n"
         "                         'Connect to PC' mode\n"
         "  --latency MS           behind a USB-serial adapter whose latency timer\n"
         "                         is MS ms: the unit's bytes reach the program\n"
         "                         at the next multiple of MS, the program's\n"
         "                         reach the unit 1 ms after they were sent\n"
         "                         (default 0: a plain serial line)\n"
         "Faults:\n"
         "  --silent-after N       send nothing more after N bytes\n"
         "  --nak-first N          answer the first N written blocks with 'N'\n"
         "  --bad-checksum N[:K]   serve block N (address / 64) with a wrong\n"
         "                         checksum, the first K times (default 1)\n"
         "  --chatter SECONDS      keep sending for SECONDS after the line opens\n"
         "  --never-echo           echo nothing\n"
         "  --echo-wake            answer every 'X' with 'X'\n"
         "  --garble-echoes        echo command and address bytes inverted\n"
         "  --no-end-answer        bootloader: do not answer the end marker with 'Z'\n"
         "  -h, --help             show this help\n";
}

bool ParseUnitOptions(const std::vector<std::string>& args, UnitProgramOptions& options, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    auto value = [&]() -> const std::string& { return args[++i]; };
    if (arg == "-h" || arg == "--help") {
      options.help = true;
    } else if (arg == "--bootloader") {
      options.mode = UnitMode::Bootloader;
    } else if (arg == "--sample") {
      options.sample = true;
    } else if (arg == "--never-echo") {
      options.faults.neverEcho = true;
    } else if (arg == "--echo-wake") {
      options.faults.echoWake = true;
    } else if (arg == "--garble-echoes") {
      options.faults.garbleHeaderEchoes = true;
    } else if (arg == "--no-end-answer") {
      options.faults.noEndAnswer = true;
    } else if (!hasValue && TakesValue(arg)) {
      error = arg + " needs a value";
      return false;
    } else if (arg == "--db") {
      options.dbFile = value();
    } else if (arg == "--save") {
      options.saveFile = value();
    } else if (arg == "--link") {
      options.linkPath = value();
    } else if (arg == "--silent-after") {
      if (!ParseNumber(value(), options.faults.silentAfterBytes)) {
        error = "--silent-after takes a number of bytes";
        return false;
      }
    } else if (arg == "--nak-first") {
      if (!ParseInt(value(), options.faults.nakFirstBlocks)) {
        error = "--nak-first takes a number of blocks";
        return false;
      }
    } else if (arg == "--bad-checksum") {
      const std::string& text = value();
      const std::size_t colon = text.find(':');
      bool ok = ParseInt(text.substr(0, colon), options.faults.badChecksumBlock);
      if (ok && colon != std::string::npos) ok = ParseInt(text.substr(colon + 1), options.faults.badChecksumTimes);
      if (!ok || options.faults.badChecksumBlock > 1023) {
        error = "--bad-checksum takes a block 0..1023, optionally :TIMES";
        return false;
      }
    } else if (arg == "--latency") {
      if (!ParseInt(value(), options.latencyMs) || options.latencyMs > kMaxAdapterLatencyMs) {
        error = "--latency takes a number of milliseconds, 0..255";
        return false;
      }
    } else if (arg == "--chatter") {
      int seconds = 0;
      if (!ParseInt(value(), seconds) || seconds > 3600) {
        error = "--chatter takes a number of seconds";
        return false;
      }
      options.faults.chatterMs = seconds * 1000;
    } else {
      error = "unknown option " + arg;
      return false;
    }
  }
  return true;
}
