// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CAboutDlg.h"

#include <QLabel>
#include <QPushButton>

#include "dialogs/DialogUnits.h"
#include "resources/Strings.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromLatin1(kAboutCaption));
  const DialogUnits du(font());
  setFixedSize(du.Size(235, 55));

  auto* text = new QLabel(QString::fromLatin1(kAboutText), this);
  text->setTextFormat(Qt::PlainText);
  text->setGeometry(du.Rect(25, 15, 84, 17));
  text->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* credit = new QLabel(QString::fromLatin1(kAboutCredit), this);
  credit->setTextFormat(Qt::PlainText);
  credit->setGeometry(du.Rect(122, 40, 106, 8));
  credit->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("IDOK"));
  ok->setGeometry(du.Rect(178, 7, 50, 14));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
