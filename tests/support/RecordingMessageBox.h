// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A message box that records what it was asked to show and answers from a
// script (OK, or No to a question, when the script runs out).
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "user/MessageBox.h"

struct ShownMessage {
  std::string text;
  std::string caption;
  MessageStyle style;
  friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

class RecordingMessageBox : public MessageBox {
 public:
  MessageAnswer Show(const std::string& text, const std::string& caption, MessageStyle style) override {
    shown.push_back({text, caption, style});
    if (onShow) onShow(shown.back());
    if (answers.empty()) return style == MessageStyle::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<ShownMessage> shown;
  std::deque<MessageAnswer> answers;
  // Runs as each message is shown, e.g. to check what is on screen then.
  std::function<void(const ShownMessage&)> onShow;
};
