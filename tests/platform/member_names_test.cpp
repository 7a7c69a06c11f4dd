// NameIndex: names of every length found without regard to case, by the short names' registers
// path and the folded path alike, against a plain map of lower-cased names.
#include "ui_shared/platform/member_names.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <random>
#include <string>

namespace kw {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A name of `size` letters, digits and underscores, in mixed case.
std::string RandomName(std::mt19937& random, size_t size) {
  static constexpr std::string_view kChars = "abcXYZ_019";
  std::string name;
  for (size_t i = 0; i < size; ++i) name += kChars[random() % kChars.size()];
  return name;
}

// Every name added is found under any spelling of its case, by FindName and by Find over its folded
// form, with its first value; names never added (of every length from 0 to 40, many sharing their
// first 32 bytes or their hash's low bits with one added) are not found.
TEST(NameIndexTest, FindsWhatAMapOfLowerCasedNamesHolds) {
  std::mt19937 random(42);
  NameIndex<int> index;
  std::map<std::string, int> model;
  for (int value = 0; value < 400; ++value) {
    const std::string name = RandomName(random, random() % 41);
    index.Add(name, value);
    model.try_emplace(Lower(name), value);  // the first value given for a name stays
  }
  for (int probe = 0; probe < 4000; ++probe) {
    std::string name = RandomName(random, random() % 41);
    if (probe % 2 == 0) {  // half of the probes ask for a name that was added, spelt otherwise
      auto it = model.begin();
      std::advance(it, static_cast<long>(random() % model.size()));
      name = it->first;
      for (char& c : name)
        if (random() % 2) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const auto expected = model.find(Lower(name));
    const int* by_name = index.FindName(name);
    const int* by_folded = index.Find(FoldedName(name));
    ASSERT_EQ(by_name, by_folded) << "the two lookups disagree on \"" << name << "\"";
    if (expected == model.end()) {
      EXPECT_EQ(by_name, nullptr) << "\"" << name << "\" was found, but never added";
    } else {
      ASSERT_NE(by_name, nullptr) << "\"" << name << "\" was added, but not found";
      EXPECT_EQ(*by_name, expected->second) << "\"" << name << "\"";
    }
  }
}

}  // namespace
}  // namespace kw
