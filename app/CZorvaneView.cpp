// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CZorvaneView.h"

#include <QPainter>

#include "app/ProcessState.h"
#include "map/MapFile.h"
#include "map/MapView.h"
#include "map/qt/PainterDeviceContext.h"

CZorvaneView::CZorvaneView(CZorvaneDoc* document, MessageBox* messages, QWidget* parent)
    : QWidget(parent), m_document(document), m_messages(messages) {
  setObjectName(QStringLiteral("CZorvaneView"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CZorvaneView::OnInitialUpdate() {
  update();
  WorkingDatabase.Fill(0x00);
  MergeScratch.Fill(0x00);
  LoadMap();
}

void CZorvaneView::LoadMap() {
  MapPicture.Release();
  const std::string file = MapFileToLoad(ProgramFolder);
  MapLoaded = MapPicture.Load(QString::fromStdString(file)) ? 1 : 0;
  update();
}

void CZorvaneView::OnDraw(DeviceContext& dc) {
  MapDisplayState map{MapPicture, MapLoaded != 0, MapWidth, MapHeight};
  DrawMapView(dc, {width(), height()}, map, WorkingDatabase);
}

void CZorvaneView::RedrawNow() { repaint(); }

void CZorvaneView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PainterDeviceContext dc(painter);
  OnDraw(dc);
}
