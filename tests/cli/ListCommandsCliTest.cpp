// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli import, export and filter with camera lists in every format:
// what a user types and what they get back.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "database/CameraFilter.h"
#include "resources/Strings.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/SourceTree.h"
#include "tests/support/TempDir.h"

namespace {

std::string ListFile(const std::string& name) { return SourceFile("tests/data/lists/" + name); }

class ListCommandsCli : public ::testing::Test {
 protected:
  // The database `args` import into, checked to succeed.
  std::string Import(std::vector<std::string> args) {
    const std::string out = dir.File("out-" + std::to_string(++runs) + ".bin");
    args.insert(args.begin(), "import");
    args.insert(args.end(), {"-o", out});
    last = RunCliWith(args);
    EXPECT_EQ(last.status, kExitOk) << last.out << last.err;
    return ReadWholeFile(out);
  }
  std::string Export(const std::string& database, const std::string& name, std::vector<std::string> more = {}) {
    std::vector<std::string> args = {"export", database, "-o", dir.File(name)};
    args.insert(args.end(), more.begin(), more.end());
    last = RunCliWith(args);
    EXPECT_EQ(last.status, kExitOk) << last.err;
    return dir.File(name);
  }
  bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

  TempDir dir;
  CliRun last;
  int runs = 0;
};

TEST_F(ListCommandsCli, EveryFormatImportsToTheBytesOfTheCsvImportOfTheSamePositions) {
  const std::string csv = Import({ListFile("cameras.csv")});
  EXPECT_EQ(last.out, "Success: 9 camera locations loaded.\n");
  for (const char* name :
       {"cameras.gpx", "cameras.kml", "cameras.geojson", "cameras.osm", "cameras.ov2", "speedcam.txt"}) {
    EXPECT_EQ(Import({ListFile(name)}), csv) << name;
    EXPECT_EQ(last.out, "Success: 9 camera locations loaded.\n") << name;
  }
  EXPECT_EQ(csv.size(), kDatabaseImageSize);
}

TEST_F(ListCommandsCli, WhatIsNoCameraIsPassedOverAndSaidSo) {
  Import({ListFile("cameras.gpx")});
  EXPECT_EQ(last.err, ListFile("cameras.gpx") + ": 2 route and track points passed over (--all-points reads them)\n");
  Import({ListFile("cameras.gpx"), "--all-points"});
  EXPECT_EQ(last.out, "Success: 11 camera locations loaded.\n");
  Import({ListFile("cameras.kml")});
  EXPECT_EQ(last.err, ListFile("cameras.kml") + ": 1 placemarks without a point passed over\n");
}

TEST_F(ListCommandsCli, FormatComesFromTheOptionOrTheContentWhenTheNameDoesNotTell) {
  const std::string gpx = dir.Write("cameras.txt", ReadWholeFile(ListFile("cameras.gpx")));
  const std::string ov2 = dir.Write("cameras", ReadWholeFile(ListFile("cameras.ov2")));
  EXPECT_EQ(Import({gpx}), Import({ListFile("cameras.gpx")}));
  EXPECT_EQ(Import({ov2}), Import({ListFile("cameras.ov2")}));
  EXPECT_EQ(Import({gpx, "--format", "gpx"}), Import({ListFile("cameras.gpx")}));
  EXPECT_EQ(RunCliWith({"import", gpx, "--format", "kmz", "-o", dir.File("x.bin")}).status, kExitUsage);
}

TEST_F(ListCommandsCli, ExportWritesEachFormatAsItsReferenceFile) {
  const DatabaseImage held = ImageWith({{309000, -9000}, {309023, -741}, {-1, 1}, {540000, -1080000}, {0, 0}});
  const std::string db = dir.Write("db.bin", Bytes(held));
  for (const char* extension : {"csv", "gpx", "kml", "geojson", "ov2"}) {
    SCOPED_TRACE(extension);
    const std::string expected = ReadWholeFile(ListFile(std::string("export.") + extension));
    EXPECT_EQ(ReadWholeFile(Export(db, std::string("by-name.") + extension)), expected);
    EXPECT_EQ(ReadWholeFile(Export(db, "by-option.out", {"--format", extension})), expected);
  }
  EXPECT_EQ(RunCliWith({"export", db}).out, ReadWholeFile(ListFile("export.csv")));
  EXPECT_EQ(RunCliWith({"export", db, "-o", dir.File("x.osm")}).status, kExitUsage) << "OSM is read, not written";
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.osm")));
}

TEST_F(ListCommandsCli, CsvToGpxToKmlToGeoJsonToCsvKeepsEveryEntry) {
  std::vector<CameraEntry> entries = DistinctEntries(400, 13);
  entries.insert(entries.end(), {{0, 0}, {0, -1}, {-1, 1}, {540000, 1080000}, {-540000, -1080000}, {309023, -9000}});
  const DatabaseImage held = ImageWith(entries);
  const std::string first = Export(dir.Write("start.bin", Bytes(held)), "start.csv");
  std::string list = first;
  for (const char* extension : {"gpx", "kml", "geojson", "csv"}) {
    SCOPED_TRACE(extension);
    const std::string db = Import({list});
    ASSERT_EQ(db, Bytes(held));
    list = Export(dir.Write(std::string("via-") + extension + ".bin", db), std::string("list.") + extension);
  }
  EXPECT_EQ(ReadWholeFile(list), ReadWholeFile(first));
}

TEST_F(ListCommandsCli, ABrokenFileIsNamedWithWhereAndNothingIsWritten) {
  const std::string good = ListFile("cameras.csv");
  const std::string gpx =
      dir.Write("broken.gpx", "<gpx>\n<wpt lat=\"51\" lon=\"0\"/>\n<wpt lat=\"52\" lon=\"0\">\n</gpx>");
  const std::string json = dir.Write("broken.geojson", "{\"type\": \"FeatureCollection\",\n \"features\": [}\n");
  const std::string out = dir.File("out.bin");
  const CliRun xml = RunCliWith({"import", good, gpx, "-o", out});
  EXPECT_EQ(xml.status, kExitFailed);
  EXPECT_TRUE(Contains(xml.err, "Error: The file " + gpx +
                                    " cannot be read as GPX (line 4, column 7): Opening and ending tag mismatch.\n"))
      << xml.err;
  const CliRun geojson = RunCliWith({"import", json, "-o", out});
  EXPECT_EQ(geojson.status, kExitFailed);
  EXPECT_TRUE(Contains(
      geojson.err,
      "Error: The file " + json + " cannot be read as GeoJSON (line 2, column 16): object is missing after a comma.\n"))
      << geojson.err;
  const std::string ov2 = dir.Write("broken.ov2", ReadWholeFile(ListFile("cameras.ov2")).substr(0, 100));
  const CliRun binary = RunCliWith({"import", good, ov2, "-o", out});
  EXPECT_EQ(binary.status, kExitFailed);
  EXPECT_TRUE(Contains(binary.err, "Error: The file " + ov2 +
                                       " cannot be read as OV2 (byte 76): expected a record of 28 bytes, found the "
                                       "end of the file after 24.\n"))
      << binary.err;
  const CliRun wrong = RunCliWith({"import", ListFile("cameras.kml"), "--format", "osm", "-o", out});
  EXPECT_TRUE(Contains(wrong.err, "(line 2, column 45): expected the root element <osm>, found <kml>.")) << wrong.err;
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(ListCommandsCli, SkippedPointsAreNamedByElementAndLine) {
  const std::string gpx = dir.Write("some.gpx",
                                    "<gpx>\n<wpt lat=\"51.5\" lon=\"-1.5\"/>\n<wpt lat=\"51,5\" lon=\"0\"/>\n"
                                    "<wpt lat=\"-91\" lon=\"0\"/>\n</gpx>\n");
  Import({gpx});
  EXPECT_EQ(last.out, "Success: 1 camera locations loaded.\n2 points could not be read and were skipped.\n" +
                          std::string("Warning: ") + FormatMessageText(kMsgSpreadsheetNumbers, {"1", "points", gpx}) +
                          "\n");
  EXPECT_EQ(last.err,
            gpx + ":3: wpt 2: expected a number in lat and in lon, found 'lat=\"51,5\" lon=\"0\"'\n" + gpx +
                ":4: wpt 3: expected longitude -180..180 and latitude -90..90, found 'lat=\"-91\" lon=\"0\"'\n");
  const std::string json = dir.Write("some.json", "{\"type\": \"MultiPoint\", \"coordinates\": [[0, 50], [0]]}");
  Import({json});
  EXPECT_EQ(last.err, json + ": geometry point 2: expected [longitude, latitude] numbers, found '[0]'\n");
}

TEST_F(ListCommandsCli, ASwappedListIsExplainedAndLatLonReadsIt) {
  const std::string csv = dir.Write("swapped.csv", "Cameras\n51.5,-1.5\n52.5,-2\n");
  const std::string kml =
      dir.Write("swapped.kml", "<kml><Placemark><Point><coordinates>51.5,-1.5</coordinates></Point></Placemark></kml>");
  const std::string right = Import({dir.Write("right.csv", "lon,lat\n-1.5,51.5\n-2,52.5\n")});
  Import({csv});
  EXPECT_EQ(last.out, "Success: 2 camera locations loaded.\nWarning: " + FormatMessageText(kMsgLatitudeFirst, csv) +
                          "\nzorvane-cli import --lat-lon reads it so.\n");
  EXPECT_EQ(Import({csv, "--lat-lon"}), right);
  EXPECT_EQ(last.out, "Success: 2 camera locations loaded.\n");
  Import({kml});
  EXPECT_TRUE(Contains(last.out, "--lat-lon reads it so")) << last.out;
  EXPECT_EQ(Import({kml, "--lat-lon"}), Bytes(ImageWith({{309000, -9000}})));
}

TEST_F(ListCommandsCli, ASpreadsheetListIsExplained) {
  const std::string csv = dir.Write("excel.csv", "sep=;\nLongitude;Latitude\n-0,12;51,5\n-1,5;52,5\n");
  const CliRun run = RunCliWith({"import", csv, "-o", dir.File("x.bin")});
  EXPECT_TRUE(Contains(run.out, "Success: 2 camera locations loaded.\nWarning: 2 lines of " + csv)) << run.out;
  EXPECT_TRUE(Contains(run.out, "with commas between the fields and points in the numbers")) << run.out;
}

// A large list: cut by the filter before the limit, and told what the limit
// left out.
class LargeList : public ListCommandsCli {
 protected:
  void SetUp() override {
    std::string text = "X,Y\n";
    for (int i = 0; i < 12000; ++i) {
      text += std::to_string(-5.0 + (i % 120) * 0.05) + "," + std::to_string(50.0 + (i / 120) * 0.05) + "\n";
    }
    path = dir.Write("europe.csv", text);
  }
  std::string path;
};

TEST_F(LargeList, WithoutAFilterTheLimitCutsAndSaysHowMuch) {
  Import({path});
  EXPECT_EQ(last.out, std::string("Warning: ") + kMsgMaximumEntries);
  EXPECT_EQ(last.err, path +
                          ": 1100 more positions were left out by the limit of 10900 for one import; "
                          "--box, --near with --radius, or --max choose which are kept\n");
}

TEST_F(LargeList, AFilterChoosesWhichBeforeTheLimit) {
  const std::string boxed = Import({path, "--box", "51,-1,52,0"});
  EXPECT_EQ(last.out, path +
                          ": kept 441 and dropped 11559 of 12000 positions.\n"
                          "Success: 441 camera locations loaded.\n")
      << "21 x 21, edges included";
  EXPECT_TRUE(last.err.empty()) << last.err;

  const std::string nearest = Import({path, "--near", "51.5,-0.5", "--max", "9"});
  EXPECT_EQ(last.out, path + ": kept 9 and dropped 11991 of 12000 positions.\nSuccess: 9 camera locations loaded.\n");
  EXPECT_EQ(nearest, Bytes(ImageWith({{308700, -3300},
                                      {308700, -3000},
                                      {308700, -2700},
                                      {309000, -3300},
                                      {309000, -3000},
                                      {309000, -2700},
                                      {309300, -3300},
                                      {309300, -3000},
                                      {309300, -2700}})));
  Import({path, "--near", "51.5,-0.5", "--radius", "2000"});
  EXPECT_TRUE(Contains(last.err, "1100 more positions were left out")) << last.err;
}

// A list that gives each camera once for each direction of travel: the
// second of each pair lies one unit (1/6000 degree) east of the first.
TEST_F(ListCommandsCli, RepeatsWithinAListAreToldAndUniqueKeepsTheFirstOfEach) {
  std::string text = "X,Y\n";
  std::vector<CameraEntry> first;
  for (int i = 0; i < 50; ++i) {
    text += std::to_string(-2.0 + i * 0.01) + "," + std::to_string(52.0 + i * 0.01) + "\n";
    text += std::to_string(-2.0 + i * 0.01 + 1.0 / 6000) + "," + std::to_string(52.0 + i * 0.01) + "\n";
    first.push_back({312000 + 60 * i, -12000 + 60 * i});
  }
  const std::string list = dir.Write("both-ways.csv", text);

  const std::string all = Import({list});
  EXPECT_EQ(last.out, "Success: 100 camera locations loaded.\n");
  EXPECT_EQ(last.err, list +
                          ": 50 of 100 positions lie within 1/6000 degree of one before them and take a place "
                          "each; --unique keeps only the first\n");
  ASSERT_EQ(all.size(), kDatabaseImageSize);
  EXPECT_EQ((static_cast<unsigned char>(all[2]) << 8) | static_cast<unsigned char>(all[3]), 100)
      << "the merge keeps them all";

  EXPECT_EQ(Import({list, "--unique"}), Bytes(ImageWith(first)));
  EXPECT_EQ(last.out, "Success: 50 camera locations loaded.\n");
  EXPECT_EQ(last.err, list +
                          ": dropped 50 of 100 positions that lie within 1/6000 degree of one kept before them "
                          "(--unique)\n");
}

class FilterCommand : public ListCommandsCli {
 protected:
  CliRun Filter(const std::vector<std::string>& options) {
    std::vector<std::string> args = {"filter", db, "-o", out};
    args.insert(args.end(), options.begin(), options.end());
    return RunCliWith(args);
  }
  const std::vector<CameraEntry> entries = {
      {309000, -9000}, {309600, -9000}, {309023, 0}, {300000, 600}, {309000, -9000}};
  const std::string db = dir.Write("db.bin", Bytes(ImageWith(entries)));
  const std::string out = dir.File("kept.bin");
};

TEST_F(FilterCommand, ABoxKeepsWhatLiesOnItsEdgesInOrderWithDuplicates) {
  const CliRun run = Filter({"--box", "51.5,-1.5,51.60,0.0"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out, db + ": kept 4 and dropped 1 of 5 positions.\n");
  EXPECT_EQ(ReadWholeFile(out), Bytes(ImageWith({{309000, -9000}, {309600, -9000}, {309023, 0}, {309000, -9000}})));
  ASSERT_EQ(Filter({"--box", "51.50375,-1.5,51.50375,0"}).status, kExitOk);
  EXPECT_EQ(ReadWholeFile(out), Bytes(ImageWith({{309023, 0}}))) << "an edge of the same digits";
}

TEST_F(FilterCommand, ARadiusKeepsWhatLiesExactlyOnIt) {
  const double km = GreatCircleKm({309000, -9000}, {309600, -9000});  // 0.1 degree of latitude
  char exact[32];
  std::snprintf(exact, sizeof exact, "%.6f", km);
  ASSERT_EQ(Filter({"--near", "51.5,-1.5", "--radius", exact}).status, kExitOk);
  EXPECT_EQ(ReadWholeFile(out), Bytes(ImageWith({{309000, -9000}, {309600, -9000}, {309000, -9000}})));
  char less[32];
  std::snprintf(less, sizeof less, "%.6f", km - 0.001);
  ASSERT_EQ(Filter({"--near", "51.5,-1.5", "--radius", less}).status, kExitOk);
  EXPECT_EQ(ReadWholeFile(out), Bytes(ImageWith({{309000, -9000}, {309000, -9000}})));
}

TEST_F(FilterCommand, MaxKeepsTheNearestOrTheFirst) {
  ASSERT_EQ(Filter({"--max", "2"}).status, kExitOk);
  EXPECT_EQ(ReadWholeFile(out), Bytes(ImageWith({{309000, -9000}, {309600, -9000}})));
  ASSERT_EQ(Filter({"--max", "2", "--near", "50,0.1"}).status, kExitOk);
  EXPECT_EQ(ReadWholeFile(out), Bytes(ImageWith({{309023, 0}, {300000, 600}})));
}

TEST_F(FilterCommand, RepeatsAreToldAndUniqueKeepsTheFirstOfEach) {
  const CliRun told = Filter({"--max", "5"});
  ASSERT_EQ(told.status, kExitOk) << told.err;
  EXPECT_EQ(told.err, db + ": 1 of 5 positions lie within 1/6000 degree of one before them and take a place each; "
                           "--unique keeps only the first\n");
  EXPECT_EQ(ReadWholeFile(out), Bytes(ImageWith(entries)));

  const CliRun unique = Filter({"--unique"});
  ASSERT_EQ(unique.status, kExitOk) << unique.err;
  EXPECT_EQ(unique.out, "");
  EXPECT_EQ(unique.err, db + ": dropped 1 of 5 positions that lie within 1/6000 degree of one kept before them "
                             "(--unique)\n");
  EXPECT_EQ(ReadWholeFile(out), Bytes(ImageWith({entries.begin(), entries.begin() + 4})));
}

TEST_F(FilterCommand, KeepingNothingWritesNothing) {
  const CliRun run = Filter({"--box", "10,10,11,11"});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_EQ(run.out, db + ": kept 0 and dropped 5 of 5 positions.\n");
  EXPECT_TRUE(Contains(run.err, "The database does not contain any data")) << run.err;
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(FilterCommand, OptionsThatMakeNoSenseAreUsageErrors) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "expected --box, --near with --radius, --max or --unique"},
      {{"--box", "52,-1,51,0"}, "--box: the south edge 52 lies north of the north edge 51"},
      {{"--box", "51,-1,52"}, "--box expects 4 numbers separated by commas, found '51,-1,52'"},
      {{"--box", "51,-1,52,0,5"}, "--box expects 4 numbers"},
      {{"--box", "51,-1,95,0"}, "--box: expected degrees within -90..90, found '95'"},
      {{"--box", "51;-1;52;0"}, "--box expects 4 numbers"},
      {{"--near", "51.5,-200", "--radius", "5"}, "--near: expected degrees within -180..180, found '-200'"},
      {{"--radius", "5"}, "--radius needs --near LAT,LON"},
      {{"--near", "51,0", "--radius", "-1"}, "--radius: expected a distance in km, 0 or more, found '-1'"},
      {{"--near", "51,0"}, "--near needs --radius KM or --max N"},
      {{"--max", "0"}, "--max: expected a whole number, 1 or more, found '0'"},
      {{"--max", "2x"}, "--max: expected a whole number"},
      {{"--max"}, "--max needs a value"},
  };
  for (const auto& [options, message] : cases) {
    const CliRun run = Filter(options);
    EXPECT_EQ(run.status, kExitUsage) << message;
    EXPECT_TRUE(Contains(run.err, "zorvane-cli filter: " + message)) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace

// With --json each of import, merge, filter, info and diff prints JSON
// objects only, the last its outcome: fields, not words, and none that
// does not apply. The message is the last message shown.
class JsonOutcomes : public ListCommandsCli {
 protected:
  void SetUp() override {
    // A list that gives Reading's camera once each way, and a line of notes.
    list = dir.Write("both-ways.csv", ReadWholeFile(ListFile("cameras.csv")) +
                                          "-1.50001,51.5,Reading A4 westbound\nsee the council's site\n");
    ASSERT_EQ(RunCliWith({"import", ListFile("cameras.csv"), "-o", db}).status, kExitOk);
    ASSERT_EQ(RunCliWith({"import", list, "-o", both}).status, kExitOk);
  }
  const std::string db = dir.File("cameras.db");
  const std::string both = dir.File("both-ways.db");
  const std::string out = dir.File("out.db");
  const std::string broken = dir.Write("broken.geojson", "{\"type\": \"FeatureCollection\",\n \"features\": [}\n");
  std::string list;
};

TEST_F(JsonOutcomes, EachCommandEndsWithItsFields) {
  const auto path = [](const std::string& p) { return QString::fromStdString(p); };
  struct Case {
    std::vector<std::string> args;
    QJsonObject fields;  // every field of the outcome but its message
    QString message{};   // when the command's last words are not a message shown: diff's summary
  };
  const std::vector<Case> cases = {
      {{"import", list, "-o", out},
       {{"status", "completed"}, {"exit", 0}, {"entries", 10}, {"skipped", 1}, {"repeats", 1}, {"file", path(out)}}},
      {{"import", list, "--unique", "-o", out},
       {{"status", "completed"}, {"exit", 0}, {"entries", 9}, {"skipped", 1}, {"repeats", 1}, {"file", path(out)}}},
      {{"import", ListFile("cameras.gpx"), "--box", "50,-2,52,1", "-o", out},
       {{"status", "completed"}, {"exit", 0}, {"entries", 4}, {"skipped", 0}, {"repeats", 0}, {"file", path(out)}}},
      {{"merge", db, both, "-o", out}, {{"status", "completed"}, {"exit", 0}, {"entries", 9}, {"file", path(out)}}},
      {{"filter", db, "--box", "50,-2,52,1", "-o", out},
       {{"status", "completed"}, {"exit", 0}, {"entries", 4}, {"file", path(out)}}},
      {{"filter", both, "--unique", "-o", out},
       {{"status", "completed"}, {"exit", 0}, {"entries", 9}, {"repeats", 1}, {"file", path(out)}}},
      {{"info", both},
       {{"status", "completed"},
        {"exit", 0},
        {"entries", 10},
        {"repeats", 1},
        {"file", path(both)},
        {"bytes", 65536},
        {"signature", true},
        {"capacity", kMaxDatabaseEntries},
        {"box", QJsonArray{50, -5.930167, 55.953333, 1.297333}}}},
      {{"diff", db, both}, {{"status", "same"}, {"exit", 0}, {"added", 0}, {"removed", 0}}, "same 10 entries"},
      {{"diff", both, dir.File("kept.db")},
       {{"status", "different"}, {"exit", 1}, {"added", 0}, {"removed", 5}},
       "0 added, 5 removed, 5 the same"},
      // Refused: the file, and its line where it tells one.
      {{"import", ListFile("cameras.csv"), broken, "-o", out},
       {{"status", "file refused"}, {"exit", 1}, {"file", path(broken)}, {"line", 2}}},
      {{"merge", db, dir.File("missing.db"), "-o", out},
       {{"status", "file refused"}, {"exit", 1}, {"file", path(dir.File("missing.db"))}}},
      {{"diff", db, broken}, {{"status", "file refused"}, {"exit", 2}, {"file", path(broken)}}},
      {{"info", dir.File("missing.db")},
       {{"status", "file refused"}, {"exit", 1}, {"file", path(dir.File("missing.db"))}}},
      {{"filter", db, "--box", "10,10,11,11", "-o", out},
       {{"status", "not written"}, {"exit", 1}, {"file", path(out)}}},
  };
  // What the filter keeps of `both` for the second diff: 5 of its 10.
  ASSERT_EQ(RunCliWith({"filter", both, "--box", "50,-2,52,1", "-o", dir.File("kept.db")}).status, kExitOk);

  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.push_back("--json");
    std::filesystem::remove(out);
    const CliRun run = RunCliWith(args);
    const std::string trace = args[0] + " " + args[1] + ": " + run.out;
    SCOPED_TRACE(trace);
    EXPECT_EQ(run.status, c.fields["exit"].toInt());
    EXPECT_EQ(run.err, "");
    const JsonLinesRead read = ReadJsonLines(run.out);
    EXPECT_EQ(read.notObjects, std::vector<std::string>{});
    QJsonObject outcome = read.Outcome();
    // The message is the last message shown, when any was.
    QString shown = c.message;
    for (const QJsonObject& object : read.objects) {
      if (object.contains("caption")) shown = object["message"].toString();
    }
    EXPECT_EQ(outcome.take("message").toString().toStdString(), shown.toStdString());
    EXPECT_EQ(QJsonDocument(outcome).toJson().toStdString(), QJsonDocument(c.fields).toJson().toStdString());
    EXPECT_EQ(std::filesystem::exists(out),
              c.fields["status"] == "completed" && c.fields.contains("file") && c.fields["file"] == path(out));
  }
}
