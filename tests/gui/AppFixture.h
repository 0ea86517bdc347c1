#pragma once
// Starts the program's main window for one test and closes it afterwards.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/CMainFrame.h"
#include "app/CZorvaneApp.h"
#include "app/CZorvaneView.h"
#include "tests/support/RecordingMessageBox.h"

class AppFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    App()->SetMessageBox(&messages);
    ASSERT_EQ(App()->InitInstance({QStringLiteral("zorvane")}), CZorvaneApp::StartResult::Run);
    QApplication::processEvents();
  }
  void TearDown() override {
    App()->ExitInstance();
    App()->SetMessageBox(nullptr);
  }

  static CZorvaneApp* App() { return static_cast<CZorvaneApp*>(QApplication::instance()); }
  CMainFrame* Frame() const { return App()->MainFrame(); }
  CZorvaneView* View() const { return App()->View(); }

  RecordingMessageBox messages;
};
