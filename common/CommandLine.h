// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one command-line parser of the tools, zorvane-cli's commands and
// zorvane-unit alike: options that take a value ("-o OUT", "--port PATH"),
// flags that take none ("--lat-lon"), and positional arguments, in any
// order. What a value means is each tool's own business; ReadNumber reads
// the numbers they all take the same way.
#include <charconv>
#include <string>
#include <utility>
#include <vector>

struct ParsedArgs {
  std::vector<std::string> positional;
  std::vector<std::pair<std::string, std::string>> options;
  std::vector<std::string> flags;
  // The value given to `name`, or null.
  const std::string* Option(const std::string& name) const;
  bool Flag(const std::string& name) const;
};

// Splits `args` into the options named in `valued`, each with the argument
// that follows it whatever that is, the flags named in `flags`, and the
// positional arguments: anything that does not start with '-', and "-"
// alone. Returns false, with `error` set, on an unknown option, an option
// without its value, or one given twice. A flag given twice counts once.
bool ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valued,
               const std::vector<std::string>& flags, ParsedArgs& parsed, std::string& error);
// The same without flags.
bool ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valued, ParsedArgs& parsed,
               std::string& error);

// The whole of `text` as a number of `Number`'s type: no spaces, no '+',
// nothing after it. False, with `value` unchanged, otherwise.
template <typename Number>
bool ReadNumber(const std::string& text, Number& value) {
  Number read{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, read);
  if (error != std::errc() || stop != end || text.empty()) return false;
  value = read;
  return true;
}
