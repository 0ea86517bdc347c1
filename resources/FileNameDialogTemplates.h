// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialog templates IDD_IMPORT, IDD_UPGRADE, IDD_WRITEFILE and IDD_READFILE:
// the four dialogs that ask for a file name. Positions and sizes are in
// dialog units; controls are in template order, which is also the tab order.
#include <array>
#include <span>

#include "resources/CommandIds.h"
#include "user/FileNamePrompt.h"

enum class ControlKind { DefaultButton, Button, Static, Edit };

struct ControlTemplate {
  ControlKind kind;
  int id;  // kIdcStatic for static texts
  const char* text;
  int x, y, width, height;
};

// A description and a pattern for the file chooser's type list.
struct FileFilter {
  const char* description;
  const char* pattern;
};

struct FileNameDialogTemplate {
  FileNameDialogKind kind;
  int resourceId;
  const char* className;
  const char* title;
  int width, height;
  std::span<const ControlTemplate> controls;
  int editId;
  int browseId;
  std::span<const FileFilter> filters;  // the first is selected when the chooser opens
  const char* chooserTitle;
};

inline constexpr int kIdcStatic = -1;
inline constexpr int IDC_IMPORT_BROWSE = 1000;
inline constexpr int IDC_IMPORT_FILENAME = 1001;
inline constexpr int IDC_UPGRADE_FILENAME = 1002;
inline constexpr int IDC_UPGRADE_BROWSE = 1003;
inline constexpr int IDC_WRITEFILE_FILENAME = 1004;
inline constexpr int IDC_WRITEFILE_BROWSE = 1005;
inline constexpr int IDC_READFILE_FILENAME = 1006;
inline constexpr int IDC_READFILE_BROWSE = 1007;

// The chooser has no "*.*" of its own: on this platform "*" is every file,
// with or without a dot in its name.
// Every list the import reads first, then each format on its own.
inline constexpr std::array<FileFilter, 9> kCsvFilters{{
    {"Camera lists", "*.csv *.txt *.ov2 *.gpx *.kml *.geojson *.json *.osm"},
    {"csv files", "*.csv"},
    {"iGO speed cameras", "*.txt"},
    {"OV2 files", "*.ov2"},
    {"GPX files", "*.gpx"},
    {"KML files", "*.kml"},
    {"GeoJSON files", "*.geojson *.json"},
    {"OpenStreetMap files", "*.osm"},
    {"All files", "*"},
}};
inline constexpr std::array<FileFilter, 2> kHexFilters{{{"hex files", "*.hex"}, {"All files", "*"}}};
inline constexpr std::array<FileFilter, 1> kAllFilesFilters{{{"All files", "*"}}};

inline constexpr std::array<ControlTemplate, 5> kImportControls{{
    {ControlKind::DefaultButton, IDOK, "Import", 194, 132, 50, 14},
    {ControlKind::Button, IDCANCEL, "Cancel", 194, 149, 50, 14},
    {ControlKind::Static, kIdcStatic,
     "Use this option to import camera positions from\n"
     "OpenStreetMap. The file can be obtained from\n"
     "\n"
     "https://overpass-turbo.eu\n"
     "\n"
     "Unzip the database file and import one of the .csv files",
     16, 21, 203, 54},
    {ControlKind::Button, IDC_IMPORT_BROWSE, "Browse", 155, 100, 50, 14},
    {ControlKind::Edit, IDC_IMPORT_FILENAME, "", 21, 100, 127, 14},
}};

inline constexpr std::array<ControlTemplate, 6> kUpgradeControls{{
    {ControlKind::DefaultButton, IDOK, "Upgrade", 194, 107, 50, 14},
    {ControlKind::Button, IDCANCEL, "Cancel", 194, 127, 50, 14},
    {ControlKind::Edit, IDC_UPGRADE_FILENAME, "", 7, 82, 177, 14},
    {ControlKind::Button, IDC_UPGRADE_BROWSE, "Browse", 194, 82, 50, 14},
    {ControlKind::Static, kIdcStatic,
     "When ready, click on Upgrade to update the software in your unit.\n"
     "A message will appear when the upgrade completes.",
     7, 57, 233, 25},
    {ControlKind::Static, kIdcStatic,
     "Use this option to upgrade the software in your unit.\n"
     "Select the software file - it has  '.hex' at the end of the filename.\n"
     "\n"
     "Apply power to your unit while pressing the Next button. A Bootloader message will be displayed. "
     "Connect the RS232 cable to the PC.",
     7, 7, 233, 45},
}};

inline constexpr std::array<ControlTemplate, 5> kWriteFileControls{{
    {ControlKind::DefaultButton, IDOK, "Write File", 237, 72, 50, 14},
    {ControlKind::Button, IDCANCEL, "Cancel", 237, 89, 50, 14},
    {ControlKind::Edit, IDC_WRITEFILE_FILENAME, "", 7, 47, 177, 14},
    {ControlKind::Button, IDC_WRITEFILE_BROWSE, "Browse", 192, 47, 50, 14},
    {ControlKind::Static, kIdcStatic,
     "This option stores the database currently held in the program to a file.\n"
     "\n"
     "Choose a suitable filename and location for the file.",
     7, 13, 236, 28},
}};

inline constexpr std::array<ControlTemplate, 5> kReadFileControls{{
    {ControlKind::DefaultButton, IDOK, "Read File", 173, 84, 50, 14},
    {ControlKind::Button, IDCANCEL, "Cancel", 173, 103, 50, 14},
    {ControlKind::Static, kIdcStatic, "Enter the name of a file to read a database from.", 13, 27, 172, 15},
    {ControlKind::Edit, IDC_READFILE_FILENAME, "", 7, 50, 150, 14},
    {ControlKind::Button, IDC_READFILE_BROWSE, "Browse", 173, 50, 50, 14},
}};

inline constexpr std::array<FileNameDialogTemplate, 4> kFileNameDialogTemplates{{
    {FileNameDialogKind::Import, IDD_IMPORT, "CImportDlg", "Import Camera Points", 251, 170, kImportControls,
     IDC_IMPORT_FILENAME, IDC_IMPORT_BROWSE, kCsvFilters, "Select a csv file"},
    {FileNameDialogKind::Upgrade, IDD_UPGRADE, "CUpgradeDlg", "Firmware Upgrade", 251, 149, kUpgradeControls,
     IDC_UPGRADE_FILENAME, IDC_UPGRADE_BROWSE, kHexFilters, "Select a hex file"},
    {FileNameDialogKind::WriteFile, IDD_WRITEFILE, "CWriteFileDlg", "Write database to file", 294, 111,
     kWriteFileControls, IDC_WRITEFILE_FILENAME, IDC_WRITEFILE_BROWSE, kAllFilesFilters, "Select a file name"},
    {FileNameDialogKind::ReadFile, IDD_READFILE, "CReadFileDlg", "Read Database From File", 230, 124, kReadFileControls,
     IDC_READFILE_FILENAME, IDC_READFILE_BROWSE, kAllFilesFilters, "Select a file name"},
}};

inline constexpr const FileNameDialogTemplate& FileNameDialogTemplateFor(FileNameDialogKind kind) {
  return kFileNameDialogTemplates[static_cast<std::size_t>(kind)];
}
