// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CZorvaneApp.h"

#include <QCommandLineParser>
#include <QFileDialog>
#include <QSettings>
#include <QTimer>
#include <cstdio>

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CZorvaneDoc.h"
#include "app/CZorvaneView.h"
#include "app/ProcessState.h"
#include "app/QtMessageBox.h"
#include "resources/Strings.h"

namespace {

constexpr const char* kRecentFileGroup = "Recent File List";

QSettings ProfileSettings() { return QSettings(QString::fromLatin1(kRegistryKey), QString::fromLatin1(kAppName)); }

}  // namespace

CZorvaneApp::CZorvaneApp(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QString::fromLatin1(kAppName));
  setOrganizationName(QString::fromLatin1(kRegistryKey));
  ProgramFolder = applicationDirPath().toStdString();
  m_ownMessages = std::make_unique<QtMessageBox>([this]() -> QWidget* { return m_frame.get(); });
  m_messages = m_ownMessages.get();
  m_openFilePrompt = [this] {
    return QFileDialog::getOpenFileName(m_frame.get(), QStringLiteral("Open"), QString(),
                                        QStringLiteral("All Files (*)"));
  };
}

CZorvaneApp::~CZorvaneApp() { ExitInstance(); }

CZorvaneView* CZorvaneApp::View() const { return m_frame ? m_frame->View() : nullptr; }

void CZorvaneApp::SetMessageBox(MessageBox* messages) {
  m_messages = messages != nullptr ? messages : m_ownMessages.get();
  if (View() != nullptr) View()->SetMessageBox(m_messages);
}

namespace {

// The window's command line, declared once: InitInstance parses it and
// Usage() shows it.
struct StartOptions {
  QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")};
  QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Show the version and exit.")};
  QCommandLineOption comm1{QStringLiteral("comm1"),
                           QStringLiteral("The device of Options > Comm1, e.g. a USB adapter such as /dev/ttyUSB0 or "
                                          "an emulated unit's pseudo-terminal. Without it: /dev/ttyS0 where that is a "
                                          "real serial port, else the first USB serial adapter present (zorvane-cli "
                                          "ports)."),
                           QStringLiteral("PATH")};
  QCommandLineOption comm2{
      QStringLiteral("comm2"),
      QStringLiteral("The device of Options > Comm2 (/dev/ttyS1, else the next USB serial adapter)."),
      QStringLiteral("PATH")};

  explicit StartOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Links the PC with a Dravikon road-safety-camera unit over a serial cable."));
    parser.addOptions({comm1, comm2, help, version});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Open FILE: a database file is read as Read from File reads it, a "
                                                "camera list imported as Import Camera Data imports it."),
                                 QStringLiteral("[FILE]"));
  }
};

}  // namespace

QString CZorvaneApp::Usage() {
  QCommandLineParser parser;
  const StartOptions options(parser);
  // Qt names the program by the path it was started by, or not at all
  // before the application exists: the first line is ours.
  const QString text = parser.helpText();
  return QStringLiteral("Usage: zorvane [options] [FILE]") + text.mid(text.indexOf(QLatin1Char('\n')));
}

CZorvaneApp::StartResult CZorvaneApp::InitInstance(const QStringList& arguments, bool show) {
  QCommandLineParser parser;
  const StartOptions options(parser);
  const QCommandLineOption& help = options.help;
  const QCommandLineOption& version = options.version;
  const QCommandLineOption& comm1 = options.comm1;
  const QCommandLineOption& comm2 = options.comm2;
  if (!parser.parse(arguments)) {
    std::fprintf(stderr, "zorvane: %s\n\n%s", qPrintable(parser.errorText()), qPrintable(Usage()));
    return StartResult::ExitError;
  }
  if (parser.isSet(help)) {
    std::fputs(qPrintable(Usage()), stdout);
    return StartResult::ExitOk;
  }
  if (parser.isSet(version)) {
    std::printf("%s %s\n%s\n", kAppName, kProgramVersion, kLicenseLine);
    return StartResult::ExitOk;
  }
  if (parser.isSet(comm1)) CommPortPaths[0] = parser.value(comm1).toStdString();
  if (parser.isSet(comm2)) CommPortPaths[1] = parser.value(comm2).toStdString();
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    std::fprintf(stderr, "zorvane: only one file can be opened\n\n%s", qPrintable(Usage()));
    return StartResult::ExitError;
  }

  // The single-document template: document, frame, view, in that order.
  m_document = std::make_unique<CZorvaneDoc>();
  auto* view = new CZorvaneView(m_document.get(), m_messages);
  m_frame = std::make_unique<CMainFrame>(this, view);

  if (files.isEmpty()) {
    OnFileNew();
  } else if (!OpenDocumentFile(files.front())) {
    ExitInstance();
    return StartResult::ExitError;
  }

  if (show) m_frame->show();
  return StartResult::Run;
}

void CZorvaneApp::ExitInstance() {
  m_frame.reset();
  m_document.reset();
}

void CZorvaneApp::OnFileNew() {
  m_document->OnNewDocument();
  m_frame->UpdateCaption(m_document->GetTitle());
  View()->OnInitialUpdate();
}

bool CZorvaneApp::OpenDocumentFile(const QString& path) {
  QString error;
  if (!m_document->OnOpenDocument(path, &error)) {
    std::fprintf(stderr, "zorvane: %s\n", qPrintable(error));
    m_messages->Show(error.toStdString(), kAppName, MessageStyle::Ok);
    return false;
  }
  AddToRecentFileList(m_document->GetPathName());
  m_frame->UpdateCaption(m_document->GetTitle());
  View()->OnInitialUpdate();
  // Once the window is up (at start-up it is shown after this), so that its
  // messages stand over it.
  QTimer::singleShot(0, View(), [view = View(), file = path.toStdString()] { view->LoadGivenFile(file); });
  return true;
}

void CZorvaneApp::OnFileOpen() {
  const QString path = m_openFilePrompt();
  if (path.isEmpty()) return;
  OpenDocumentFile(path);
}

// The document has nothing to save, and a file opened with Ctrl+O must never
// be overwritten with empty content, so saving does nothing.
void CZorvaneApp::OnFileSave() {}

void CZorvaneApp::OnAppAbout() {
  CAboutDlg about(m_frame.get());
  about.exec();
}

void CZorvaneApp::OnAppExit() {
  if (m_frame) m_frame->close();
}

QStringList CZorvaneApp::RecentFiles() const {
  QSettings settings = ProfileSettings();
  settings.beginGroup(QString::fromLatin1(kRecentFileGroup));
  QStringList files;
  for (int i = 1; i <= kRecentFileCount; ++i) {
    const QString file = settings.value(QStringLiteral("File%1").arg(i)).toString();
    if (!file.isEmpty()) files << file;
  }
  return files;
}

void CZorvaneApp::AddToRecentFileList(const QString& path) {
  QStringList files = RecentFiles();
  files.removeAll(path);
  files.prepend(path);
  while (files.size() > kRecentFileCount) files.removeLast();
  QSettings settings = ProfileSettings();
  settings.beginGroup(QString::fromLatin1(kRecentFileGroup));
  settings.remove(QString());
  for (int i = 0; i < files.size(); ++i) settings.setValue(QStringLiteral("File%1").arg(i + 1), files[i]);
}
