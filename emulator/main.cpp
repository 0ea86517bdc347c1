// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-unit: an emulated unit on a pseudo-terminal.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "database/DatabaseFile.h"
#include "emulator/PtyUnit.h"
#include "emulator/SampleDatabase.h"
#include "emulator/UnitOptions.h"
#include "resources/Strings.h"

namespace {

volatile sig_atomic_t g_stop = 0;

void OnStopSignal(int) { g_stop = 1; }

}  // namespace

int main(int argc, char** argv) {
  UnitProgramOptions options;
  std::string error;
  if (!ParseUnitOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::cerr << "zorvane-unit: " << error << "\n\n" << UnitUsage();
    return 2;
  }
  if (options.help) {
    std::cout << UnitUsage();
    return 0;
  }
  if (options.version) {
    std::cout << "zorvane-unit " << kProgramVersion << '\n' << kLicenseLine << '\n';
    return 0;
  }

  UnitEngine engine(options.mode, options.faults);
  if (options.sample) engine.Memory() = SampleDatabase();
  if (!options.dbFile.empty()) {
    // Read as the program's Read from File reads it.
    const DatabaseFileRead read = LoadDatabaseFile(options.dbFile, engine.Memory());
    if (read.status != DatabaseFileStatus::Ok) {
      std::cerr << "zorvane-unit: " << options.dbFile << ": " << ToString(read.status) << '\n';
      return 1;
    }
  }

  PtyUnit pty;
  if (!pty.Open(error)) {
    std::cerr << "zorvane-unit: " << error << '\n';
    return 1;
  }
  if (!options.linkPath.empty()) {
    std::error_code ignored;
    std::filesystem::remove(options.linkPath, ignored);
    std::filesystem::create_symlink(pty.DevicePath(), options.linkPath, ignored);
    if (ignored) {
      std::cerr << "zorvane-unit: cannot link " << options.linkPath << ": " << ignored.message() << '\n';
      return 1;
    }
  }

  // Stop signals are held back except while the unit waits for the line,
  // so a stop never cuts a save short.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);

  std::cout << pty.DevicePath() << std::endl;
  std::cerr << "zorvane-unit: " << (options.mode == UnitMode::Bootloader ? "bootloader" : "'Connect to PC' mode")
            << " on " << pty.DevicePath() << (options.linkPath.empty() ? "" : " (" + options.linkPath + ")")
            << "; Ctrl+C stops it\n";

  // Written as the program writes its files: a reader sees the old file or
  // the new one whole, never half of one.
  auto save = [&] {
    if (options.saveFile.empty()) return;
    if (const DatabaseFileStatus written = WriteDatabaseFile(options.saveFile, engine.Memory());
        written != DatabaseFileStatus::Ok) {
      std::cerr << "zorvane-unit: " << options.saveFile << ": " << ToString(written) << '\n';
    }
  };
  pty.Serve(
      engine, options.latencyMs, [] { return g_stop != 0; }, save);
  if (engine.Stats().blocksAccepted > 0) save();
  const UnitStats& stats = engine.Stats();
  std::cerr << "zorvane-unit: stopped; received " << stats.bytesReceived << " bytes, sent " << stats.bytesSent
            << "; blocks accepted " << stats.blocksAccepted << ", refused " << stats.blocksRefused << ", served "
            << stats.blocksServed << '\n';
  if (!stats.blocksAsked.empty()) {
    std::cerr << "zorvane-unit: asked for " << stats.blocksAsked.size() << " blocks: " << BlockRuns(stats.blocksAsked)
              << '\n';
  }
  if (const std::int64_t busyUs = pty.LineBusyUs(); busyUs >= 0) {
    std::cerr << "zorvane-unit: the line was in use " << busyUs / 1000 << " ms, from the first byte to the last\n";
  }
  if (!options.linkPath.empty()) ::unlink(options.linkPath.c_str());
  return 0;
}
