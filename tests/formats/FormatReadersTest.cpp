// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "database/qt/CameraListReader.h"
#include "tests/support/SourceTree.h"

namespace {

std::vector<CameraEntry> CsvReference() {
  const ListReadResult csv = ReadCsvList(SourceFile("tests/data/lists/cameras.csv"), {});
  EXPECT_EQ(csv.list.skipped, 0);
  EXPECT_EQ(csv.list.entries.size(), 9u);
  return csv.list.entries;
}

ListReadResult Read(ListFormat format, std::string_view text, ListReadOptions options = {}) {
  return ReadCameraListBytes(text, format, options);
}

struct ReferenceFile {
  const char* name;
  ListFormat format;
  int passedOver;
};

TEST(ReferenceLists, EveryFormatGivesTheEntriesOfTheCsvImportOfTheSamePositions) {
  const std::vector<CameraEntry> expected = CsvReference();
  const ReferenceFile files[] = {
      {"cameras.gpx", ListFormat::Gpx, 2},  // a track's two points
      {"cameras.kml", ListFormat::Kml, 1},  // a road
      {"cameras.geojson", ListFormat::GeoJson, 1},
      {"cameras.osm", ListFormat::Osm, 0},   // other nodes are no items at all
      {"cameras.ov2", ListFormat::Ov2, 1},   // a deleted record
      {"speedcam.txt", ListFormat::Csv, 0},  // iGO's columns, after a row number
  };
  for (const ReferenceFile& file : files) {
    SCOPED_TRACE(file.name);
    const ListReadResult read =
        ReadCameraList(SourceFile(std::string("tests/data/lists/") + file.name), file.format, {});
    ASSERT_EQ(read.status, ListReadStatus::Ok) << read.detail;
    EXPECT_EQ(read.list.entries, expected);
    EXPECT_EQ(read.list.skipped, 0);
    EXPECT_EQ(read.list.passedOver, file.passedOver);
  }
}

TEST(ReferenceLists, AllPointsAddsRouteAndTrackPointsInDocumentOrder) {
  const ListReadResult read = ReadCameraList(SourceFile("tests/data/lists/cameras.gpx"), ListFormat::Gpx,
                                             {.allPoints = true, .latitudeFirst = false});
  ASSERT_EQ(read.list.entries.size(), 11u);
  EXPECT_EQ(read.list.entries[4], (CameraEntry{312600, -6600}));
  EXPECT_EQ(read.list.passedOver, 0);
}

struct MalformedCase {
  const char* name;
  ListFormat format;
  const char* text;
  int line;
  int column;
  const char* detail;
};

TEST(MalformedLists, SayWhereAndWhatAndGiveNoPositions) {
  const MalformedCase cases[] = {
      {"tags that do not match", ListFormat::Gpx,
       "<gpx>\n<wpt lat=\"51\" lon=\"0\"/>\n<wpt lat=\"52\" lon=\"0\">\n</gpx>", 4, 7,
       "Opening and ending tag mismatch"},
      {"another format's root", ListFormat::Gpx, "<?xml version=\"1.0\"?>\n<kml><Placemark/></kml>", 2, 6,
       "expected the root element <gpx>, found <kml>"},
      {"an empty file", ListFormat::Kml, "", 1, 1, "Premature end of document"},
      {"text, not XML", ListFormat::Osm, "lat,lon\n51,0\n", 1, 2, "Start tag expected"},
      {"a broken attribute", ListFormat::Osm, "<osm>\n <node id=\"1\" lat=51/>\n</osm>", 2, 20, ""},
      {"a stray comma", ListFormat::GeoJson,
       "{\"type\": \"FeatureCollection\",\n \"features\": [\n  {\"type\": \"Feature\",}]}", 3, 23, ""},
      {"JSON of another kind", ListFormat::GeoJson, "{\"type\": \"Topology\"}", 1, 1,
       "expected a FeatureCollection, a Feature or a geometry, found type \"Topology\""},
      {"an array", ListFormat::GeoJson, "[1, 2]", 1, 1, "found an array"},
      {"features that are no array", ListFormat::GeoJson, "{\"type\": \"FeatureCollection\", \"features\": {}}", 1, 1,
       "expected a \"features\" array"},
  };
  for (const MalformedCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ListReadResult read = Read(c.format, c.text);
    EXPECT_EQ(read.status, ListReadStatus::Malformed);
    EXPECT_EQ(read.line, c.line);
    EXPECT_EQ(read.column, c.column);
    EXPECT_NE(read.detail.find(c.detail), std::string::npos) << read.detail;
    EXPECT_FALSE(read.detail.empty());
    EXPECT_TRUE(read.list.entries.empty()) << "nothing of a broken file is used";
  }
}

TEST(GpxPoints, ThatCannotBeReadAreSkippedWithTheirPlace) {
  const ListReadResult read = Read(ListFormat::Gpx,
                                   "<gpx version=\"1.0\" xmlns=\"http://www.topografix.com/GPX/1/0\">\n"
                                   "<wpt lat=\"51.5\"/>\n"
                                   "<wpt lat=\"51,5\" lon=\"-0,12\"/>\n"
                                   "<wpt lat=\"95\" lon=\"0\"/>\n"
                                   "<wpt lat=\"51.5\" lon=\"-1.5\"/>\n"
                                   "</gpx>\n");
  ASSERT_EQ(read.status, ListReadStatus::Ok);
  EXPECT_EQ(read.list.entries, (std::vector<CameraEntry>{{309000, -9000}}));
  EXPECT_EQ(read.list.skipped, 3);
  EXPECT_EQ(read.list.spreadsheetItems, 1);
  ASSERT_EQ(read.list.firstSkipped.size(), 3u);
  const SkippedItem& missing = read.list.firstSkipped[0];
  EXPECT_EQ(missing.line, 2);
  EXPECT_EQ(missing.item, "wpt 1");
  EXPECT_EQ(missing.why, "expected lat and lon attributes");
  EXPECT_EQ(missing.found, "lat=\"51.5\" no lon");
  EXPECT_EQ(read.list.firstSkipped[1].why, "expected a number in lat and in lon");
  EXPECT_EQ(read.list.firstSkipped[2].item, "wpt 3");
  EXPECT_EQ(read.list.firstSkipped[2].why, "expected longitude -180..180 and latitude -90..90");
}

TEST(KmlPoints, TakeOneTupleWithAnOptionalAltitude) {
  const ListReadResult read =
      Read(ListFormat::Kml,
           "<kml><Document>\n"
           "<Placemark><Point><coordinates>-1.5,51.5 -2,52</coordinates></Point></Placemark>\n"
           "<Placemark><Point><coordinates>-1.5,51.5,10,4</coordinates></Point></Placemark>\n"
           "<Placemark><Point><coordinates>-1.5,51.5,,</coordinates></Point></Placemark>\n"
           "<Placemark><Point><coordinates>\t-1.5,51.5,-3.5\n</coordinates></Point></Placemark>\n"
           "<Placemark><name>no point</name></Placemark>\n"
           "<Point><coordinates>0,50</coordinates></Point>\n"
           "</Document></kml>");
  ASSERT_EQ(read.status, ListReadStatus::Ok);
  EXPECT_EQ(read.list.entries, (std::vector<CameraEntry>{{309000, -9000}})) << "a Point outside a Placemark is none";
  EXPECT_EQ(read.list.skipped, 3);
  EXPECT_EQ(read.list.passedOver, 1);
  EXPECT_EQ(read.list.firstSkipped[0].item, "Placemark 1");
  EXPECT_EQ(read.list.firstSkipped[0].line, 2);
  EXPECT_EQ(read.list.firstSkipped[0].why, "expected one lon,lat[,alt] tuple");
  EXPECT_EQ(read.list.firstSkipped[0].found, "-1.5,51.5 -2,52");
}

TEST(GeoJsonPoints, ComeFromACollectionAFeatureOrABareGeometry) {
  EXPECT_EQ(Read(ListFormat::GeoJson, "{\"type\": \"Point\", \"coordinates\": [-1.5, 51.5]}").list.entries,
            (std::vector<CameraEntry>{{309000, -9000}}));
  EXPECT_EQ(Read(ListFormat::GeoJson,
                 "\xEF\xBB\xBF{\"type\": \"Feature\", \"geometry\": {\"type\": \"MultiPoint\", "
                 "\"coordinates\": [[-1.5, 51.5], [0, 50]]}}")
                .list.entries,
            (std::vector<CameraEntry>{{309000, -9000}, {300000, 0}}));
  const ListReadResult collection =
      Read(ListFormat::GeoJson,
           "{\"type\": \"GeometryCollection\", \"geometries\": [{\"type\": \"Point\", \"coordinates\": [0, 50]},"
           " {\"type\": \"Polygon\", \"coordinates\": []}, 7]}");
  EXPECT_EQ(collection.list.entries, (std::vector<CameraEntry>{{300000, 0}}));
  EXPECT_EQ(collection.list.passedOver, 1);
  ASSERT_EQ(collection.list.skipped, 1);
  EXPECT_EQ(collection.list.firstSkipped[0].item, "geometry part 3");
}

TEST(GeoJsonPoints, ThatCannotBeReadAreSkippedByFeatureNumber) {
  const ListReadResult read =
      Read(ListFormat::GeoJson,
           "{\"type\": \"FeatureCollection\", \"features\": [\n"
           " {\"type\": \"Feature\", \"geometry\": null},\n"
           " {\"type\": \"Feature\", \"geometry\": {\"type\": \"Point\", \"coordinates\": [\"-0,12\", \"51,5\"]}},\n"
           " {\"type\": \"Feature\", \"geometry\": {\"type\": \"Point\", \"coordinates\": [0]}},\n"
           " {\"type\": \"Feature\", \"geometry\": {\"type\": \"MultiPoint\", \"coordinates\": [[0, 50], [0, 91]]}},\n"
           " {\"type\": \"Feature\", \"geometry\": {\"type\": \"Circle\"}},\n"
           " \"a string\"\n"
           "]}");
  ASSERT_EQ(read.status, ListReadStatus::Ok);
  EXPECT_EQ(read.list.entries, (std::vector<CameraEntry>{{300000, 0}}));
  EXPECT_EQ(read.list.passedOver, 1);
  EXPECT_EQ(read.list.spreadsheetItems, 1);
  ASSERT_EQ(read.list.skipped, 5);
  const std::vector<std::pair<std::string, std::string>> expected = {{"feature 2", "[\"-0,12\",\"51,5\"]"},
                                                                     {"feature 3", "[0]"},
                                                                     {"feature 4 point 2", "[0,91]"},
                                                                     {"feature 5", "{\"type\":\"Circle\"}"},
                                                                     {"feature 6", "\"a string\""}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(read.list.firstSkipped[i].item, expected[i].first);
    EXPECT_EQ(read.list.firstSkipped[i].found, expected[i].second);
    EXPECT_EQ(read.list.firstSkipped[i].line, 0);
  }
}

TEST(OsmNodes, OnlySpeedCamerasThatAreNotDeleted) {
  const ListReadResult read =
      Read(ListFormat::Osm,
           "<osm version=\"0.6\">\n"
           " <node id=\"11\" lat=\"51.5\" lon=\"-1.5\"><tag k=\"highway\" v=\"speed_camera\"/></node>\n"
           " <node id=\"12\" lat=\"52\" lon=\"-1\"><tag k=\"highway\" v=\"crossing\"/></node>\n"
           " <node id=\"13\" action=\"delete\" lat=\"53\" lon=\"-1\"><tag k=\"highway\" v=\"speed_camera\"/></node>\n"
           " <node id=\"14\" visible=\"false\" lat=\"53\" lon=\"-1\"><tag k=\"highway\" v=\"speed_camera\"/></node>\n"
           " <node id=\"12345678901\" lat=\"x\" lon=\"-1\">\n  <tag k=\"highway\" v=\"speed_camera\"/>\n </node>\n"
           " <way id=\"1\"><tag k=\"highway\" v=\"speed_camera\"/></way>\n"
           "</osm>");
  ASSERT_EQ(read.status, ListReadStatus::Ok);
  EXPECT_EQ(read.list.entries, (std::vector<CameraEntry>{{309000, -9000}}));
  EXPECT_EQ(read.list.passedOver, 2);
  ASSERT_EQ(read.list.skipped, 1);
  EXPECT_EQ(read.list.firstSkipped[0].item, "node 12345678901");
  EXPECT_EQ(read.list.firstSkipped[0].line, 6);
}

TEST(LatitudeFirst, ReadsASwappedListOfEveryFormatAsTheRightOne) {
  const ListReadOptions swapped{.allPoints = false, .latitudeFirst = true};
  const std::vector<CameraEntry> expected = {{309000, -9000}};
  EXPECT_EQ(Read(ListFormat::Gpx, "<gpx><wpt lat=\"-1.5\" lon=\"51.5\"/></gpx>", swapped).list.entries, expected);
  EXPECT_EQ(Read(ListFormat::Osm,
                 "<osm><node lat=\"-1.5\" lon=\"51.5\"><tag k=\"highway\" v=\"speed_camera\"/></node></osm>", swapped)
                .list.entries,
            expected);
  EXPECT_EQ(Read(ListFormat::Kml,
                 "<kml><Placemark><Point><coordinates>51.5,-1.5,0</coordinates></Point></Placemark></kml>", swapped)
                .list.entries,
            expected);
  EXPECT_EQ(Read(ListFormat::GeoJson, "{\"type\": \"Point\", \"coordinates\": [51.5, -1.5]}", swapped).list.entries,
            expected);
}

}  // namespace
