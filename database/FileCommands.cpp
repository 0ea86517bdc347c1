#include "database/FileCommands.h"

#include "database/Merge.h"
#include "dialogs/MessageBox.h"
#include "resources/Strings.h"

void MergeAndRedraw(DatabaseCommandContext& context) {
  const MergeResult merged = MergeIncoming(context.working, context.incoming, context.scratch);
  if (context.redrawNow) context.redrawNow();
  if (merged.leftOut > 0) {
    context.messages.Show(FormatMessageText(kMsgDatabaseFull, merged.leftOut), kCaptionWarning, MessageStyle::Ok);
  }
}
