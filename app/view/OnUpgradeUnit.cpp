#include "app/CZorvaneView.h"
#include "app/ProcessState.h"
#include "dialogs/QtFileNamePrompt.h"
#include "link/qt/TransferRunner.h"
#include "resources/Strings.h"
#include "upgrade/UpgradeUnit.h"
#include "upgrade/UploadConstants.h"

// The file is loaded here; the exchange with the bootloader, its messages
// and the closing of the link run behind the progress dialog, without
// Cancel: a half-flashed unit is worse than waiting. The HEX file closes
// last, when `loaded` goes.
void CZorvaneView::OnUpgradeUnit() {
  QtFileNamePrompt prompt(window());
  const LoadedFirmware loaded = AskAndLoadFirmware(Messages(), prompt, FirmwareImage, HighestFirmwareAddress);
  if (!loaded.file) return;
  const TransferJob job{kProgressUpgrading, false, kUploadBlockPlainLineMs, [](UnitCommandContext& context) {
                          return UploadFirmware(context, FirmwareImage, HighestFirmwareAddress, CurrentBlockAddress);
                        }};
  RunTransfer(this, Messages(), CommPortIndex, CommPortPaths, job);
}
