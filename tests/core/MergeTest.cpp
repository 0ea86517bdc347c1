// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "database/EntryIndex.h"
#include "database/Merge.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/ReferenceMerge.h"

namespace {

std::string Hex(const std::uint8_t* bytes, std::size_t n) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < n; ++i) {
    if (i) out += ' ';
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 15];
  }
  return out;
}

// First differing offset of two images with 16 bytes of context, for failures.
std::string FirstDifference(const DatabaseImage& a, const DatabaseImage& b) {
  for (std::size_t i = 0; i < kDatabaseImageSize; ++i) {
    if (a[i] != b[i]) {
      const std::size_t from = i - i % 16;
      const std::size_t n = std::min<std::size_t>(16, kDatabaseImageSize - from);
      return "offset " + std::to_string(i) + "\n  got:      " + Hex(a.data() + from, n) +
             "\n  expected: " + Hex(b.data() + from, n);
    }
  }
  return "identical";
}

class MergeIncomingTest : public ::testing::Test {
 protected:
  DatabaseImage working;
  DatabaseImage incoming;
  DatabaseImage scratch;
};

TEST_F(MergeIncomingTest, AppendsAllIncomingEntriesIncludingTheirOwnDuplicatesToAnEmptyDatabase) {
  incoming = ImageWith({{309000, -600}, {309000, -600}, {300000, 12}});
  const MergeResult result = MergeIncoming(working, incoming, scratch);
  EXPECT_EQ(result, (MergeResult{3, 0}));
  const std::uint8_t header[5] = {0x55, 0xAA, 0x00, 0x03, 0x00};
  EXPECT_EQ(Hex(working.data(), 5), Hex(header, 5));
  EXPECT_EQ(working.Entry(1), (CameraEntry{309000, -600}));
}

TEST_F(MergeIncomingTest, EmptyIncomingStillSignsAnAllZeroDatabase) {
  EXPECT_EQ(MergeIncoming(working, incoming, scratch), (MergeResult{0, 0}));
  const std::uint8_t header[8] = {0x55, 0xAA, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(Hex(working.data(), 8), Hex(header, 8));
}

TEST_F(MergeIncomingTest, DropsEntriesWithinOneUnitInBothFieldsOnly) {
  working = ImageWith({{309000, -600}});
  incoming = ImageWith({{309001, -601}, {309002, -600}, {308999, -599}, {309000, -602}});
  EXPECT_EQ(MergeIncoming(working, incoming, scratch), (MergeResult{2, 0}));
  EXPECT_EQ(working.Count(), 3);
  EXPECT_EQ(working.Entry(1), (CameraEntry{309002, -600}));
  EXPECT_EQ(working.Entry(2), (CameraEntry{309000, -602}));
}

TEST_F(MergeIncomingTest, MinusOneAndZeroAreFarApartBecauseFieldsCompareUnsigned) {
  working = ImageWith({{309000, 0}});
  incoming = ImageWith({{309000, -1}});
  EXPECT_EQ(MergeIncoming(working, incoming, scratch).added, 1);
}

TEST_F(MergeIncomingTest, KeepsHeldEntriesAndReservedBytesUnchanged) {
  working = ImageWith(DistinctEntries(500, 7));
  working[5] = 0x11;
  working[6] = 0x22;
  working[7] = 0x33;
  const DatabaseImage before = working;
  incoming = ImageWith(DistinctEntries(300, 8, 1));
  MergeIncoming(working, incoming, scratch);
  EXPECT_TRUE(std::equal(before.data() + 5, before.data() + 8 + 6 * 500, working.data() + 5));
}

TEST_F(MergeIncomingTest, LoadingTheSameDatabaseTwiceAddsNothingTheSecondTime) {
  incoming = ImageWith(DistinctEntries(1000, 3));
  EXPECT_EQ(MergeIncoming(working, incoming, scratch).added, 1000);
  const DatabaseImage once = working;
  EXPECT_EQ(MergeIncoming(working, incoming, scratch).added, 0);
  EXPECT_EQ(working, once);
}

TEST_F(MergeIncomingTest, AnIncomingCountBeyondCapacityIsReadAsCapacity) {
  incoming.Fill(0x00);
  incoming.WriteHeader(0xFFFF);
  // Distinct entries at every slot, so a larger count would show.
  for (int i = 0; i < kMaxDatabaseEntries; ++i) incoming.SetEntry(i, {2 * i, 0});
  const MergeResult result = MergeIncoming(working, incoming, scratch);
  EXPECT_EQ(result, (MergeResult{kMaxDatabaseEntries, 0}));
  EXPECT_EQ(working.Count(), kMaxDatabaseEntries);
}

TEST_F(MergeIncomingTest, StopsAppendingWhenFullAndCountsWhatWasLeftOut) {
  working = ImageWith(DistinctEntries(kMaxDatabaseEntries - 10, 11));
  incoming = ImageWith(DistinctEntries(25, 12, 1));
  const MergeResult result = MergeIncoming(working, incoming, scratch);
  EXPECT_EQ(result, (MergeResult{10, 15}));
  EXPECT_EQ(working.Count(), kMaxDatabaseEntries);
  // The two bytes after the last whole entry are never written.
  EXPECT_EQ(working[kDatabaseImageSize - 2], 0);
  EXPECT_EQ(working[kDatabaseImageSize - 1], 0);
  // Entries that do fit are the first ones, in order.
  EXPECT_EQ(working.Entry(kMaxDatabaseEntries - 10), incoming.Entry(0));
  EXPECT_EQ(working.Entry(kMaxDatabaseEntries - 1), incoming.Entry(9));
}

TEST_F(MergeIncomingTest, AFullDatabaseTakesNothingButMatchesAreNotCountedAsLeftOut) {
  const std::vector<CameraEntry> held = DistinctEntries(kMaxDatabaseEntries, 21);
  working = ImageWith(held);
  incoming = ImageWith({held[5], {held[6].latitude + 1, held[6].longitude}, {1, 1}});
  const DatabaseImage before = working;
  EXPECT_EQ(MergeIncoming(working, incoming, scratch), (MergeResult{0, 1}));
  EXPECT_EQ(working, before);
}

// Random images built to hit every edge of the match test: near duplicates in
// one or both fields, the 000000/FFFFFF boundary, duplicates within the
// incoming image, and random counts including ones above capacity.
DatabaseImage RandomNeighbourhood(std::mt19937& rng, const std::vector<CameraEntry>& around, int count) {
  std::uniform_int_distribution<int> pick(0, static_cast<int>(around.size()) - 1);
  std::uniform_int_distribution<int> delta(-2, 2);
  std::uniform_int_distribution<int> kind(0, 9);
  DatabaseImage image;
  for (int i = 0; i < count; ++i) {
    CameraEntry e = around[static_cast<std::size_t>(pick(rng))];
    switch (kind(rng)) {
      case 0: e.latitude += delta(rng); break;
      case 1: e.longitude += delta(rng); break;
      case 2:
        e.latitude += delta(rng);
        e.longitude += delta(rng);
        break;
      case 3: e.longitude = (rng() & 1) ? 0 : -1; break;
      case 4: e.latitude = (rng() & 1) ? 0x7FFFFF : -0x800000; break;
      default: break;
    }
    image.SetEntry(i, e);
  }
  image.WriteHeader(count);
  return image;
}

TEST_F(MergeIncomingTest, GivesTheSameBytesAsTheNestedScanOnRandomImages) {
  std::mt19937 rng(2005);
  for (int round = 0; round < 60; ++round) {
    std::vector<CameraEntry> seeds = DistinctEntries(40, static_cast<std::uint32_t>(rng()));
    seeds.push_back({0, 0});
    seeds.push_back({-1, -1});
    seeds.push_back({0, -1});
    std::uniform_int_distribution<int> count(0, 300);
    DatabaseImage fast = RandomNeighbourhood(rng, seeds, count(rng));
    DatabaseImage in = RandomNeighbourhood(rng, seeds, count(rng));
    if (round % 10 == 9) in.WriteHeader(0xFFFF);
    DatabaseImage slow = fast;
    DatabaseImage fastScratch, slowScratch;
    const MergeResult a = MergeIncoming(fast, in, fastScratch);
    const MergeResult b = ReferenceMergeIncoming(slow, in, slowScratch);
    ASSERT_EQ(a, b) << "round " << round;
    ASSERT_EQ(fast, slow) << "round " << round << ": " << FirstDifference(fast, slow);
    ASSERT_EQ(fastScratch, slowScratch) << "round " << round << ": " << FirstDifference(fastScratch, slowScratch);
  }
}

// Repeats within one list, by the merge's rule: each case is a list, how
// many of it lie within one unit of one kept before them, and what --unique keeps.
struct RepeatCase {
  const char* what;
  std::vector<CameraEntry> list;
  int repeats;
  std::vector<CameraEntry> first;
};

TEST(RepeatsWithinOneList, AreCountedAndDroppedByTheMergesRule) {
  const std::vector<RepeatCase> cases = {
      {"none", {{309000, -600}, {309002, -600}}, 0, {{309000, -600}, {309002, -600}}},
      {"each camera listed twice, one unit apart",
       {{309000, -600}, {309001, -601}, {300000, 12}, {300000, 12}, {301000, 50}},
       2,
       {{309000, -600}, {300000, 12}, {301000, 50}}},
      {"a repeat far down the list", {{1, 1}, {500, 500}, {900, 900}, {2, 0}}, 1, {{1, 1}, {500, 500}, {900, 900}}},
      // -1 and 0 compare as unsigned 24-bit fields, as in the merge.
      {"minus one and zero are far apart", {{309000, 0}, {309000, -1}}, 0, {{309000, 0}, {309000, -1}}},
      // A repeat is measured from what is kept, so the third of a chain,
      // two units from the first, is none: the count is what --unique drops.
      {"a chain", {{100, 100}, {101, 100}, {102, 100}}, 1, {{100, 100}, {102, 100}}},
      {"empty", {}, 0, {}},
  };
  for (const RepeatCase& c : cases) {
    EXPECT_EQ(CountRepeats(c.list), c.repeats) << c.what;
    EXPECT_EQ(FirstOfEach(c.list), c.first) << c.what;
  }
}

// On lists of many close neighbours: what --unique keeps repeats nothing,
// and every position it dropped lies within one unit of one it kept.
TEST(RepeatsWithinOneList, FirstOfEachLeavesNoRepeatAndDropsOnlyNeighboursOfWhatItKept) {
  std::mt19937 rng(20);
  for (int round = 0; round < 20; ++round) {
    std::vector<CameraEntry> seeds = DistinctEntries(30, static_cast<std::uint32_t>(rng()));
    const DatabaseImage image = RandomNeighbourhood(rng, seeds, 400);
    std::vector<CameraEntry> list;
    for (int i = 0; i < image.Count(); ++i) list.push_back(image.Entry(i));
    const std::vector<CameraEntry> first = FirstOfEach(list);
    EXPECT_EQ(CountRepeats(first), 0) << "round " << round;
    const DatabaseImage kept = ImageWith(first);
    const EntryIndex index(kept, kept.Count());
    for (int i = 0; i < image.Count(); ++i) EXPECT_TRUE(index.HasMatch(image.EntryBytes(i))) << "round " << round;
  }
}

}  // namespace
