#pragma once
// The string table: captions and every message the program shows. Texts are
// exact; "%s" takes a file name as entered, "%d" a number.

// Document string IDR_MAINFRAME, field 0, and the default document name.
inline constexpr const char* kWindowTitle = "Dravikon  PC Link";
inline constexpr const char* kUntitled = "Untitled";
inline constexpr const char* kAppName = "zorvane";
inline constexpr const char* kRegistryKey = "Local AppWizard-Generated Applications";
inline constexpr int kRecentFileCount = 4;

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

// Shown after any merge that had to leave entries out.
inline constexpr const char* kMsgDatabaseFull = "The database is full: %d camera locations could not be added.";

// About box.
inline constexpr const char* kAboutCaption = "About zorvane";
inline constexpr const char* kAboutText = "Dravikon - PC Link\nv1.0 29/7/05";
inline constexpr const char* kAboutCredit = "Copyright (C) 2005 zorvane";

// Firmware upgrade.
inline constexpr const char* kMsgNotValidHexFile = "The file %s is not a valid HEX file (line %d).";
