// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the window runs a unit command's exchange with the unit: on a worker
// thread, while a modal progress dialog keeps the window painting and
// blocks every other command. Message boxes the transfer shows are shown on
// the user-interface thread, in order, while the worker waits for the
// answer.
#include "commands/TransferRunner.h"

class MessageBox;
class QWidget;

class WindowTransferRunner : public TransferRunner {
 public:
  // `portIndex` picks Comm1 or Comm2, which are chosen from the ports
  // present when a step starts unless `namedPaths` gives them.
  WindowTransferRunner(QWidget* parent, MessageBox& messages, int portIndex, const CommPaths& namedPaths)
      : m_parent(parent), m_messages(messages), m_portIndex(portIndex), m_namedPaths(namedPaths) {}

  // Call on the user-interface thread; returns when the step has ended.
  UnitCommandOutcome Run(const TransferStep& step) override;

 private:
  QWidget* m_parent;
  MessageBox& m_messages;
  int m_portIndex;
  CommPaths m_namedPaths;
};
