#include "app/CZorvaneView.h"
#include "app/ProcessState.h"
#include "link/LinkConstants.h"
#include "link/ReadFromUnit.h"
#include "link/TimeLeft.h"
#include "link/qt/TransferRunner.h"
#include "resources/Strings.h"

// The prompt and, after the transfer, the merge, redraw and messages run
// here on the user-interface thread; only the exchange with the unit runs on
// the worker.
void CZorvaneView::OnReadFromUnit() {
  if (!ConfirmReadFromUnit(Messages())) return;
  const TransferJob job{kProgressReading, true, PlainLineMs(kReadBlockLineBytes),
                        [](UnitCommandContext& context) { return TransferFromUnit(context, IncomingImage); }};
  if (RunTransfer(this, Messages(), CommPortIndex, CommPortPaths, job) != UnitCommandOutcome::Completed) return;
  FinishReadFromUnit(Messages(), WorkingDatabase, IncomingImage, MergeScratch, [this] { RedrawNow(); });
}
