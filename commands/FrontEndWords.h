// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words in which the window and the command line differ. A command is
// given its front end's, and every other word it says is the same in both.

struct FrontEndWords {
  const char* latitudeFirst;   // what to do about a list that gives latitude first
  const char* useAnotherPort;  // how to take another port, after the ports there are
  const char* portMissing;     // "There is no device %s. ..." (the port for %s)
};

// The window's: it suggests mending the file, and the Options menu.
const FrontEndWords& WindowWords();
// zorvane-cli's: it names its own options.
const FrontEndWords& CommandLineWords();
