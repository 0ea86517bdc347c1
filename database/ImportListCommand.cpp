#include <algorithm>

#include "database/ImportList.h"
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

}  // namespace

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
                         AdviceFor reader, std::string_view items) {
  if (!mistakes.Any()) return;
  context.messages.Show(ListMistakesText(mistakes, name, reader, items), kCaptionWarning, MessageStyle::Ok);
}

CommandOutcome ImportListCommand(DatabaseCommandContext& context, const std::string& name, ListFormat format,
                                 const ListReadResult& read, const std::vector<CameraEntry>& chosen, AdviceFor reader) {
  MessageBox& messages = context.messages;
  if (read.status == ListReadStatus::CannotOpen || read.status == ListReadStatus::ReadError) {
    messages.Show(FormatMessageText(kMsgCannotOpenForReading, name), kCaptionError, MessageStyle::Ok);
    return CommandOutcome::Failed;
  }
  if (read.status == ListReadStatus::Malformed) {
    const std::string line = std::to_string(read.line);
    const std::string column = std::to_string(read.column);
    messages.Show(FormatMessageText(kMsgListUnreadable, {name, ToString(format), line, column, read.detail}),
                  kCaptionError, MessageStyle::Ok);
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
                      reader, lines ? "lines" : "points");
  return CommandOutcome::Completed;
}
