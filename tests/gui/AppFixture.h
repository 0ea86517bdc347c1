// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starts the program's main window for one test and closes it afterwards;
// the port a test chooses, or the devices it names, are put back after it.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/CMainFrame.h"
#include "app/CZorvaneApp.h"
#include "app/CZorvaneView.h"
#include "app/ProcessState.h"
#include "tests/support/RecordingMessageBox.h"

class AppFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    m_savedPortIndex = CommPortIndex;
    m_savedPortPaths = CommPortPaths;
    App()->SetMessageBox(&messages);
    ASSERT_EQ(App()->InitInstance({QStringLiteral("zorvane")}), CZorvaneApp::StartResult::Run);
    QApplication::processEvents();
  }
  void TearDown() override {
    App()->ExitInstance();
    App()->SetMessageBox(nullptr);
    CommPortIndex = m_savedPortIndex;
    CommPortPaths = m_savedPortPaths;
  }

  static CZorvaneApp* App() { return static_cast<CZorvaneApp*>(QApplication::instance()); }
  CMainFrame* Frame() const { return App()->MainFrame(); }
  CZorvaneView* View() const { return App()->View(); }

  RecordingMessageBox messages;

 private:
  int m_savedPortIndex = 0;
  std::array<std::string, 2> m_savedPortPaths;
};
