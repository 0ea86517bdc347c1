// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How `diff`, `verify` and `write --verify` tell two databases apart, A
// before B: "+ LAT LON" for each entry of B that A has not, "- LAT LON" for
// each of A that B has not (degrees, six decimals), then one summary line:
// "same N entries", or "N added, M removed, K the same". With --json each
// difference is {"change":"+","latitude":..,"longitude":..}, and the
// summary becomes the message of the command's outcome line, beside the
// counts as "added" and "removed".
#include <string>

#include "cli/JsonLines.h"
#include "cli/Subcommand.h"
#include "database/DatabaseDiff.h"

struct DifferenceVerdict {
  int exit = kExitOk;  // kExitOk when nothing differs, kExitFailed when something does
  std::string status;  // "same" or "different"
  std::string summary;
  int added = 0;    // entries of B that A has not
  int removed = 0;  // entries of A that B has not
};

// Prints the differences (and in plain output the summary) on io.out.
DifferenceVerdict ReportDifference(CliStreams& io, const DatabaseDifference& difference);

// The verdict as the command's outcome: its status, exit status and
// summary, with "added" and "removed".
CliOutcome VerdictOutcome(const DifferenceVerdict& verdict);
