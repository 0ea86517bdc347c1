// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialog templates give positions and sizes in dialog units: a quarter of the
// dialog font's average character width across, an eighth of its height down.
#include <QFont>
#include <QRect>
#include <QSize>

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);
  int X(int dlu) const;
  int Y(int dlu) const;
  QRect Rect(int x, int y, int width, int height) const;
  QSize Size(int width, int height) const;

  int AverageCharWidth() const { return m_charWidth; }
  int CharHeight() const { return m_charHeight; }

 private:
  int m_charWidth;
  int m_charHeight;
};
