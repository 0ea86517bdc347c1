// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words that explain the mistakes found in a camera list.
#include <string>
#include <string_view>

#include "database/ListMistakes.h"

// Who reads the advice: the window suggests mending the file, the command
// line its own option.
enum class AdviceFor { Window, CommandLine };

// One text that explains every mistake found in `file`, empty when none was.
// `items` names what the file is made of: "lines", or "points".
std::string ListMistakesText(const ListMistakes& mistakes, const std::string& file, AdviceFor reader,
                             std::string_view items);
