// SPDX-License-Identifier: GPL-3.0-or-later
// Import Camera Data as the user runs it: a 10,900-line camera CSV read,
// converted and merged into a database that already holds 10,000 other
// entries. Target: under 10 ms.
#include <benchmark/benchmark.h>

#include "commands/FileCommands.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/ScriptedFileNamePrompt.h"
#include "tests/support/TempDir.h"

namespace {

void BM_ImportCameraData(benchmark::State& state) {
  const TempDir dir;
  // The CSV lies in its own band, so none of it matches the held entries.
  std::string text = "X,Y,Type,Speed\n";
  for (const CameraEntry& e : DistinctEntries(kMaxImportEntries, 11, 1)) {
    char line[64];
    std::snprintf(line, sizeof line, "%.6f,%.6f,1,30\n", e.longitude / 6000.0, e.latitude / 6000.0);
    text += line;
  }
  const std::string csv = dir.Write("cameras.csv", text);
  const DatabaseImage held = ImageWith(DistinctEntries(10000, 12, 0));

  DatabaseImage working, incoming, scratch;
  RecordingMessageBox messages;
  ScriptedFileNamePrompt prompt;
  for (auto _ : state) {
    state.PauseTiming();
    working = held;
    messages.shown.clear();
    prompt.answers = {csv};
    state.ResumeTiming();
    DatabaseCommandContext context{messages, prompt, [] {}, working, incoming, scratch, WindowWords()};
    benchmark::DoNotOptimize(ImportCameraDataCommand(context));
  }
  if (working.Count() != kMaxDatabaseEntries) state.SkipWithError("the import did not fill the database");
}

BENCHMARK(BM_ImportCameraData)->Unit(benchmark::kMillisecond);

}  // namespace
