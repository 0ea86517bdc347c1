// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/DialogUnits.h"

#include <QFontMetrics>

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  // The usual average: the width of the 52 letters, rounded.
  const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  m_charWidth = std::max(1, (letters / 26 + 1) / 2);
  m_charHeight = std::max(1, metrics.height());
}

int DialogUnits::X(int dlu) const { return (dlu * m_charWidth + 2) / 4; }

int DialogUnits::Y(int dlu) const { return (dlu * m_charHeight + 4) / 8; }

QRect DialogUnits::Rect(int x, int y, int width, int height) const { return QRect(X(x), Y(y), X(width), Y(height)); }

QSize DialogUnits::Size(int width, int height) const { return QSize(X(width), Y(height)); }
