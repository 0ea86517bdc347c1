#include "app/CZorvaneView.h"
#include "app/ProcessState.h"
#include "link/LinkConstants.h"
#include "link/TimeLeft.h"
#include "link/WriteToUnit.h"
#include "link/qt/TransferRunner.h"
#include "resources/Strings.h"

// No Cancel: a half-written unit is worse than waiting for the end.
void CZorvaneView::OnWriteToUnit() {
  if (!ConfirmWriteToUnit(Messages())) return;
  const TransferJob job{kProgressWriting, false, PlainLineMs(kWriteBlockLineBytes),
                        [](UnitCommandContext& context) { return TransferToUnit(context, WorkingDatabase); }};
  if (RunTransfer(this, Messages(), CommPortIndex, CommPortPaths, job) != UnitCommandOutcome::Completed) return;
  FinishWriteToUnit(Messages());
}
