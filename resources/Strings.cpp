#include <string>

#include "dialogs/MessageBox.h"

namespace {

std::string ReplaceFirstPlaceholder(std::string_view text, std::string_view value) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '%' && (text[i + 1] == 's' || text[i + 1] == 'd')) {
      std::string out(text.substr(0, i));
      out += value;
      out += text.substr(i + 2);
      return out;
    }
  }
  return std::string(text);
}

}  // namespace

std::string FormatMessageText(std::string_view text, std::string_view value) {
  return ReplaceFirstPlaceholder(text, value);
}

std::string FormatMessageText(std::string_view text, long long value) {
  return ReplaceFirstPlaceholder(text, std::to_string(value));
}
