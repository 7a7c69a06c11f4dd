// Code-point-aware text helpers.
#include "ui_shared/platform/text.h"

#include <cstdint>
#include <cstring>

namespace kw::text {
namespace {

// One character read at a byte offset: its code point (U+FFFD when ill-formed) and its bytes.
struct Decoded {
  char32_t code_point = kReplacementCharacter;
  size_t bytes = 1;
  bool well_formed = false;
};

// Reads the character at `at`: a well-formed sequence whole, otherwise its maximal subpart (the
// longest start of a well-formed sequence, at least one byte) as one U+FFFD.
Decoded DecodeAt(std::string_view s, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return {lead, 1, true};
  size_t extra = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return {};
  }
  char32_t c = lead & (0x3Fu >> extra);
  for (size_t k = 1; k <= extra; ++k) {
    const unsigned char next = at + k < s.size() ? byte(at + k) : 0;
    if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return {kReplacementCharacter, k, false};
    c = (c << 6) | (next & 0x3Fu);
  }
  return {c, extra + 1, true};
}

// Byte offset of the character with 0-based index `index`, or s.size() when beyond the end.
size_t ByteOffset(std::string_view s, size_t index) {
  size_t at = 0;
  for (size_t count = 0; at < s.size() && count < index; ++count) at += DecodeAt(s, at).bytes;
  return at;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::u32string DecodeUtf8(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (size_t at = 0; at < s.size();) {
    const Decoded d = DecodeAt(s, at);
    out.push_back(d.code_point);
    at += d.bytes;
  }
  return out;
}

bool IsValidUtf8(std::string_view s) {
  for (size_t at = 0; at < s.size();) {
    // Plain ASCII, the usual case: eight bytes at a time while none has its high bit set.
    if (uint64_t word = 0; s.size() - at >= sizeof word) {
      std::memcpy(&word, s.data() + at, sizeof word);
      if ((word & 0x8080808080808080ull) == 0) {
        at += sizeof word;
        continue;
      }
    }
    if (static_cast<unsigned char>(s[at]) < 0x80) {  // without decoding
      ++at;
      continue;
    }
    const Decoded d = DecodeAt(s, at);
    if (!d.well_formed) return false;
    at += d.bytes;
  }
  return true;
}

std::string ValidUtf8(std::string_view s) {
  if (IsValidUtf8(s)) return std::string(s);
  std::string out;
  out.reserve(s.size() + 8);
  for (char32_t c : DecodeUtf8(s)) AppendUtf8(c, out);
  return out;
}

char32_t ValidCodePoint(char32_t c) { return (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF ? kReplacementCharacter : c; }

void AppendUtf8(char32_t c, std::string& out) {
  c = ValidCodePoint(c);
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

size_t Len(std::string_view s) {
  size_t count = 0;
  for (size_t at = 0; at < s.size(); ++count) at += DecodeAt(s, at).bytes;
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
