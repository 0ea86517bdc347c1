// SPDX-License-Identifier: GPL-3.0-or-later
// Two databases compared as a person reads a change: what one has that the
// other has not, counted the same as the merge counts a duplicate.
#include "database/DatabaseDiff.h"

#include <gtest/gtest.h>

#include "tests/support/ImageBuilders.h"

namespace {

using Entries = std::vector<CameraEntry>;

struct DiffCase {
  const char* name;
  Entries before;
  Entries after;
  Entries added;
  Entries removed;
  int same;
};

class DatabaseDiff : public ::testing::TestWithParam<DiffCase> {};

TEST_P(DatabaseDiff, FindsWhatEachSideHasAlone) {
  const DiffCase& c = GetParam();
  const DatabaseDifference difference = CompareDatabases(ImageWith(c.before), ImageWith(c.after));
  EXPECT_EQ(difference.added, c.added);
  EXPECT_EQ(difference.removed, c.removed);
  EXPECT_EQ(difference.same, c.same);
  EXPECT_EQ(difference.Equal(), c.added.empty() && c.removed.empty());
}

const CameraEntry kLondon{309000, -720};
const CameraEntry kLeeds{321500, -9300};
const CameraEntry kBath{308300, -14150};

INSTANTIATE_TEST_SUITE_P(
    Cases, DatabaseDiff,
    ::testing::Values(
        DiffCase{"BothEmpty", {}, {}, {}, {}, 0}, DiffCase{"Equal", {kLondon, kLeeds}, {kLondon, kLeeds}, {}, {}, 2},
        DiffCase{"OrderIsNoDifference", {kLondon, kLeeds}, {kLeeds, kLondon}, {}, {}, 2},
        DiffCase{"Disjoint", {kLondon}, {kLeeds, kBath}, {kLeeds, kBath}, {kLondon}, 0},
        DiffCase{"Overlapping", {kLondon, kLeeds}, {kLeeds, kBath}, {kBath}, {kLondon}, 1},
        DiffCase{"OneUnitAwayIsTheSameEntry", {kLondon}, {{kLondon.latitude + 1, kLondon.longitude - 1}}, {}, {}, 1},
        DiffCase{"TwoUnitsAwayIsAnother",
                 {kLondon},
                 {{kLondon.latitude, kLondon.longitude + 2}},
                 {{kLondon.latitude, kLondon.longitude + 2}},
                 {kLondon},
                 0},
        DiffCase{"ADuplicateIsNoDifference", {kLondon}, {kLondon, kLondon}, {}, {}, 2},
        // Read as unsigned 24-bit numbers, -1 and 0 are far apart, as in the merge.
        DiffCase{"MinusOneAndZeroAreFarApart", {{0, 0}}, {{-1, 0}}, {{-1, 0}}, {{0, 0}}, 0}),
    [](const ::testing::TestParamInfo<DiffCase>& param) { return std::string(param.param.name); });

TEST(DatabaseDiffAtScale, FindsOneMovedEntryAmongTenThousand) {
  Entries entries = DistinctEntries(10000, 7);
  const DatabaseImage before = ImageWith(entries);
  const CameraEntry moved = entries[4321];
  entries[4321].latitude += 2;
  const DatabaseDifference difference = CompareDatabases(before, ImageWith(entries));
  EXPECT_EQ(difference.added, Entries{entries[4321]});
  EXPECT_EQ(difference.removed, Entries{moved});
  EXPECT_EQ(difference.same, 9999);
}

TEST(DatabaseDiffAtScale, ReadsEachSideOnlyAsFarAsItsCount) {
  DatabaseImage before = ImageWith({kLondon, kLeeds});
  before.WriteHeader(1);  // kLeeds is left behind the count: no entry
  const DatabaseDifference difference = CompareDatabases(before, ImageWith({kLondon}));
  EXPECT_TRUE(difference.Equal());
  EXPECT_EQ(difference.same, 1);
}

}  // namespace
