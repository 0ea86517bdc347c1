// SPDX-License-Identifier: GPL-3.0-or-later
// Names a user may give any file command in the window: a folder, a file
// they may not read, and a name with spaces and non-ASCII letters. Each gets
// its message and leaves the held database as it was; a good name with
// non-ASCII letters works like any other.
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "app/ProcessState.h"
#include "commands/FileCommands.h"
#include "commands/TransferRunner.h"
#include "commands/UnitCommand.h"
#include "resources/Strings.h"
#include "tests/gui/AppFixture.h"
#include "tests/gui/FileNameDialogDriver.h"
#include "tests/support/HexBuilder.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/ScriptedFileNamePrompt.h"
#include "tests/support/TempDir.h"
#include "user/MessageBox.h"

namespace {

struct Handler {
  const char* dialog;
  void (CZorvaneView::*run)();
};

const Handler kReaders[] = {
    {"CReadFileDlg", &CZorvaneView::OnReadFromFile},
    {"CImportDlg", &CZorvaneView::OnImportCameraData},
    {"CUpgradeDlg", &CZorvaneView::OnUpgradeUnit},
};

class BadFileNames : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    WorkingDatabase = ImageWith(DistinctEntries(12, 5));
    held = WorkingDatabase;
  }

  void Run(const Handler& handler, const std::string& name) {
    messages.shown.clear();
    WhenDialogOpens([&](CFileNameDlg& d) {
      EXPECT_EQ(d.objectName(), handler.dialog);
      TypeAndPress(d, QString::fromStdString(name), IDOK);
    });
    (View()->*handler.run)();
  }

  void ExpectOnly(const std::string& text) {
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, text);
    EXPECT_EQ(messages.shown[0].caption, kCaptionError);
    EXPECT_EQ(WorkingDatabase, held);
  }

  TempDir dir;
  DatabaseImage held;
};

TEST_F(BadFileNames, AFolderCannotBeReadByAnyCommand) {
  const std::string folder = dir.Path().string();
  for (const Handler& handler : kReaders) {
    SCOPED_TRACE(handler.dialog);
    Run(handler, folder);
    ExpectOnly(FormatMessageText(kMsgCannotOpenForReading, folder));
  }
}

TEST_F(BadFileNames, AFolderCannotBeWrittenOverAndIsLeftAsItWas) {
  const std::string folder = dir.File("kept");
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  dir.Write("kept/inside.txt", "still here");
  Run({"CWriteFileDlg", &CZorvaneView::OnWriteToFile}, folder);
  ExpectOnly(FormatMessageText(kMsgCannotOpenForWriting, folder));
  EXPECT_EQ(ReadWholeFile(folder + "/inside.txt"), "still here");
}

// The upgrade refuses its file before any transfer: a runner asked anyway
// says so.
class NoTransfer : public TransferRunner {
 public:
  UnitCommandOutcome Run(const TransferStep&) override {
    asked = true;
    return UnitCommandOutcome::Completed;
  }
  bool asked = false;
};

// Root may read every file: the commands' flows run as an ordinary user.
std::string RunFlowsAsOrdinaryUser(const std::string& file, const DatabaseImage& held) {
  return RunAsOrdinaryUser([&]() -> std::string {
    RecordingMessageBox shown;
    ScriptedFileNamePrompt prompt;
    prompt.answers = {file, file, file};
    auto working = std::make_unique<DatabaseImage>(held);
    auto incoming = std::make_unique<DatabaseImage>();
    auto scratch = std::make_unique<DatabaseImage>();
    DatabaseCommandContext context{shown, prompt, [] {}, *working, *incoming, *scratch, WindowWords()};
    ReadFromFileCommand(context);
    ImportCameraDataCommand(context);
    auto firmware = std::make_unique<FirmwareBytes>();
    std::uint32_t highest = 0;
    std::uint32_t current = 0;
    NoTransfer runner;
    UnitCommandContext unitContext{shown, prompt, runner, {}};
    UpgradeUnitCommand(unitContext, {*firmware, highest, current});
    if (runner.asked) return "the upgrade went on to the unit";
    const std::string expected = FormatMessageText(kMsgCannotOpenForReading, file);
    if (shown.shown.size() != 3) return std::to_string(shown.shown.size()) + " messages instead of 3";
    for (const ShownMessage& m : shown.shown) {
      if (m.text != expected || m.caption != kCaptionError) return "shown: " + m.text + " / " + m.caption;
    }
    return *working == held ? "" : "the held database changed";
  });
}

TEST_F(BadFileNames, AFileTheUserMayNotReadIsReportedByEveryCommand) {
  const std::string file = dir.Write("secret.db", Bytes(ImageWith(DistinctEntries(3, 8))));
  ASSERT_EQ(::chmod(file.c_str(), 0), 0);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    EXPECT_EQ(RunFlowsAsOrdinaryUser(file, held), "");
    return;
  }
  for (const Handler& handler : kReaders) {
    SCOPED_TRACE(handler.dialog);
    Run(handler, file);
    ExpectOnly(FormatMessageText(kMsgCannotOpenForReading, file));
  }
}

TEST_F(BadFileNames, NamesWithSpacesAndNonAsciiLettersWorkAndAreShownAsTyped) {
  const std::string name = dir.File("Caméras du Nord – été 2024.db");
  Run({"CWriteFileDlg", &CZorvaneView::OnWriteToFile}, name);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(ReadWholeFile(name), Bytes(held));

  View()->OnInitialUpdate();
  Run({"CReadFileDlg", &CZorvaneView::OnReadFromFile}, name);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(WorkingDatabase, held);

  const std::string csv = dir.Write("Données caméra ü.csv", "X,Y\n-1.5,51.5\n");
  Run({"CImportDlg", &CZorvaneView::OnImportCameraData}, csv);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "1 camera locations loaded.");

  // A bad firmware file: refused before any port opens, its name intact.
  const std::string hex = dir.Write("mise à jour ß.hex", "not a record\n");
  held = WorkingDatabase;
  Run({"CUpgradeDlg", &CZorvaneView::OnUpgradeUnit}, hex);
  ExpectOnly(FormatMessageText(kMsgNotValidHexFile, {hex, "1"}));

  const std::string missing = dir.File("nicht da – ö.db");
  Run({"CReadFileDlg", &CZorvaneView::OnReadFromFile}, missing);
  ExpectOnly(FormatMessageText(kMsgCannotOpenForReading, missing));
}

}  // namespace
