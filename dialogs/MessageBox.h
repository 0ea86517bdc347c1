#pragma once
// What the core needs of a message box: modal, owned by the view, a text and
// a caption, and either an OK button or OK and Cancel. No icon.
#include <initializer_list>
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

// Fills the "%s" and "%d" placeholders of a string-table text in order, in
// one pass: text brought in by a value (a file name holding "%d", say) is
// never read as a placeholder.
std::string FormatMessageText(std::string_view text, std::initializer_list<std::string_view> values);
std::string FormatMessageText(std::string_view text, std::string_view value);
std::string FormatMessageText(std::string_view text, long long value);
