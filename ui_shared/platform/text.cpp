// Code-point-aware text helpers.
#include "ui_shared/platform/text.h"

namespace kw::text {
namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Byte offset of the character with 0-based index `index`, or s.size() when beyond the end.
size_t ByteOffset(std::string_view s, size_t index) {
  size_t count = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsContinuation(static_cast<unsigned char>(s[i]))) continue;
    if (count == index) return i;
    ++count;
  }
  return s.size();
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

size_t Len(std::string_view s) {
  size_t count = 0;
  for (char c : s)
    if (!IsContinuation(static_cast<unsigned char>(c))) ++count;
  return count;
}

std::string Left(std::string_view s, size_t n) { return std::string(s.substr(0, ByteOffset(s, n))); }

std::string Right(std::string_view s, size_t n) {
  const size_t len = Len(s);
  return n >= len ? std::string(s) : std::string(s.substr(ByteOffset(s, len - n)));
}

std::string Mid(std::string_view s, size_t start) {
  if (start == 0) start = 1;
  return std::string(s.substr(ByteOffset(s, start - 1)));
}

std::string Mid(std::string_view s, size_t start, size_t n) { return Left(Mid(s, start), n); }

size_t InStr(std::string_view haystack, std::string_view needle) {
  const size_t at = haystack.find(needle);
  if (at == std::string_view::npos) return 0;
  return Len(haystack.substr(0, at)) + 1;
}

std::string LTrim(std::string_view s) {
  const size_t b = s.find_first_not_of(' ');
  return b == std::string_view::npos ? std::string() : std::string(s.substr(b));
}

std::string RTrim(std::string_view s) {
  const size_t e = s.find_last_not_of(' ');
  return e == std::string_view::npos ? std::string() : std::string(s.substr(0, e + 1));
}

std::string Trim(std::string_view s) { return LTrim(RTrim(s)); }

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = UpperAscii(c);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

}  // namespace kw::text
