#include "app/CZorvaneView.h"

#include <QPainter>

#include "app/ProcessState.h"

CZorvaneView::CZorvaneView(CZorvaneDoc* document, MessageBox* messages, QWidget* parent)
    : QWidget(parent), m_document(document), m_messages(messages) {
  setObjectName(QStringLiteral("CZorvaneView"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CZorvaneView::OnInitialUpdate() {
  WorkingDatabase.Fill(0x00);
  MergeScratch.Fill(0x00);
  update();
}

void CZorvaneView::OnDraw(QPainter& dc) { dc.fillRect(rect(), Qt::white); }

void CZorvaneView::RedrawNow() { repaint(); }

void CZorvaneView::paintEvent(QPaintEvent*) {
  QPainter dc(this);
  OnDraw(dc);
}
