// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The single document. It holds no data: the program's state is process-wide
// (app/ProcessState.h). It only carries the title shown in the caption and
// the path of a file opened with Ctrl+O, which is never written.
#include <QString>

class CZorvaneDoc {
 public:
  // Re-initialises the document: the title goes back to "Untitled".
  bool OnNewDocument();
  // Checks that `path` can be opened for reading and takes its name as the
  // title. Nothing is read from the file. On failure `error` says why and
  // the document is unchanged.
  bool OnOpenDocument(const QString& path, QString* error);

  const QString& GetTitle() const { return m_title; }
  const QString& GetPathName() const { return m_pathName; }

 private:
  QString m_title;
  QString m_pathName;
};
