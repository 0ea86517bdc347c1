// The window's Import Camera Data with the lists users most often get
// wrong: the import's own message first, then one Warning that says what
// seems wrong, and the held database exactly as the import made it.
#include "app/ProcessState.h"
#include "resources/Strings.h"
#include "tests/gui/AppFixture.h"
#include "tests/gui/FileNameDialogDriver.h"
#include "tests/support/ImageBuilders.h"
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
  const std::string path = dir.Write("swapped.csv", "Latitude,Longitude\n51.5,-1.5\n52.5,-2\n53,0.5\n");
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

}  // namespace
