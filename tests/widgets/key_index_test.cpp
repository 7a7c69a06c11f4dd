// The key index of list and tree controls against a plain model: growth, removals, duplicates, clearing.
#include "widgets/key_index.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "widgets/list_items.h"

namespace kw::widgets {
namespace {

// Every entry is found under its key while listed, and no other key finds anything.
void ExpectListed(const KeyIndex& index, const std::vector<std::shared_ptr<ListItem>>& entries,
                  const std::vector<bool>& listed) {
  for (size_t i = 0; i < entries.size(); ++i)
    EXPECT_EQ(index.Find(entries[i]->Key()), listed[i] ? entries[i].get() : nullptr) << entries[i]->Key();
  EXPECT_EQ(index.Find("K-unknown"), nullptr);
}

TEST(KeyIndex, FindsWhatIsListedThroughGrowthRemovalAndClearing) {
  std::vector<std::shared_ptr<ListItem>> entries;
  entries.reserve(300);
  for (int i = 0; i < 300; ++i) entries.push_back(std::make_shared<ListItem>("K" + std::to_string(i), "", Variant()));
  KeyIndex index;
  std::vector<bool> listed(entries.size(), true);
  for (const auto& entry : entries) EXPECT_TRUE(index.Insert(*entry));
  ListItem twin("K7", "", Variant());
  EXPECT_FALSE(index.Insert(twin));
  ExpectListed(index, entries, listed);

  // Removing every third key, then every fifth of the rest, leaves each run of the table searchable.
  for (const size_t step : {3, 5}) {
    for (size_t i = 0; i < entries.size(); i += step) {
      index.Erase(entries[i]->Key());
      listed[i] = false;
    }
    ExpectListed(index, entries, listed);
  }
  index.Erase("K-unknown");
  EXPECT_TRUE(index.Insert(*entries[0]));
  listed[0] = true;
  ExpectListed(index, entries, listed);

  index.Clear();
  ExpectListed(index, entries, std::vector<bool>(entries.size(), false));
  EXPECT_TRUE(index.Insert(*entries[7]));
  EXPECT_EQ(index.Find("K7"), entries[7].get());
}

}  // namespace
}  // namespace kw::widgets
