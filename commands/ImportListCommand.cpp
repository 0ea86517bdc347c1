// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "commands/ImportList.h"
#include "resources/Strings.h"
#include "user/MessageBox.h"

namespace {

std::string LoadedMessage(int entries, int skipped, const char* skippedMessage) {
  const bool full = entries == kMaxImportEntries;
  std::string text = full ? std::string(kMsgMaximumEntries) : FormatMessageText(kMsgLocationsLoaded, entries);
  if (skipped > 0) {
    if (!text.ends_with('\n')) text += '\n';
    text += FormatMessageText(skippedMessage, skipped);
  }
  return text;
}

const char* PassedOverWhat(ListFormat format) {
  switch (format) {
    case ListFormat::Gpx: return "route and track points passed over";
    case ListFormat::Kml: return "placemarks without a point passed over";
    case ListFormat::GeoJson: return "features that are not points passed over";
    case ListFormat::Osm: return "deleted camera nodes passed over";
    case ListFormat::Ov2: return "deleted records passed over";
    case ListFormat::Csv: break;
  }
  return "items passed over";
}

}  // namespace

std::vector<std::string> ListItemsReport(const std::string& name, ListFormat format, const CameraList& list) {
  std::vector<std::string> lines;
  for (const SkippedItem& item : list.firstSkipped) {
    std::string line = name;
    if (item.line > 0) line += ':' + std::to_string(item.line);
    line += ": ";
    if (!item.item.empty()) line += item.item + ": ";
    lines.push_back(line + item.why + ", found '" + item.found + "'");
  }
  const int more = list.skipped - static_cast<int>(list.firstSkipped.size());
  if (more > 0) lines.push_back(name + ": " + std::to_string(more) + " more skipped");
  if (list.passedOver > 0) {
    lines.push_back(name + ": " + std::to_string(list.passedOver) + ' ' + PassedOverWhat(format));
  }
  return lines;
}

bool LoadImportedEntries(DatabaseCommandContext& context, int entries, int skipped, const char* skippedMessage) {
  if (entries == 0) {
    context.messages.Show(kMsgNoEntries, kCaptionWarning, MessageStyle::Ok);
    return false;
  }
  // The count is told before the merge: it is the positions converted, not
  // the entries the merge then adds.
  const bool full = entries == kMaxImportEntries;
  context.messages.Show(LoadedMessage(entries, skipped, skippedMessage), full ? kCaptionWarning : kCaptionSuccess,
                        MessageStyle::Ok);
  context.incoming.WriteHeader(entries);
  MergeAndRedraw(context);
  return true;
}

void ExplainListMistakes(DatabaseCommandContext& context, const ListMistakes& mistakes, const std::string& name,
                         std::string_view items) {
  if (!mistakes.Any()) return;
  context.messages.Show(ListMistakesText(mistakes, name, context.words, items), kCaptionWarning, MessageStyle::Ok);
}

CommandOutcome ImportListCommand(DatabaseCommandContext& context, const std::string& name, ListFormat format,
                                 const ListReadResult& read, const std::vector<CameraEntry>& chosen) {
  MessageBox& messages = context.messages;
  if (read.status == ListReadStatus::CannotOpen || read.status == ListReadStatus::ReadError) {
    messages.Show(FormatMessageText(kMsgCannotOpenForReading, name), kCaptionError, MessageStyle::Ok);
    return CommandOutcome::Failed;
  }
  if (read.status == ListReadStatus::Malformed) {
    const std::string text =
        read.offset >= 0 ? FormatMessageText(kMsgListUnreadableAtByte,
                                             {name, ToString(format), std::to_string(read.offset), read.detail})
                         : FormatMessageText(kMsgListUnreadable, {name, ToString(format), std::to_string(read.line),
                                                                  std::to_string(read.column), read.detail});
    messages.Show(text, kCaptionError, MessageStyle::Ok);
    return CommandOutcome::Failed;
  }

  const CameraList& list = read.list;
  const int entries = static_cast<int>(std::min<std::size_t>(chosen.size(), kMaxImportEntries));
  context.incoming.Fill(0xFF);
  for (int i = 0; i < entries; ++i) context.incoming.SetEntry(i, chosen[static_cast<std::size_t>(i)]);
  const bool lines = format == ListFormat::Csv;
  LoadImportedEntries(context, entries, list.skipped, lines ? kMsgLinesSkipped : kMsgPointsSkipped);
  // Judged on everything the file gave, before any filter: a filter drops
  // the very positions that tell a swapped list.
  ExplainListMistakes(context, FindListMistakes(list.entries, list.spreadsheetItems, list.headerHoldsPosition), name,
                      lines ? "lines" : "points");
  return CommandOutcome::Completed;
}
