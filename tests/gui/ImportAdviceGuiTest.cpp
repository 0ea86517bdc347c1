// SPDX-License-Identifier: GPL-3.0-or-later
// The window's Import Camera Data with the lists users most often get
// wrong: the import's own message first, then one Warning that says what
// seems wrong, and the held database exactly as the import made it.
#include "app/ProcessState.h"
#include "resources/Strings.h"
#include "tests/cli/CliRunner.h"
#include "tests/gui/AppFixture.h"
#include "tests/gui/FileNameDialogDriver.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/SourceTree.h"
#include "tests/support/TempDir.h"
#include "user/MessageBox.h"

namespace {

class ImportAdviceInWindow : public AppFixture {
 protected:
  void Import(const std::string& path) {
    messages.shown.clear();
    WhenDialogOpens([&](CFileNameDlg& d) { TypeAndPress(d, QString::fromStdString(path), IDOK); });
    View()->OnImportCameraData();
  }
  TempDir dir;
};

TEST_F(ImportAdviceInWindow, ASwappedListIsLoadedAsItStandsThenExplained) {
  const std::string path = dir.Write("swapped.csv", "Cameras\n51.5,-1.5\n52.5,-2\n53,0.5\n");
  Import(path);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "3 camera locations loaded.");
  EXPECT_EQ(messages.shown[0].caption, kCaptionSuccess);
  EXPECT_EQ(messages.shown[1].text, FormatMessageText(kMsgLatitudeFirst, path) + "\n" + kMsgLatitudeFirstWindow);
  EXPECT_EQ(messages.shown[1].caption, kCaptionWarning);
  EXPECT_EQ(messages.shown[1].style, MessageStyle::Ok);
  EXPECT_EQ(WorkingDatabase, ImageWith({{-9000, 309000}, {-12000, 315000}, {3000, 318000}}));
}

TEST_F(ImportAdviceInWindow, AListSavedByASpreadsheetIsReadPastItsSeparatorLineAndExplained) {
  const std::string path = dir.Write("excel.csv", "\xEF\xBB\xBFsep=;\r\nLongitude;Latitude\r\n-1;51\r\n-2;52\r\n");
  Import(path);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, kMsgNoEntries);
  EXPECT_EQ(messages.shown[1].text, FormatMessageText(kMsgSpreadsheetNumbers, {"2", "lines", path}));
  EXPECT_EQ(WorkingDatabase, DatabaseImage{});
}

// Every format the command line reads, told by its extension or, for an
// iGO speedcam.txt, by its header: the held database is the command line's.
TEST_F(ImportAdviceInWindow, EveryListImportsAsTheCommandLineImportsIt) {
  const std::pair<const char*, std::vector<std::string>> lists[] = {
      {"cameras.ov2", {"9 camera locations loaded.", "1 deleted records passed over"}},
      {"speedcam.txt", {"9 camera locations loaded."}},
      {"cameras.gpx", {"9 camera locations loaded.", "2 route and track points passed over"}},
      {"cameras.geojson", {"9 camera locations loaded.", "1 features that are not points passed over"}},
  };
  for (const auto& [name, told] : lists) {
    SCOPED_TRACE(name);
    const std::string path = SourceFile(std::string("tests/data/lists/") + name);
    WorkingDatabase = DatabaseImage{};
    Import(path);
    ASSERT_EQ(messages.shown.size(), told.size());
    EXPECT_EQ(messages.shown[0].text, told[0]);
    if (told.size() > 1) {
      EXPECT_EQ(messages.shown[1].text, path + ": " + told[1] + "\n");
      EXPECT_EQ(messages.shown[1].caption, kCaptionWarning);
    }
    const std::string cli = dir.File("cli.db");
    ASSERT_EQ(RunCliWith({"import", path, "-o", cli}).status, 0);
    EXPECT_EQ(Bytes(WorkingDatabase), ReadWholeFile(cli));
  }
}

// A camera listed for each direction of travel: the window asks before the
// merge, Yes keeping what zorvane-cli import --unique keeps, No the merge of
// every position.
TEST_F(ImportAdviceInWindow, AListWithRepeatsAsksWhetherToKeepOnlyTheFirstOfEach) {
  const std::string text = "X,Y\n-1.5,51.5\n-1.50001,51.50001\n-2,52.5\n-2,52.5\n-0.5,50\n";
  const std::pair<MessageAnswer, std::vector<std::string>> answers[] = {
      {MessageAnswer::Yes, {"import", "--unique"}},
      {MessageAnswer::No, {"import"}},
  };
  for (const auto& [answer, cli] : answers) {
    for (const char* name : {"repeats.csv", "repeats.gpx"}) {
      SCOPED_TRACE(std::string(name) + (answer == MessageAnswer::Yes ? " Yes" : " No"));
      std::string list = text;
      if (std::string(name).ends_with(".gpx")) {
        list = "<gpx>";
        for (const char* lonLat : {"-1.5\" lat=\"51.5", "-1.50001\" lat=\"51.50001", "-2\" lat=\"52.5",
                                   "-2\" lat=\"52.5", "-0.5\" lat=\"50"}) {
          list += std::string("<wpt lon=\"") + lonLat + "\"/>";
        }
        list += "</gpx>";
      }
      const std::string path = dir.Write(name, list);
      WorkingDatabase = DatabaseImage{};
      messages.answers = {answer};
      Import(path);
      ASSERT_GE(messages.shown.size(), 2u);
      EXPECT_EQ(messages.shown[0].text, "2 of the 5 positions in " + path +
                                            " lie within 1/6000 degree of one before them, as a camera listed once "
                                            "for each direction of travel does.\n\nKeep only the first of each?");
      EXPECT_EQ(messages.shown[0].style, MessageStyle::YesNo);
      EXPECT_EQ(messages.shown[1].text,
                answer == MessageAnswer::Yes ? "3 camera locations loaded." : "5 camera locations loaded.");
      std::vector<std::string> args = cli;
      args.insert(args.end(), {path, "-o", dir.File("cli.db")});
      ASSERT_EQ(RunCliWith(args).status, 0);
      EXPECT_EQ(Bytes(WorkingDatabase), ReadWholeFile(dir.File("cli.db")));
    }
  }
}

TEST_F(ImportAdviceInWindow, ABrokenOv2FileIsRefusedWithItsByteAndLoadsNothing) {
  const std::string path = dir.Write("broken.ov2", std::string("\2\x0D\0\0\0", 5) + std::string(8, '\0'));
  Import(path);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "The file " + path + " cannot be read as OV2 (byte 0): expected a record length of at least 14, found 13.");
  EXPECT_EQ(messages.shown[0].caption, kCaptionError);
  EXPECT_EQ(WorkingDatabase, DatabaseImage{});
}

}  // namespace
