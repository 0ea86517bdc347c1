#pragma once
// What the core needs of a message box: modal, owned by the window the user
// works in, a text and a caption, and either an OK button or OK and Cancel.
// No icon.
#include <string>

enum class MessageStyle { Ok, OkCancel };

// How the user closed a box.
enum class MessageAnswer { Ok, Cancel };

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Blocks until the user closes the box. An Ok box always answers Ok; an
  // OkCancel box answers Cancel when the user cancelled or closed it.
  virtual MessageAnswer Show(const std::string& text, const std::string& caption, MessageStyle style) = 0;
};
