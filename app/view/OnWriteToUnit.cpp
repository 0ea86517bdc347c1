#include "app/CZorvaneView.h"

void CZorvaneView::OnWriteToUnit() {}
