// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zorvane-cli's import of one camera list in any format into a session:
// read whole, cut by the filter, then loaded and merged as the window's
// import loads a CSV file, with what was skipped, passed over or left out
// told on the error stream.
#include <string>

#include "cli/FileCommandSession.h"
#include "cli/ListOptions.h"

// False when the file could not be read (the message has been printed).
bool ImportCameraList(FileCommandSession& session, CliStreams& io, const std::string& path, ListFormat format,
                      const ListOptions& options);
