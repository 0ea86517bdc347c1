// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CZorvaneView.h"
#include "app/view/RunFileCommand.h"
#include "database/qt/CameraListReader.h"

void CZorvaneView::LoadGivenFile(const std::string& path) {
  RunFileCommand(
      *this, [&path](DatabaseCommandContext& context) { return LoadGivenFileCommand(context, path, &ReadCameraList); });
}
