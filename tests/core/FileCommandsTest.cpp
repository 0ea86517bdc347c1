#include "database/FileCommands.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/ImageBuilders.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/ScriptedFileNamePrompt.h"
#include "tests/support/TempDir.h"

namespace {

std::string CsvLines(const std::vector<CameraEntry>& entries) {
  std::string text = "X,Y\n";
  for (const CameraEntry& e : entries) {
    text += std::to_string(e.longitude / 6000.0) + "," + std::to_string(e.latitude / 6000.0) + "\n";
  }
  return text;
}

std::string CsvOfDistinct(int count) {
  std::string text = "Longitude,Latitude,Speed\n";
  for (int i = 0; i < count; ++i) text += std::to_string(-1.0 - i * 0.001) + ",51.5,30\n";
  return text;
}

// One run of the program: the three images, a message box and a prompt that
// the test scripts, and a count of immediate redraws.
class FileCommands : public ::testing::Test {
 public:
  void Answer(const std::string& name) { prompt.answers.push_back(name); }
  void Restart() {
    images = std::make_unique<Images>();
    messages.shown.clear();
  }
  DatabaseCommandContext Context() {
    return {messages, prompt, [this] { ++redraws; }, images->working, images->incoming, images->scratch};
  }
  CommandOutcome Read(const std::string& name) {
    Answer(name);
    DatabaseCommandContext context = Context();
    return ReadFromFileCommand(context);
  }
  CommandOutcome Write(const std::string& name) {
    Answer(name);
    DatabaseCommandContext context = Context();
    return WriteToFileCommand(context);
  }
  CommandOutcome Import(const std::string& name) {
    Answer(name);
    DatabaseCommandContext context = Context();
    return ImportCameraDataCommand(context);
  }
  void ExpectOneMessage(const std::string& text, const std::string& caption) {
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, text);
    EXPECT_EQ(messages.shown[0].caption, caption);
    EXPECT_EQ(messages.shown[0].style, MessageStyle::Ok);
  }

  struct Images {
    DatabaseImage working, incoming, scratch;
  };
  std::unique_ptr<Images> images = std::make_unique<Images>();
  DatabaseImage& working() { return images->working; }
  RecordingMessageBox messages;
  ScriptedFileNamePrompt prompt;
  int redraws = 0;
  TempDir dir;
};

TEST_F(FileCommands, CancelInAnyDialogDoesNothing) {
  DatabaseCommandContext context = Context();
  EXPECT_EQ(ReadFromFileCommand(context), CommandOutcome::Cancelled);
  EXPECT_EQ(WriteToFileCommand(context), CommandOutcome::Cancelled);
  EXPECT_EQ(ImportCameraDataCommand(context), CommandOutcome::Cancelled);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(working(), DatabaseImage{});
  EXPECT_EQ(prompt.asked, (std::vector{FileNameDialogKind::ReadFile, FileNameDialogKind::WriteFile,
                                       FileNameDialogKind::Import}));
}

TEST_F(FileCommands, AnEmptyNameIsReportedFirst) {
  for (auto command : {&FileCommands::Read, &FileCommands::Write, &FileCommands::Import}) {
    messages.shown.clear();
    EXPECT_EQ((this->*command)(""), CommandOutcome::Failed);
    ExpectOneMessage("Please specify a filename.", "Error");
  }
}

TEST_F(FileCommands, ReadReportsFilesItCannotOpenOrUse) {
  const std::string missing = dir.File("missing.bin");
  Read(missing);
  ExpectOneMessage("Cannot open file " + missing + " for reading.", "Error");

  messages.shown.clear();
  working() = ImageWith({{1, 1}});
  images->incoming.Fill(0x44);
  EXPECT_EQ(Read(dir.Write("empty.bin", "")), CommandOutcome::Failed);
  ExpectOneMessage("The file does not contain a valid database.", "Error");
  EXPECT_EQ(images->incoming, DatabaseImage{});
  EXPECT_EQ(working(), ImageWith({{1, 1}}));
  EXPECT_EQ(redraws, 0);
}

TEST_F(FileCommands, ReadMergesRedrawsAndSaysNothing) {
  working() = ImageWith({{309000, -600}});
  const std::string path = dir.Write("db.bin", Bytes(ImageWith({{309001, -601}, {309002, -600}})));
  EXPECT_EQ(Read(path), CommandOutcome::Completed);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(working(), ImageWith({{309000, -600}, {309002, -600}}));
}

TEST_F(FileCommands, AFileOfOnlyUMergesNothingButSignsTheDatabase) {
  EXPECT_EQ(Read(dir.Write("u.bin", "U")), CommandOutcome::Completed);
  EXPECT_EQ(working(), ImageWith({}));
}

TEST_F(FileCommands, AMergeThatRunsOutOfRoomSaysHowManyWereLeftOut) {
  working() = ImageWith(DistinctEntries(kMaxDatabaseEntries - 2, 1, 0));
  Read(dir.Write("db.bin", Bytes(ImageWith(DistinctEntries(5, 2, 1)))));
  ExpectOneMessage("The database is full: 3 camera locations could not be added.", "Warning");
  EXPECT_EQ(working().Count(), kMaxDatabaseEntries);
}

TEST_F(FileCommands, WriteChecksTheNameThenTheDatabaseThenTheFile) {
  const std::string path = dir.File("db.bin");
  EXPECT_EQ(Write(path), CommandOutcome::Failed);
  ExpectOneMessage("The database does not contain any data, so there is no point saving it to a file!", "Error");
  EXPECT_FALSE(std::filesystem::exists(path));

  messages.shown.clear();
  working() = ImageWith({{309000, -9000}});
  const std::string nowhere = dir.File("no/such/db.bin");
  Write(nowhere);
  ExpectOneMessage("Cannot open file " + nowhere + " for writing.", "Error");

  messages.shown.clear();
  EXPECT_EQ(Write(path), CommandOutcome::Completed);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(ReadWholeFile(path), Bytes(working()));
}

TEST_F(FileCommands, AFailedWriteIsReported) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no device here that refuses every write";
  working() = ImageWith({{309000, -9000}});
  EXPECT_EQ(Write("/dev/full"), CommandOutcome::Failed);
  ExpectOneMessage("Cannot write file /dev/full.", "Error");
}

TEST_F(FileCommands, AFileReadBackAfterARestartAppendsEverythingInOrder) {
  working() = ImageWith({{5, 5}, {1, 1}, {5, 5}});  // duplicates among them too
  const std::string path = dir.File("db.bin");
  ASSERT_EQ(Write(path), CommandOutcome::Completed);
  Restart();
  ASSERT_EQ(Read(path), CommandOutcome::Completed);
  EXPECT_EQ(working(), ImageWith({{5, 5}, {1, 1}, {5, 5}}));
  Read(path);
  EXPECT_EQ(working().Count(), 3) << "the same file again adds nothing";
}

TEST_F(FileCommands, ImportTellsTheCountBeforeItMergesAndRedraws) {
  messages.onShow = [this](const ShownMessage&) {
    EXPECT_EQ(working().Count(), 0) << "the merge comes after the message";
    EXPECT_EQ(redraws, 0);
  };
  EXPECT_EQ(Import(dir.Write("c.csv", "X,Y\n-1.5,51.5\n")), CommandOutcome::Completed);
  ExpectOneMessage("1 camera locations loaded.", "Success");
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(working(), ImageWith({{309000, -9000}}));
  const std::uint8_t header[8] = {0x55, 0xAA, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0xFF};
  EXPECT_TRUE(std::equal(header, header + 8, images->incoming.data()));
}

TEST_F(FileCommands, ImportReportsUnopenableFilesAndFilesWithoutEntries) {
  Import(dir.File("none.csv"));
  ExpectOneMessage("Cannot open file " + dir.File("none.csv") + " for reading.", "Error");
  for (const char* text : {"", "X,Y\n", "X,Y\nnot,numbers\n\n"}) {
    messages.shown.clear();
    EXPECT_EQ(Import(dir.Write("c.csv", text)), CommandOutcome::Completed);
    ExpectOneMessage("Warning: No entries found in the file.\nNothing loaded", "Warning");
  }
  EXPECT_EQ(working(), DatabaseImage{});
  EXPECT_EQ(redraws, 0);
}

TEST_F(FileCommands, ImportAtTheLimitWarnsAndMergesOnlyTheLimit) {
  const std::string warning =
      "Warning: The file contained the MAXIMUM possible number of\nentries; this is a little suspicious.\n";
  Import(dir.Write("exact.csv", CsvOfDistinct(kMaxImportEntries)));
  ExpectOneMessage(warning, "Warning");
  EXPECT_EQ(working().Count(), kMaxImportEntries);

  Restart();
  Import(dir.Write("over.csv", CsvOfDistinct(kMaxImportEntries + 1)));
  ExpectOneMessage(warning, "Warning");
  EXPECT_EQ(working().Count(), kMaxImportEntries);

  Restart();
  Import(dir.Write("junk.csv", "X,Y\nbad\n" + CsvOfDistinct(kMaxImportEntries).substr(25)));
  ExpectOneMessage(warning + "1 lines could not be read and were skipped.", "Warning");
}

TEST_F(FileCommands, SkippedLinesAreToldOnALineOfTheirOwn) {
  Import(dir.Write("c.csv", "X,Y\n-1.5,51.5\nnan,1\n0,91\n-1,50\n"));
  ExpectOneMessage("2 camera locations loaded.\n2 lines could not be read and were skipped.", "Success");
  EXPECT_EQ(working().Count(), 2);
}

TEST_F(FileCommands, ImportingTwiceTellsTheSameCountAndAddsNothing) {
  const std::string path = dir.Write("c.csv", CsvLines({{309000, -9000}, {300000, 0}}));
  Import(path);
  Import(path);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, "2 camera locations loaded.");
  EXPECT_EQ(working().Count(), 2);
}

TEST_F(FileCommands, ImportThenWriteThenReadGivesTheSameBytes) {
  Import(dir.Write("c.csv", CsvOfDistinct(300)));
  const std::string first = dir.File("first.bin");
  const std::string second = dir.File("second.bin");
  ASSERT_EQ(Write(first), CommandOutcome::Completed);
  Restart();
  ASSERT_EQ(Read(first), CommandOutcome::Completed);
  ASSERT_EQ(Write(second), CommandOutcome::Completed);
  EXPECT_EQ(ReadWholeFile(first), ReadWholeFile(second));
  EXPECT_EQ(ReadWholeFile(first).size(), kDatabaseImageSize);
}

// Write to File as an ordinary user, whom the file system refuses what it
// never refuses root.
class WriteAsOrdinaryUser : public FileCommands {
 protected:
  void SetUp() override {
    ASSERT_TRUE(GiveToOrdinaryUser(dir.Path().string()));
    working() = ImageWith(DistinctEntries(40, 2));
  }
  // The user's own file in the user's own folder.
  std::string UsersFile(const std::string& name, const std::string& bytes, mode_t mode) {
    const std::string path = dir.Write(name, bytes);
    EXPECT_TRUE(GiveToOrdinaryUser(path));
    EXPECT_EQ(::chmod(path.c_str(), mode), 0);
    return path;
  }
  // Runs Write to File on `name` as the user; says what differed from
  // `outcome` with the one message `text` (none when empty).
  std::string WriteExpecting(const std::string& name, CommandOutcome outcome, const std::string& text) {
    return RunAsOrdinaryUser([&]() -> std::string {
      const CommandOutcome got = Write(name);
      if (got != outcome) return "outcome " + std::to_string(static_cast<int>(got));
      if (text.empty()) return messages.shown.empty() ? "" : "shown: " + messages.shown[0].text;
      if (messages.shown.size() != 1) return std::to_string(messages.shown.size()) + " messages";
      if (messages.shown[0].text != text || messages.shown[0].caption != "Error") return "shown: " + messages.shown[0].text;
      return "";
    });
  }
  std::vector<std::string> FolderContents() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(WriteAsOrdinaryUser, AReadOnlyFileIsRefusedAndKeepsItsBytes) {
  const std::string path = UsersFile("kept.db", "the user's old database", 0444);
  EXPECT_EQ(WriteExpecting(path, CommandOutcome::Failed, "Cannot open file " + path + " for writing."), "");
  EXPECT_TRUE(ReadWholeFile(path) == "the user's old database") << "the file was replaced";
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"kept.db"});
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all, std::filesystem::perms(0444));
}

// The folder takes no new file, so there is no room for a temporary file
// beside the old one; the user may write the file itself, so it is written
// where it is, and a longer file loses its tail.
TEST_F(WriteAsOrdinaryUser, AWritableFileInAFolderTheUserMayNotWriteToIsWrittenInPlace) {
  const std::string path = UsersFile("shared.db", std::string(kDatabaseImageSize + 100, 'x'), 0640);
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
  EXPECT_EQ(WriteExpecting(path, CommandOutcome::Completed, ""), "");
  EXPECT_TRUE(ReadWholeFile(path) == Bytes(working())) << "the file does not hold the database alone";
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"shared.db"});
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all, std::filesystem::perms(0640));

  const std::string missing = dir.File("new.db");
  EXPECT_EQ(WriteExpecting(missing, CommandOutcome::Failed, "Cannot open file " + missing + " for writing."), "");
  EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
