// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CZorvaneView.h"
#include "app/ProcessState.h"
#include "app/view/RunUnitCommand.h"
#include "commands/UnitCommand.h"

// The file is loaded here; the exchange with the bootloader, its messages
// and the closing of the link run behind the progress dialog, without
// Cancel: a half-flashed unit is worse than waiting. The HEX file closes
// last.
void CZorvaneView::OnUpgradeUnit() {
  RunUnitCommand(*this, [](UnitCommandContext& context) {
    UpgradeUnitCommand(context, {FirmwareImage, HighestFirmwareAddress, CurrentBlockAddress});
  });
}
