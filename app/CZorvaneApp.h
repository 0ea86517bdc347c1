// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application: start-up, the framework's document commands (new, open,
// save), the about box and exit.
#include <QApplication>
#include <QStringList>
#include <functional>
#include <memory>

class CMainFrame;
class CZorvaneDoc;
class CZorvaneView;
class MessageBox;

class CZorvaneApp : public QApplication {
  Q_OBJECT
 public:
  CZorvaneApp(int& argc, char** argv);
  ~CZorvaneApp() override;

  enum class StartResult { Run, ExitOk, ExitError };
  // Start-up in order: profile settings, document template, command line
  // (new document, or open the file named), then the main window is shown.
  // Without `show` the window is made but not shown (tests).
  StartResult InitInstance(const QStringList& arguments, bool show = true);
  // Destroys the main window, document and view.
  void ExitInstance();

  CMainFrame* MainFrame() const { return m_frame.get(); }
  CZorvaneDoc* Document() const { return m_document.get(); }
  CZorvaneView* View() const;
  MessageBox& Messages() const { return *m_messages; }
  // Tests replace the message box and the Ctrl+O file prompt.
  void SetMessageBox(MessageBox* messages);
  void SetOpenFilePrompt(std::function<QString()> prompt) { m_openFilePrompt = std::move(prompt); }

  // Opens `path` as a document as Ctrl+O does; false (and a message) if it
  // cannot be opened for reading, with nothing changed.
  bool OpenDocumentFile(const QString& path);
  QStringList RecentFiles() const;

  // Commands.
  void OnAppAbout();
  void OnAppExit();
  void OnFileNew();
  void OnFileOpen();
  void OnFileSave();

  static QString Usage();

 private:
  void AddToRecentFileList(const QString& path);

  std::unique_ptr<MessageBox> m_ownMessages;
  MessageBox* m_messages = nullptr;
  std::unique_ptr<CZorvaneDoc> m_document;
  std::unique_ptr<CMainFrame> m_frame;
  std::function<QString()> m_openFilePrompt;
};
