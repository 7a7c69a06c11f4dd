// List definitions of an RTF document, and the bullets and numbers they give list paragraphs.
#include "widgets/rich_text_rtf_lists.h"

#include <algorithm>

namespace kw::rich_text {
namespace {

constexpr int32_t kUpperRoman = 1;
constexpr int32_t kLowerRoman = 2;
constexpr int32_t kUpperLetter = 3;
constexpr int32_t kLowerLetter = 4;
constexpr int32_t kBulletFormat = 23;
constexpr int32_t kNoNumber = 255;

bool IsAsciiAlnum(char32_t c) { return (c >= U'0' && c <= U'9') || ((c | 0x20) >= U'a' && (c | 0x20) <= U'z'); }

std::u32string Roman(int32_t n, bool upper) {
  static constexpr std::pair<int32_t, const char*> kDigits[] = {
      {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
      {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
  std::u32string out;
  for (const auto& [value, digits] : kDigits)
    for (; n >= value; n -= value)
      for (const char* d = digits; *d; ++d) out.push_back(static_cast<char32_t>(upper ? *d - 'a' + 'A' : *d));
  return out;
}

std::u32string Letters(int32_t n, bool upper) {
  std::u32string out;
  for (; n > 0; n = (n - 1) / 26) out.insert(out.begin(), static_cast<char32_t>((upper ? U'A' : U'a') + (n - 1) % 26));
  return out;
}

std::u32string Number(int32_t n, int32_t format) {
  switch (format) {
    case kUpperRoman:
    case kLowerRoman: return Roman(n, format == kUpperRoman);
    case kUpperLetter:
    case kLowerLetter: return Letters(n, format == kUpperLetter);
    default: {
      const std::string digits = std::to_string(n);
      return std::u32string(digits.begin(), digits.end());
    }
  }
}

}  // namespace

bool IsBulletMarker(std::u32string_view text) {
  std::u32string glyphs;
  for (char32_t c : text)
    if (c != U'\t' && c != U' ') glyphs.push_back(c);
  return glyphs.size() == 1 && (!IsAsciiAlnum(glyphs[0]) || glyphs[0] == U'o');
}

void ListTable::ListTableWord(std::string_view word, int32_t param) {
  if (word == "list") {
    lists_.emplace_back();
  } else if (lists_.empty()) {  // NOLINT(bugprone-branch-clone): a guard before each group of words
    return;
  } else if (word == "listid") {
    lists_.back().id = param;
  } else if (word == "listlevel") {
    lists_.back().levels.emplace_back();
  } else if (lists_.back().levels.empty()) {
    return;
  } else if (word == "levelnfc" || word == "levelnfcn") {
    lists_.back().levels.back().format = param;
  } else if (word == "levelstartat") {
    lists_.back().levels.back().start = param;
  }
}

void ListTable::OverrideTableWord(std::string_view word, int32_t param) {
  if (word == "listoverride") {
    overrides_.emplace_back();
  } else if (overrides_.empty()) {
    return;
  } else if (word == "listid") {
    overrides_.back().list_id = param;
  } else if (word == "ls") {
    overrides_.back().ls = param;
  }
}

const ListTable::Level* ListTable::FindLevel(int32_t ls, int32_t level) const {
  const auto override =
      std::find_if(overrides_.begin(), overrides_.end(), [&](const Override& o) { return o.ls == ls; });
  if (override == overrides_.end()) return nullptr;
  const auto list =
      std::find_if(lists_.begin(), lists_.end(), [&](const List& l) { return l.id == override->list_id; });
  if (list == lists_.end() || level < 0 || static_cast<size_t>(level) >= list->levels.size()) return nullptr;
  return &list->levels[static_cast<size_t>(level)];
}

ListMarker ListTable::Next(int32_t ls, int32_t level) {
  const Level* found = FindLevel(ls, level);
  if (!found || found->format == kBulletFormat) return ListMarker{true, {}};
  if (found->format == kNoNumber) return ListMarker{};
  numbers_.erase(numbers_.upper_bound({ls, level}), numbers_.lower_bound({ls + 1, 0}));
  const auto [at, first] = numbers_.try_emplace({ls, level}, found->start);
  if (!first) ++at->second;
  return ListMarker{false, Number(at->second, found->format) + U".\t"};
}

}  // namespace kw::rich_text
