#include "app/CZorvaneView.h"

void CZorvaneView::OnReadFromUnit() {}
