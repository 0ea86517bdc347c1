// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The string table: captions and every message the program shows. Texts are
// exact; "%s" takes a file name as entered, "%d" a number.
#include <initializer_list>
#include <string>
#include <string_view>

// Fills the "%s" and "%d" placeholders of a string-table text in order, in
// one pass: text brought in by a value (a file name holding "%d", say) is
// never read as a placeholder.
std::string FormatMessageText(std::string_view text, std::initializer_list<std::string_view> values);
std::string FormatMessageText(std::string_view text, std::string_view value);
std::string FormatMessageText(std::string_view text, long long value);

// Document string IDR_MAINFRAME, field 0, and the default document name.
inline constexpr const char* kWindowTitle = "Dravikon  PC Link";
inline constexpr const char* kUntitled = "Untitled";
inline constexpr const char* kAppName = "zorvane";
inline constexpr const char* kRegistryKey = "Local AppWizard-Generated Applications";
inline constexpr int kRecentFileCount = 4;
// The version record's version, "1.0.0.1": the build's project version, so
// that it is written down once.
extern const char* const kProgramVersion;
// The second line of zorvane's and zorvane-cli's --version.
inline constexpr const char* kLicenseLine =
    "License: GPL-3.0-or-later (GNU General Public License, version 3 or later). There is NO WARRANTY.";

// Message box captions.
inline constexpr const char* kCaptionError = "Error";
inline constexpr const char* kCaptionWarning = "Warning";
inline constexpr const char* kCaptionSuccess = "Success";
inline constexpr const char* kCaptionCompleted = "Completed";

// Shared by the commands that take a file name.
inline constexpr const char* kMsgSpecifyFilename = "Please specify a filename.";
inline constexpr const char* kMsgCannotOpenForReading = "Cannot open file %s for reading.";

// Database files.
inline constexpr const char* kMsgNotValidDatabase = "The file does not contain a valid database.";
inline constexpr const char* kMsgNothingToSave =
    "The database does not contain any data, so there is no point saving it to a file!";
inline constexpr const char* kMsgCannotOpenForWriting = "Cannot open file %s for writing.";
inline constexpr const char* kMsgCannotWrite = "Cannot write file %s.";

// CSV camera import.
inline constexpr const char* kMsgNoEntries = "Warning: No entries found in the file.\nNothing loaded";
inline constexpr const char* kMsgMaximumEntries =
    "Warning: The file contained the MAXIMUM possible number of\nentries; this is a little suspicious.\n";
inline constexpr const char* kMsgLocationsLoaded = "%d camera locations loaded.";
inline constexpr const char* kMsgLinesSkipped = "%d lines could not be read and were skipped.";
// The same for lists whose positions are not lines (GPX, KML, GeoJSON, OpenStreetMap).
inline constexpr const char* kMsgPointsSkipped = "%d points could not be read and were skipped.";
inline constexpr const char* kMsgListUnreadable = "The file %s cannot be read as %s (line %d, column %d): %s.";
// Every database to or from the unit is kept; told when it could not be.
inline constexpr const char* kMsgHistoryNotKept =
    "The unit's database could not be kept in the unit history folder %s. The transfer itself is complete.";
inline constexpr const char* kCaptionUnitHistory = "Unit History";
inline constexpr const char* kMsgHistoryEmpty =
    "No database has been read from or written to a unit yet. Each one is kept in %s.";
inline constexpr const char* kMsgHistoryOff = "The unit history is turned off (ZORVANE_UNIT_HISTORY=off).";

// Asked before a list with repeats is merged; the window's words for
// zorvane-cli import --unique.
inline constexpr const char* kCaptionRepeats = "Import Camera Data";
inline constexpr const char* kMsgKeepFirstOfRepeats =
    "%d of the %d positions in %s lie within 1/6000 degree of one before them, as a camera listed once for each "
    "direction of travel does.\n\nKeep only the first of each?";
// The same for a binary list (OV2), which has bytes, not lines.
inline constexpr const char* kMsgListUnreadableAtByte = "The file %s cannot be read as %s (byte %d): %s.";

// What a list that did not import as meant seems to have got wrong; told
// after the import's own messages.
inline constexpr const char* kMsgLatitudeFirst =
    "Most positions in %s lie outside the map, and would lie on it with their two numbers swapped: "
    "the file seems to give latitude first.";
inline constexpr const char* kMsgLatitudeFirstWindow =
    "Put longitude first in the file (swap its two columns), then start a new document and import it again.";
inline constexpr const char* kMsgLatitudeFirstCli = "zorvane-cli import --lat-lon reads it so.";
inline constexpr const char* kMsgSpreadsheetNumbers =
    "%d %s of %s look like \"51,5;-0,12\": numbers with decimal commas, or fields separated by semicolons. "
    "They cannot be read, and were skipped or misread.\n"
    "Save the list from the spreadsheet as CSV with commas between the fields and points in the numbers "
    "(for example with the spreadsheet's language set to English), then import it again.";
inline constexpr const char* kMsgHeaderHoldsPosition =
    "The first line of %s holds a position, but the first line is always read as a header and skipped: "
    "put a header line such as X,Y above it to import that position too.";

// Shown after any merge that had to leave entries out.
inline constexpr const char* kMsgDatabaseFull = "The database is full: %d camera locations could not be added.";

// About box.
inline constexpr const char* kAboutCaption = "About zorvane";
inline constexpr const char* kAboutText = "Dravikon - PC Link\nv1.0 29/7/05";
inline constexpr const char* kAboutCredit = "Copyright (C) 2005 zorvane";

// Firmware upgrade.
inline constexpr const char* kMsgNotValidHexFile = "The file %s is not a valid HEX file (line %d).";
inline constexpr const char* kMsgUpgradeFinished = "Finished ok.";
inline constexpr const char* kMsgUpgradeNotConfirmed = "Unit did not respond correctly.\nI suggest you reprogram it.";
inline constexpr const char* kProgressUpgrading = "Upgrading block %d of %d";

// The unit link.
inline constexpr const char* kMsgErrorOpeningCommPort = "Error Opening Comm Port";
inline constexpr const char* kMsgNoResponse = "No response from Unit";
inline constexpr const char* kMsgTimedOut = "Timed out talking to unit. Please retry.";
// The line failed part-way (an adapter unplugged, a cable pulled out of a
// USB socket): no retry can work until it is back.
inline constexpr const char* kMsgLineLost =
    "The connection to the unit was lost.\n"
    "Check the cable and the USB adapter, then try again.";
inline constexpr const char* kMsgLineNeverQuiet =
    "The unit keeps sending and the line never falls quiet.\n"
    "Check that the unit is in its 'Connect to PC' mode, then try again.";
// Why a port could not be opened; follows kMsgErrorOpeningCommPort after a blank line.
inline constexpr const char* kMsgPortMissing =
    "There is no device %s. Check the cable or USB adapter, or choose the other port under Options.";
inline constexpr const char* kMsgPortPermission =
    "You may not open %s. Add yourself to the group that owns it (usually dialout), then log in again.";
inline constexpr const char* kMsgPortBusy =
    "%s is in use by another program, such as a modem manager or a terminal. Close it and try again.";
// After a device that does not exist: the ports there are, or that there are none.
inline constexpr const char* kMsgSerialPortsHere = "The serial ports on this PC are:";
inline constexpr const char* kMsgNoSerialPorts =
    "No serial port was found on this PC. Plug in the unit's cable or USB adapter, then try again.";
// How each front end takes one of them.
inline constexpr const char* kMsgUsePortInWindow =
    "Choose Comm1 or Comm2 under Options to use the port marked so; for another, start zorvane with --comm1 PATH.";
inline constexpr const char* kMsgUsePortOnCommandLine =
    "Give one with --port PATH; without --port, Comm1 is used. The window takes one with zorvane --comm1 PATH.";
// The command line's own words for a device that does not exist.
inline constexpr const char* kMsgPortMissingOnCommandLine =
    "There is no device %s. Check the cable or USB adapter, or give another port with --port PATH.";

// Progress of a transfer: where it connects, how long is left, and a hint
// when the pace says the line is far slower than a serial port would be.
inline constexpr const char* kProgressConnecting = "Connecting to the unit on %s...";
inline constexpr const char* kMsgSlowAdapter =
    "The USB adapter answers slowly: setting its latency timer to 1 ms makes this several times faster "
    "(see \"USB serial adapters\" in the user guide).";

// Database > Read from Unit.
inline constexpr const char* kCaptionReadUnit = "Read Unit Database";
inline constexpr const char* kMsgReadUnitPrompt =
    "Apply power to your unit, switch it on, connect the RS232 cable to the PC\n"
    "and then select the 'Connect to PC' option.\n\n"
    "When ready, click on OK to read the database from the unit.\n"
    "A message will appear when the read finishes.";
inline constexpr const char* kMsgDatabaseLoaded = "Database loaded successfully";
inline constexpr const char* kProgressReading = "Reading block %d of %d";

// Database > Write to Unit.
inline constexpr const char* kCaptionWriteUnit = "Write Database To Unit ";
inline constexpr const char* kMsgWriteUnitPrompt =
    "Apply power to your unit, switch it on, connect the RS232 cable to the PC\n"
    "and then select the 'Connect to PC' option.\n\n"
    "When ready, click on OK to write the database to the unit.\n"
    "A message will appear when the write finishes.";
inline constexpr const char* kMsgDatabaseWritten = "Database written successfully";
inline constexpr const char* kProgressWriting = "Writing block %d of 1024";
