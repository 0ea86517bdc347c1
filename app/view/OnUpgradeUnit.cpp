#include "app/CZorvaneView.h"

void CZorvaneView::OnUpgradeUnit() {}
