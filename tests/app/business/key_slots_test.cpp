// The record keys' table: lookups through inserts and erasures, against a plain map.
#include "app/business/key_slots.h"

#include <gtest/gtest.h>

#include <random>
#include <unordered_map>
#include <vector>

namespace trf {
namespace {

// Keys that follow one another, keys that share their low bits (so that searches run over the
// table's end and past erased entries), negative keys: after every insert and erasure each key
// ever used is found at the slot a plain map holds for it, or not at all.
TEST(KeySlots, AgreesWithAPlainMapThroughInsertsAndErasures) {
  std::vector<int64_t> keys;
  for (int64_t i = 1; i <= 40; ++i) keys.push_back(i);
  for (int64_t i = 1; i <= 40; ++i) keys.push_back(i << 16);
  for (int64_t i = 1; i <= 20; ++i) keys.push_back((i << 32) + 7);
  for (int64_t i = 1; i <= 10; ++i) keys.push_back(-i);
  KeySlots table;
  table.Reset(4);  // too small: inserting grows it
  std::unordered_map<int64_t, size_t> plain;
  std::mt19937 random(5);
  for (size_t step = 0; step < 2000; ++step) {
    const int64_t key = keys[random() % keys.size()];
    if (random() % 3 == 0) {
      table.Erase(key);
      plain.erase(key);
    } else {
      table.Insert(key, step);
      plain.emplace(key, step);  // a key held already keeps its slot
    }
    ASSERT_EQ(table.Size(), plain.size()) << "step " << step;
    for (const int64_t probe : keys) {
      const auto it = plain.find(probe);
      ASSERT_EQ(table.Find(probe), it == plain.end() ? KeySlots::kNone : it->second)
          << "step " << step << ", key " << probe;
    }
  }
}

// Reset forgets every key; an empty table finds nothing.
TEST(KeySlots, ResetForgetsEveryKey) {
  KeySlots table;
  EXPECT_EQ(table.Find(1), KeySlots::kNone);
  table.Insert(1, 10);
  table.Insert(2, 20);
  table.Reset(100);
  EXPECT_EQ(table.Size(), 0u);
  EXPECT_EQ(table.Find(1), KeySlots::kNone);
  EXPECT_EQ(table.Find(2), KeySlots::kNone);
}

}  // namespace
}  // namespace trf
