// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/CommandLine.h"

#include <algorithm>

namespace {

bool Names(const std::vector<std::string>& names, const std::string& arg) {
  return std::find(names.begin(), names.end(), arg) != names.end();
}

}  // namespace

const std::string* ParsedArgs::Option(const std::string& name) const {
  for (const auto& [key, value] : options) {
    if (key == name) return &value;
  }
  return nullptr;
}

bool ParsedArgs::Flag(const std::string& name) const { return Names(flags, name); }

bool ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valued, ParsedArgs& parsed,
               std::string& error) {
  return ParseArgs(args, valued, {}, parsed, error);
}

bool ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valued,
               const std::vector<std::string>& flags, ParsedArgs& parsed, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg[0] != '-') {
      parsed.positional.push_back(arg);
      continue;
    }
    if (Names(flags, arg)) {
      if (!parsed.Flag(arg)) parsed.flags.push_back(arg);
      continue;
    }
    if (!Names(valued, arg)) {
      error = "unknown option " + arg;
      return false;
    }
    if (i + 1 == args.size()) {
      error = arg + " needs a value";
      return false;
    }
    if (parsed.Option(arg) != nullptr) {
      error = arg + " given twice";
      return false;
    }
    parsed.options.emplace_back(arg, args[++i]);
  }
  return true;
}
