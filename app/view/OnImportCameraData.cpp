#include "app/CZorvaneView.h"

void CZorvaneView::OnImportCameraData() {}
