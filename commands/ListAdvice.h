// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words that explain the mistakes found in a camera list.
#include <string>
#include <string_view>

#include "commands/FrontEndWords.h"
#include "database/ListMistakes.h"

// One text that explains every mistake found in `file`, empty when none was.
// `items` names what the file is made of: "lines", or "points".
std::string ListMistakesText(const ListMistakes& mistakes, const std::string& file, const FrontEndWords& words,
                             std::string_view items);
