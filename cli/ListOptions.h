// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options import and filter share, read from the command line: which
// format a list is in, how to read it, and how to cut it to fit.
#include <optional>
#include <string>
#include <vector>

#include "cli/Subcommand.h"
#include "common/CommandLine.h"
#include "database/CameraFilter.h"
#include "database/CameraList.h"

// The filter's options: --box, --near, --radius, --max and --unique.
std::vector<CliOption> FilterOptions();
// The options of a list to import: --format, --lat-lon and --all-points, then
// the filter's.
std::vector<CliOption> ImportOptions();

// Degrees are read as a list's numbers are, so that a box edge and a camera
// written with the same digits meet. False, with `error` set, on a value
// that does not read or does not make sense (a radius without --near).
bool ReadFilterOptions(const ParsedArgs& parsed, CameraFilter& filter, std::string& error);

struct ListOptions {
  std::optional<ListFormat> format;  // --format; otherwise each file's extension or content
  ListReadOptions read;
  CameraFilter filter;
  bool unique = false;  // --unique
};
bool ReadListOptions(const ParsedArgs& parsed, ListOptions& options, std::string& error);

// The format to read `path` as: --format, its extension, or its content.
ListFormat FormatOf(const ListOptions& options, const std::string& path);

// "FILE: kept K and dropped D of N positions.", with --json a message under
// this caption.
std::string FilterReport(const std::string& file, std::size_t read, std::size_t kept);
inline constexpr const char* kCaptionFilter = "Filter";

// The positions of one list that lie within 1/6000 degree of one before
// them (the merge adds them all): counted, and with `unique` dropped, so
// that only the first of each is given back.
struct RepeatsWeighed {
  std::vector<CameraEntry> entries;  // to load
  int repeats = 0;                   // found, whether kept or dropped
  std::string told{};                // what to tell of them; empty when there are none
};
RepeatsWeighed WeighRepeats(const std::string& file, std::vector<CameraEntry> entries, bool unique);
