// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/ListMistakes.h"

#include <gtest/gtest.h>

#include <memory>

#include "commands/FileCommands.h"
#include "database/CameraCsv.h"
#include "resources/Strings.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/ScriptedFileNamePrompt.h"
#include "tests/support/TempDir.h"

namespace {

TEST(ListMistakeSigns, SeparatorLines) {
  for (const char* yes : {"sep=,\n", "SEP=;\r\n", "\xEF\xBB\xBFsep=\t\n", "sep=|"})
    EXPECT_TRUE(IsSeparatorLine(yes)) << yes;
  for (const char* no : {"sep=\n", "sep=,,\n", "X,Y\n", "separator=,\n", ""}) EXPECT_FALSE(IsSeparatorLine(no)) << no;
}

TEST(ListMistakeSigns, SpreadsheetNumbers) {
  for (const char* yes :
       {"51,5;-0,12\n", "-0,12;51,5;Camera\n", "51.5;-0.12", "\"51,5\";\"-0,12\"", "51;0", "51,5\t-0,12\n"}) {
    EXPECT_TRUE(LooksLikeSpreadsheetNumbers(yes)) << yes;
  }
  for (const char* no : {"-1.5,51.5\n", "-1.5,51.5;note\n", "51.5\t-0.12\n", "X;Y\n", "51,5,-0,12\n", ";\n", ""}) {
    EXPECT_FALSE(LooksLikeSpreadsheetNumbers(no)) << no;
  }
  EXPECT_TRUE(IsDecimalCommaNumber("51,5"));
  EXPECT_TRUE(IsDecimalCommaNumber(" -0,12 "));
  EXPECT_FALSE(IsDecimalCommaNumber("51.5"));
  EXPECT_FALSE(IsDecimalCommaNumber("51,"));
}

TEST(ListMistakeSigns, LatitudeFirstNeedsMostPositionsOffTheMapAndOnItSwapped) {
  const CameraEntry london{308450, -740};  // 51.408 N, 0.123 W
  const CameraEntry swapped{london.longitude, london.latitude};
  const CameraEntry sydney{-202200, 907200};
  EXPECT_TRUE(OnTheMap(london));
  EXPECT_FALSE(OnTheMap(swapped));
  EXPECT_TRUE(FindListMistakes(std::vector{swapped, swapped, london}, 0, false).latitudeFirst);
  EXPECT_FALSE(FindListMistakes(std::vector{swapped, london}, 0, false).latitudeFirst) << "half is not most";
  EXPECT_FALSE(FindListMistakes(std::vector{sydney, sydney}, 0, false).latitudeFirst) << "off the map either way";
  EXPECT_FALSE(FindListMistakes(std::vector<CameraEntry>{}, 0, false).Any());
}

// The window's import, through the command a menu item runs.
class ImportAdvice : public ::testing::Test {
 protected:
  CommandOutcome Import(const std::string& text) {
    prompt.answers.push_back(dir.Write("list.csv", text));
    DatabaseCommandContext context{messages,         prompt,          {},           images->working,
                                   images->incoming, images->scratch, WindowWords()};
    return ImportCameraDataCommand(context);
  }
  std::string Path() const { return dir.File("list.csv"); }

  struct Images {
    DatabaseImage working, incoming, scratch;
  };
  std::unique_ptr<Images> images = std::make_unique<Images>();
  RecordingMessageBox messages;
  ScriptedFileNamePrompt prompt;
  TempDir dir;
};

TEST_F(ImportAdvice, ASwappedListIsImportedAsItStandsThenExplained) {
  ASSERT_EQ(Import("Cameras\n51.5,-1.5\n52.5,-2\n53,0.5\n"), CommandOutcome::Completed);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "3 camera locations loaded.");
  EXPECT_EQ(messages.shown[1].caption, kCaptionWarning);
  EXPECT_EQ(messages.shown[1].text, FormatMessageText(kMsgLatitudeFirst, Path()) + "\n" + kMsgLatitudeFirstWindow);
  EXPECT_EQ(images->working, ImageWith({{-9000, 309000}, {-12000, 315000}, {3000, 318000}}))
      << "the advice changes nothing imported";
}

TEST_F(ImportAdvice, SemicolonsAndDecimalCommasAreExplainedAfterTheImportsOwnMessage) {
  Import("Longitude;Latitude\n51,5;-0,12\n-0,12;51,5\n");
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "2 camera locations loaded.") << "misread as 51,5 and -0,12";
  EXPECT_EQ(messages.shown[1].text, FormatMessageText(kMsgSpreadsheetNumbers, {"2", "lines", Path()}));

  messages.shown.clear();
  Import("X;Y\n51;0\n52;1\n");
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, kMsgNoEntries);
  EXPECT_NE(messages.shown[1].text.find("2 lines of"), std::string::npos) << messages.shown[1].text;
}

TEST_F(ImportAdvice, ASeparatorLineAndAByteOrderMarkAreReadPast) {
  Import("\xEF\xBB\xBFsep=,\nX,Y\n-1.5,51.5\n");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "1 camera locations loaded.") << "the header after sep= is no skipped line";
  messages.shown.clear();
  Import("sep=,\n-1.5,51.5\n");
  EXPECT_EQ(messages.shown.at(0).text, "1 camera locations loaded.") << "a position after sep= is read as before";
}

TEST_F(ImportAdvice, AFirstLineThatHoldsAPositionIsPointedOut) {
  Import("\xEF\xBB\xBF-1.5,51.5,\"SPEED 30\"\n-2,52,\"SPEED 40\"\n");
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "1 camera locations loaded.");
  EXPECT_EQ(messages.shown[1].text, FormatMessageText(kMsgHeaderHoldsPosition, Path()));
}

TEST_F(ImportAdvice, AGoodListGetsNoAdvice) {
  Import("X,Y\n-1.5,51.5\n-2,52\n");
  ASSERT_EQ(messages.shown.size(), 1u);
}

// A header that names its columns says which number is which, so a list
// with latitude first is read right and needs no advice.
TEST_F(ImportAdvice, AHeaderThatNamesItsColumnsIsFollowed) {
  const std::pair<const char*, const char*> lists[] = {
      {"lat,lon", "lat,lon\n51.5,-1.5\n52.5,-2\n"},
      {"Latitude,Longitude", "Latitude,Longitude\n51.5,-1.5\n52.5,-2\n"},
      {"iGO with IDX", "IDX,X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n1,-1.5,51.5,1,30,0,0\n2,-2,52.5,1,40,0,0\n"},
      {"iGO without IDX", "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n-1.5,51.5,1,30,0,0\n// a comment\n-2,52.5,1,40,0,0\n"},
      {"quoted names", "\"id\",\"LNG\",\"LAT\"\n\"7\",\"-1.5\",\"51.5\"\n\"8\",\"-2\",\"52.5\"\n"},
  };
  for (const auto& [name, text] : lists) {
    SCOPED_TRACE(name);
    *images = {};
    messages.shown.clear();
    ASSERT_EQ(Import(text), CommandOutcome::Completed);
    ASSERT_EQ(messages.shown.size(), 1u) << messages.shown.back().text;
    EXPECT_EQ(messages.shown[0].text, "2 camera locations loaded.");
    EXPECT_EQ(images->working, ImageWith({{309000, -9000}, {315000, -12000}}));
  }
}

TEST_F(ImportAdvice, ALineWithoutANumberInANamedColumnIsSkippedAndSaysSo) {
  Import("IDX,X,Y\n1,-1.5,51.5\n2,,52\n3,-2,x\n");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "1 camera locations loaded.\n2 lines could not be read and were skipped.");
}

TEST(ListMistakesText, JoinsEveryMistakeAndNamesTheOptionOnTheCommandLine) {
  const ListMistakes all{true, 3, true};
  const std::string text = ListMistakesText(all, "f.gpx", CommandLineWords(), "points");
  EXPECT_EQ(text, FormatMessageText(kMsgLatitudeFirst, "f.gpx") + "\n" + kMsgLatitudeFirstCli + "\n\n" +
                      FormatMessageText(kMsgSpreadsheetNumbers, {"3", "points", "f.gpx"}) + "\n\n" +
                      FormatMessageText(kMsgHeaderHoldsPosition, "f.gpx"));
  EXPECT_EQ(ListMistakesText({}, "f.csv", WindowWords(), "lines"), "");
}

}  // namespace
