// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Accelerator table IDR_MAINFRAME, in resource order. Keys are written as
// QKeySequence reads them; the table itself needs no Qt.
#include <array>

#include "resources/CommandIds.h"

struct Accelerator {
  const char* keys;
  int id;
};

inline constexpr std::array<Accelerator, 13> kAcceleratorTable{{
    {"Ctrl+N", ID_FILE_NEW},
    {"Ctrl+O", ID_FILE_OPEN},
    {"Ctrl+S", ID_FILE_SAVE},
    {"Ctrl+Z", ID_EDIT_UNDO},
    {"Ctrl+X", ID_EDIT_CUT},
    {"Ctrl+C", ID_EDIT_COPY},
    {"Ctrl+V", ID_EDIT_PASTE},
    {"Alt+Backspace", ID_EDIT_UNDO},
    {"Shift+Del", ID_EDIT_CUT},
    {"Ctrl+Ins", ID_EDIT_COPY},
    {"Shift+Ins", ID_EDIT_PASTE},
    {"F6", ID_NEXT_PANE},
    {"Shift+F6", ID_PREV_PANE},
}};
