// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/FrontEndWords.h"

#include "resources/Strings.h"

const FrontEndWords& WindowWords() {
  static const FrontEndWords words{kMsgLatitudeFirstWindow, kMsgUsePortInWindow, kMsgPortMissing};
  return words;
}

const FrontEndWords& CommandLineWords() {
  static const FrontEndWords words{kMsgLatitudeFirstCli, kMsgUsePortOnCommandLine, kMsgPortMissingOnCommandLine};
  return words;
}
