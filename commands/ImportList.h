// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Import Camera Data for a list already read, in any format: the chosen
// positions are loaded, told and merged as the CSV import loads, tells and
// merges its lines, and the list's mistakes are explained after.
#include <string>
#include <vector>

#include "commands/FileCommands.h"
#include "commands/ListMistakes.h"
#include "database/CameraList.h"

// `read` is the list read from `name` (the file name as given, for the
// messages); `chosen` are the positions to load, in file order, of which
// only the first kMaxImportEntries are taken. A file that could not be read
// is an error; a list with nothing chosen a warning. Every message goes
// through the context's message box, the advice in the context's words.
CommandOutcome ImportListCommand(DatabaseCommandContext& context, const std::string& name, ListFormat format,
                                 const ListReadResult& read, const std::vector<CameraEntry>& chosen);

// Shared with the window's CSV import: with `entries` already in
// `context.incoming`, shows the count (or the no-entries warning), writes the
// header and merges. Returns whether anything was loaded.
bool LoadImportedEntries(DatabaseCommandContext& context, int entries, int skipped, const char* skippedMessage);

// What a list's reading passed by, one line each, as both front ends tell
// it: the first skipped items ("file.gpx:40: wpt 3: why, found '...'"), how
// many more, and the items passed over ("file.gpx: 2 route and track points
// passed over"). Empty when nothing was.
std::vector<std::string> ListItemsReport(const std::string& name, ListFormat format, const CameraList& list);

// Shows the one "Warning" that explains `mistakes`, when there are any.
void ExplainListMistakes(DatabaseCommandContext& context, const ListMistakes& mistakes, const std::string& name,
                         std::string_view items);
