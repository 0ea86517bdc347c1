// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the core needs of a message box: modal, owned by the window the user
// works in, a text and a caption, and an OK button, OK and Cancel, or Yes
// and No for a question. No icon.
#include <string>

enum class MessageStyle { Ok, OkCancel, YesNo };

// How the user closed a box.
enum class MessageAnswer { Ok, Cancel, Yes, No };

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Blocks until the user closes the box. An Ok box always answers Ok; an
  // OkCancel box answers Cancel when the user cancelled or closed it; a
  // YesNo box answers No when the user said no or closed it.
  virtual MessageAnswer Show(const std::string& text, const std::string& caption, MessageStyle style) = 0;
};
