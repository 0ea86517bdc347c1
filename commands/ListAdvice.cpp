// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/ListAdvice.h"

#include "resources/Strings.h"

std::string ListMistakesText(const ListMistakes& mistakes, const std::string& file, const FrontEndWords& words,
                             std::string_view items) {
  std::string text;
  const auto add = [&text](const std::string& paragraph) {
    if (!text.empty()) text += "\n\n";
    text += paragraph;
  };
  if (mistakes.latitudeFirst) {
    add(FormatMessageText(kMsgLatitudeFirst, file) + '\n' + words.latitudeFirst);
  }
  if (mistakes.spreadsheetItems > 0) {
    const std::string count = std::to_string(mistakes.spreadsheetItems);
    add(FormatMessageText(kMsgSpreadsheetNumbers, {count, items, file}));
  }
  if (mistakes.headerHoldsPosition) add(FormatMessageText(kMsgHeaderHoldsPosition, file));
  return text;
}
