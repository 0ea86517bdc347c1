// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/UnitOptions.h"

#include "common/CommandLine.h"
#include "emulator/AdapterLine.h"

namespace {

const std::vector<std::string> kValued = {"--db",        "--save",         "--link",
                                          "--latency",   "--silent-after", "--vanish-after",
                                          "--nak-first", "--bad-checksum", "--chatter"};
const std::vector<std::string> kFlags = {"-h",           "--help",      "--version",       "--bootloader",   "--sample",
                                         "--never-echo", "--echo-wake", "--garble-echoes", "--no-end-answer"};

// A count of at least 0 and at most `most`.
template <typename Number>
bool ReadCount(const std::string& text, Number most, Number& value) {
  Number read = 0;
  if (!ReadNumber(text, read) || read < 0 || read > most) return false;
  value = read;
  return true;
}

// Reads `name`'s value into `value` when it was given; false, with `error`
// set to `expected`, when it does not read.
template <typename Number>
bool ReadCountOption(const ParsedArgs& parsed, const char* name, Number most, Number& value, const char* expected,
                     std::string& error) {
  const std::string* text = parsed.Option(name);
  if (text == nullptr || ReadCount(*text, most, value)) return true;
  error = std::string(name) + " takes " + expected;
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
         "  --vanish-after N       close the terminal after sending N bytes, as an\n"
         "                         adapter pulled out of its socket goes away\n"
         "  --nak-first N          answer the first N written blocks with 'N'\n"
         "  --bad-checksum N[:K]   serve block N (address / 64) with a wrong\n"
         "                         checksum, the first K times (default 1)\n"
         "  --chatter SECONDS      keep sending for SECONDS after the line opens\n"
         "  --never-echo           echo nothing\n"
         "  --echo-wake            answer every 'X' with 'X'\n"
         "  --garble-echoes        echo command and address bytes inverted\n"
         "  --no-end-answer        bootloader: do not answer the end marker with 'Z'\n"
         "  -h, --help             show this help\n"
         "  --version              show the version\n";
}

bool ParseUnitOptions(const std::vector<std::string>& args, UnitProgramOptions& options, std::string& error) {
  ParsedArgs parsed;
  if (!ParseArgs(args, kValued, kFlags, parsed, error)) return false;
  if (!parsed.positional.empty()) {
    error = "unexpected argument " + parsed.positional.front();
    return false;
  }
  options.help = parsed.Flag("-h") || parsed.Flag("--help");
  options.version = parsed.Flag("--version");
  if (parsed.Flag("--bootloader")) options.mode = UnitMode::Bootloader;
  options.sample = parsed.Flag("--sample");
  options.faults.neverEcho = parsed.Flag("--never-echo");
  options.faults.echoWake = parsed.Flag("--echo-wake");
  options.faults.garbleHeaderEchoes = parsed.Flag("--garble-echoes");
  options.faults.noEndAnswer = parsed.Flag("--no-end-answer");
  if (const std::string* db = parsed.Option("--db")) options.dbFile = *db;
  if (const std::string* save = parsed.Option("--save")) options.saveFile = *save;
  if (const std::string* link = parsed.Option("--link")) options.linkPath = *link;

  constexpr long kMostBytes = 1'000'000'000L;
  int chatterSeconds = 0;
  if (!ReadCountOption(parsed, "--silent-after", kMostBytes, options.faults.silentAfterBytes, "a number of bytes",
                       error) ||
      !ReadCountOption(parsed, "--vanish-after", kMostBytes, options.faults.vanishAfterBytes, "a number of bytes",
                       error) ||
      !ReadCountOption(parsed, "--nak-first", 1'000'000'000, options.faults.nakFirstBlocks, "a number of blocks",
                       error) ||
      !ReadCountOption(parsed, "--latency", kMaxAdapterLatencyMs, options.latencyMs, "a number of milliseconds, 0..255",
                       error) ||
      !ReadCountOption(parsed, "--chatter", 3600, chatterSeconds, "a number of seconds", error)) {
    return false;
  }
  options.faults.chatterMs = chatterSeconds * 1000;
  if (const std::string* bad = parsed.Option("--bad-checksum")) {
    const std::size_t colon = bad->find(':');
    bool ok = ReadCount(bad->substr(0, colon), 1023, options.faults.badChecksumBlock);
    if (ok && colon != std::string::npos)
      ok = ReadCount(bad->substr(colon + 1), 1'000'000'000, options.faults.badChecksumTimes);
    if (!ok) {
      error = "--bad-checksum takes a block 0..1023, optionally :TIMES";
      return false;
    }
  }
  return true;
}
