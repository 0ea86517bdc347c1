#pragma once
// What the core needs of a message box: modal, owned by the view, a text and
// a caption, and either an OK button or OK and Cancel. No icon.
#include <string>
#include <string_view>

#include "resources/CommandIds.h"

enum class MessageStyle { Ok, OkCancel };

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Blocks until the user closes the box. Returns IDOK, or IDCANCEL when the
  // user cancelled an OkCancel box (an Ok box always gives IDOK).
  virtual int Show(const std::string& text, const std::string& caption, MessageStyle style) = 0;
};

// Replaces the first "%s" or "%d" in a string-table text with `value`.
std::string FormatMessageText(std::string_view text, std::string_view value);
std::string FormatMessageText(std::string_view text, long long value);
