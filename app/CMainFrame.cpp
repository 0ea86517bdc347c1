// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CMainFrame.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "app/CCmdUI.h"
#include "app/CZorvaneApp.h"
#include "app/CZorvaneView.h"
#include "app/CommandTable.h"
#include "app/WhenFramed.h"
#include "resources/Accelerators.h"
#include "resources/Strings.h"

namespace {
constexpr const char* kCommandIdProperty = "commandId";
}

CMainFrame::CMainFrame(CZorvaneApp* app, CZorvaneView* view) : m_app(app), m_view(view) {
  setObjectName(QStringLiteral("CMainFrame"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/IDR_MAINFRAME.xpm")));
  setCentralWidget(view);
  BuildMenu();
  BuildAccelerators();
  // The size is that of the outer frame: once the window manager has framed
  // the window, what it adds comes off the client area. Without a frame the
  // client area is the whole window. The user may resize it after that.
  resize(kFrameWidth, kFrameHeight);
  WhenFramed(
      this, [this](QSize decoration) { resize(kFrameWidth - decoration.width(), kFrameHeight - decoration.height()); });
}

void CMainFrame::BuildMenu() {
  QMenu* popup = nullptr;
  for (const CommandTableRow& row : CommandTable()) {
    if (row.popup == nullptr) continue;
    if (popup == nullptr || popup->title() != QString::fromLatin1(row.popup)) {
      popup = menuBar()->addMenu(QString::fromLatin1(row.popup));
      connect(popup, &QMenu::aboutToShow, this, [this, popup] { UpdateMenu(popup); });
    }
    if (row.IsSeparator()) {
      popup->addSeparator();
      continue;
    }
    QAction* action = popup->addAction(QString::fromLatin1(row.caption));
    action->setProperty(kCommandIdProperty, row.id);
    const int id = row.id;
    connect(action, &QAction::triggered, this, [this, id] { OnCmdMsg(id); });
  }
}

void CMainFrame::BuildAccelerators() {
  for (const Accelerator& accel : kAcceleratorTable) {
    auto* action = new QAction(this);
    action->setShortcut(QKeySequence(QString::fromLatin1(accel.keys)));
    action->setShortcutContext(Qt::WindowShortcut);
    action->setProperty(kCommandIdProperty, accel.id);
    const int id = accel.id;
    connect(action, &QAction::triggered, this, [this, id] { OnCmdMsg(id); });
    addAction(action);
  }
}

void CMainFrame::OnCmdMsg(int id) {
  const CommandTableRow* row = FindCommand(id);
  if (row == nullptr) return;
  if (row->viewHandler != nullptr) {
    (m_view->*(row->viewHandler))();
  } else if (row->appHandler != nullptr) {
    (m_app->*(row->appHandler))();
  }
}

void CMainFrame::UpdateAction(QAction* action, const CommandTableRow* row) {
  CCmdUI state(action);
  if (row != nullptr && row->updateHandler != nullptr) (m_view->*(row->updateHandler))(&state);
  // Commands nobody handles are greyed unless their update handler decided.
  if (!state.EnableChanged()) action->setEnabled(row != nullptr && row->HasHandler());
}

void CMainFrame::UpdateMenu(QMenu* popup) {
  for (QAction* action : popup->actions()) {
    if (action->isSeparator()) continue;
    UpdateAction(action, FindCommand(action->property(kCommandIdProperty).toInt()));
  }
}

void CMainFrame::UpdateCaption(const QString& documentTitle) {
  setWindowTitle(documentTitle + QStringLiteral(" - ") + QString::fromLatin1(kWindowTitle));
}

QAction* CMainFrame::ActionFor(int id) const {
  const auto all = findChildren<QAction*>();
  for (QAction* action : all) {
    if (!action->isSeparator() && action->property(kCommandIdProperty).toInt() == id) return action;
  }
  return nullptr;
}
