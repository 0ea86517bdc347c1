// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one command table: the menu is built from it and every command id is
// routed through it to its handler. Rows without a popup are reached only by
// accelerators or the command line.
#include <span>

class CZorvaneApp;
class CZorvaneView;
class CCmdUI;

using ViewHandler = void (CZorvaneView::*)();
using ViewUpdateHandler = void (CZorvaneView::*)(CCmdUI*);
using AppHandler = void (CZorvaneApp::*)();

struct CommandTableRow {
  const char* popup;    // menu popup caption; nullptr: not in the menu
  const char* caption;  // item caption; nullptr: a separator
  int id;
  const char* handlerName;  // for diagnostics and tests
  ViewHandler viewHandler = nullptr;
  ViewUpdateHandler updateHandler = nullptr;
  AppHandler appHandler = nullptr;

  bool IsSeparator() const { return caption == nullptr; }
  bool HasHandler() const { return viewHandler != nullptr || appHandler != nullptr; }
};

std::span<const CommandTableRow> CommandTable();
// The row routing `id`, or nullptr when no row names it (no handler).
const CommandTableRow* FindCommand(int id);
