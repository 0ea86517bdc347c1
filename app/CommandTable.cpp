// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandTable.h"

#include <array>

#include "app/CZorvaneApp.h"
#include "app/CZorvaneView.h"
#include "resources/CommandIds.h"

namespace {

// Menu IDR_MAINFRAME in menu order, then the commands that only accelerators
// reach. Edit and pane commands have no row: they do nothing.
const std::array<CommandTableRow, 18> kCommandTable{{
    {"&File", "E&xit", ID_APP_EXIT, "OnAppExit", nullptr, nullptr, &CZorvaneApp::OnAppExit},
    {"Database", "Read from Unit", ID_DATABASE_READFROMUNIT, "OnReadFromUnit", &CZorvaneView::OnReadFromUnit},
    {"Database", "Write to Unit", ID_DATABASE_WRITETOUNIT, "OnWriteToUnit", &CZorvaneView::OnWriteToUnit},
    {"Database", nullptr, 0, nullptr},
    {"Database", "Read from File", ID_DATABASE_READFROMFILE, "OnReadFromFile", &CZorvaneView::OnReadFromFile},
    {"Database", "Write to File", ID_DATABASE_WRITETOFILE, "OnWriteToFile", &CZorvaneView::OnWriteToFile},
    {"Database", "Unit History...", ID_DATABASE_UNITHISTORY, "OnUnitHistory", &CZorvaneView::OnUnitHistory},
    {"Options", "Comm1", ID_OPTIONS_COMM1, "OnComm1", &CZorvaneView::OnComm1, &CZorvaneView::OnUpdateComm1},
    {"Options", "Comm2", ID_OPTIONS_COMM2, "OnComm2", &CZorvaneView::OnComm2, &CZorvaneView::OnUpdateComm2},
    {"Options", nullptr, 0, nullptr},
    {"Options", "Display Database", ID_OPTIONS_DISPLAYDATABASE, "OnUpdateDisplayDatabase", nullptr,
     &CZorvaneView::OnUpdateDisplayDatabase},
    {"Advanced", "Import Camera Data", ID_ADVANCED_IMPORTCAMERADATA, "OnImportCameraData",
     &CZorvaneView::OnImportCameraData},
    {"Advanced", nullptr, 0, nullptr},
    {"Advanced", "Upgrade Unit S/W", ID_ADVANCED_UPGRADEUNITSW, "OnUpgradeUnit", &CZorvaneView::OnUpgradeUnit},
    {"&Help", "&About zorvane...", ID_APP_ABOUT, "OnAppAbout", nullptr, nullptr, &CZorvaneApp::OnAppAbout},
    {nullptr, "New", ID_FILE_NEW, "OnFileNew", nullptr, nullptr, &CZorvaneApp::OnFileNew},
    {nullptr, "Open", ID_FILE_OPEN, "OnFileOpen", nullptr, nullptr, &CZorvaneApp::OnFileOpen},
    {nullptr, "Save", ID_FILE_SAVE, "OnFileSave", nullptr, nullptr, &CZorvaneApp::OnFileSave},
}};

}  // namespace

std::span<const CommandTableRow> CommandTable() { return kCommandTable; }

const CommandTableRow* FindCommand(int id) {
  for (const CommandTableRow& row : kCommandTable) {
    if (!row.IsSeparator() && row.id == id) return &row;
  }
  return nullptr;
}
