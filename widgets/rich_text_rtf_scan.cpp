// RTF control words, and the look ahead for the Unicode twins of \upr groups.
#include "widgets/rich_text_rtf_scan.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <vector>

namespace kw::rich_text {
namespace {

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

int32_t ParseParam(std::string_view text) {
  int64_t value = 0;
  const bool negative = text.front() == '-';
  // A system colour reference takes 31 bits, so a parameter keeps all of 32.
  for (char c : text.substr(negative ? 1 : 0))
    value = std::min<int64_t>(value * 10 + (c - '0'), std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(negative ? -value : value);
}

// The word that opens the group whose text starts at `pos` ("\upr", "\*\ud"), read past; empty
// when the group starts otherwise.
std::string_view OpeningWord(std::string_view rtf, size_t& pos) {
  if (rtf.substr(pos, 2) == "\\*") pos += 2;
  if (pos + 1 >= rtf.size() || rtf[pos] != '\\' || !IsLetter(rtf[pos + 1])) return {};
  ++pos;
  return ReadControlWord(rtf, pos).word;
}

}  // namespace

ControlWord ReadControlWord(std::string_view rtf, size_t& pos) {
  const size_t start = pos;
  while (pos < rtf.size() && IsLetter(rtf[pos])) ++pos;
  ControlWord control{rtf.substr(start, pos - start)};
  const size_t digits = pos;
  if (pos < rtf.size() && rtf[pos] == '-') ++pos;
  while (pos < rtf.size() && IsDigit(rtf[pos])) ++pos;
  control.has_param = pos > digits && rtf[pos - 1] != '-';
  if (control.has_param) control.param = ParseParam(rtf.substr(digits, pos - digits));
  if (pos < rtf.size() && rtf[pos] == ' ') ++pos;
  // \bin's count says how many bytes of data follow; without a count there are none.
  if (control.word == "bin" && control.has_param)
    pos += std::min(static_cast<size_t>(std::max(control.param, 0)), rtf.size() - pos);
  return control;
}

std::unordered_map<size_t, size_t> FindUnicodeTwins(std::string_view rtf) {
  std::unordered_map<size_t, size_t> twins;
  if (rtf.find("\\upr") == std::string_view::npos) return twins;
  constexpr size_t kNoUpr = std::string_view::npos;
  std::vector<size_t> open_groups;  // for each, where it opens if it is a \upr group
  size_t pos = 0;
  while (pos < rtf.size()) {
    const char c = rtf[pos++];
    if (c == '{') {
      const size_t brace = pos - 1;
      const std::string_view word = OpeningWord(rtf, pos);
      if (word == "ud" && !open_groups.empty() && open_groups.back() != kNoUpr)
        twins.try_emplace(open_groups.back(), brace);
      open_groups.push_back(word == "upr" ? brace : kNoUpr);
    } else if (c == '}') {
      if (!open_groups.empty()) open_groups.pop_back();
    } else if (c == '\\' && pos < rtf.size()) {
      if (IsLetter(rtf[pos])) {
        ReadControlWord(rtf, pos);
      } else {
        ++pos;  // an escaped brace or backslash, or a symbol
      }
    }
  }
  return twins;
}

}  // namespace kw::rich_text
