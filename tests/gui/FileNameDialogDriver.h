// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers a file-name dialog that a handler is about to show.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "dialogs/CFileNameDlg.h"

// Acts on the file-name dialog once it is up and modal.
inline void WhenDialogOpens(std::function<void(CFileNameDlg&)> act, int tries = 100) {
  QTimer::singleShot(0, [act = std::move(act), tries] {
    auto* dialog = qobject_cast<CFileNameDlg*>(QApplication::activeModalWidget());
    if (dialog != nullptr) {
      act(*dialog);
    } else if (tries > 0) {
      WhenDialogOpens(act, tries - 1);
    } else {
      ADD_FAILURE() << "no file-name dialog opened";
    }
  });
}

inline void TypeAndPress(CFileNameDlg& dialog, const QString& text, int button) {
  dialog.FileNameEdit()->setText(text);
  static_cast<QPushButton*>(dialog.Control(button))->click();
}
