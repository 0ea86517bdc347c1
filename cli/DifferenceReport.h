// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How `diff`, `verify` and `write --verify` tell two databases apart, A
// before B: "+ LAT LON" for each entry of B that A has not, "- LAT LON" for
// each of A that B has not (degrees, six decimals), then one summary line:
// "same N entries", or "N added, M removed, K the same". With --json each
// difference is {"change":"+","latitude":..,"longitude":..}, and the
// summary becomes the message of the command's outcome line.
#include <string>

#include "cli/Subcommand.h"
#include "database/DatabaseDiff.h"

struct DifferenceVerdict {
  int exit;             // kExitOk when nothing differs, kExitFailed when something does
  std::string outcome;  // "same" or "different"
  std::string summary;
};

// Prints the differences (and in plain output the summary) on io.out.
DifferenceVerdict ReportDifference(CliStreams& io, const DatabaseDifference& difference);
