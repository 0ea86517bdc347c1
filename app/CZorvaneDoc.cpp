// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CZorvaneDoc.h"

#include <QFile>
#include <QFileInfo>

#include "resources/Strings.h"

bool CZorvaneDoc::OnNewDocument() {
  m_title = QString::fromLatin1(kUntitled);
  m_pathName.clear();
  return true;
}

bool CZorvaneDoc::OnOpenDocument(const QString& path, QString* error) {
  const QFileInfo info(path);
  QFile file(path);
  if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
    if (error) {
      *error = info.isDir() ? QStringLiteral("%1 is a folder, not a file.").arg(path)
                            : QStringLiteral("Cannot open %1: %2").arg(path, file.errorString());
    }
    return false;
  }
  m_title = info.fileName();
  m_pathName = info.absoluteFilePath();
  return true;
}
