// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What each transfer dialog said last as it closed. Read as it hides, not by
// looking now and then: a fast transfer can show and end all its blocks
// between two looks.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QStringList>

#include "app/TransferDialog.h"

class LastWords : public QObject {
 public:
  LastWords() { QApplication::instance()->installEventFilter(this); }
  ~LastWords() override { QApplication::instance()->removeEventFilter(this); }
  LastWords(const LastWords&) = delete;
  LastWords& operator=(const LastWords&) = delete;

  QStringList said;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (auto* dialog = qobject_cast<TransferDialog*>(object); dialog && event->type() == QEvent::Hide) {
      said << dialog->findChild<QLabel*>()->text();
    }
    return false;
  }
};
