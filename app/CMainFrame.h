// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: a menu bar and the view, nothing else (no toolbar, no
// status bar). The outer frame is 385 x 505 pixels once the window manager
// has framed the window.
#include <QMainWindow>

class CZorvaneApp;
class CZorvaneView;
struct CommandTableRow;

inline constexpr int kFrameWidth = 385;
inline constexpr int kFrameHeight = 505;

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  CMainFrame(CZorvaneApp* app, CZorvaneView* view);

  CZorvaneView* View() const { return m_view; }
  // Routes a command id to its handler through the command table. Ids with
  // no handler do nothing.
  void OnCmdMsg(int id);
  // Runs the update handlers of the items of one popup, as before it shows.
  void UpdateMenu(QMenu* popup);
  // "<document title> - Dravikon  PC Link".
  void UpdateCaption(const QString& documentTitle);
  // The action of a menu item or accelerator for tests and routing.
  QAction* ActionFor(int id) const;

 private:
  void BuildMenu();
  void BuildAccelerators();
  void UpdateAction(QAction* action, const CommandTableRow* row);

  CZorvaneApp* m_app;
  CZorvaneView* m_view;
};
