// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Command and resource ids. The numbers are those of the menu and
// accelerator resources; the names are used throughout the program.

// Framework commands.
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;

// The program's own commands.
inline constexpr int ID_OPTIONS_COMM1 = 32771;
inline constexpr int ID_OPTIONS_COMM2 = 32772;
inline constexpr int ID_OPTIONS_DISPLAYDATABASE = 32773;
inline constexpr int ID_DATABASE_READFROMUNIT = 32774;
inline constexpr int ID_DATABASE_WRITETOUNIT = 32775;
inline constexpr int ID_DATABASE_READFROMFILE = 32776;
inline constexpr int ID_DATABASE_WRITETOFILE = 32777;
inline constexpr int ID_ADVANCED_IMPORTCAMERADATA = 32778;
inline constexpr int ID_ADVANCED_UPGRADEUNITSW = 32779;
inline constexpr int ID_DATABASE_UNITHISTORY = 32780;

// Resources.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDD_IMPORT = 132;
inline constexpr int IDD_UPGRADE = 133;
inline constexpr int IDD_WRITEFILE = 134;
inline constexpr int IDD_READFILE = 135;

// What a dialog ended with (DoModal), and the ids of its OK and Cancel buttons.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
