// rich_text::CodePages: the bytes of the Windows code pages that RTF escapes (\'hh) stand for, read
// as characters through the C library's iconv, and the code page an RTF font character set means.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <unordered_map>

namespace kw::rich_text {

// The code page RTF assumes when a document names none (\ansi).
inline constexpr int kDefaultCodePage = 1252;
// Stands for a symbol font's bytes (\fcharset2): read as the default code page, but for the bullet.
inline constexpr int kSymbolCodePage = 42;

// The code page of an RTF font character set (\fcharsetN); `ansi` for the default set and for
// sets it does not know.
int CodePageOfCharset(int charset, int ansi);

// Converters from code-page bytes to characters, opened on first use and closed with the object.
// A code page iconv does not know reads as the default one.
class CodePages {
 public:
  CodePages() = default;
  ~CodePages();
  CodePages(const CodePages&) = delete;
  CodePages& operator=(const CodePages&) = delete;

  // Whether `byte` starts a two-byte character in `code_page` (only the double-byte pages have such).
  static bool IsLeadByte(int code_page, unsigned char byte);
  // The character of one byte, or of a lead byte and its trail byte; U+FFFD when there is none.
  // Each reads on its own, as RTF gives it: a combining mark (Hebrew points, Vietnamese tones)
  // stays a character of its own after its letter, the same text as the writer's \uN escapes
  // give, and never the presentation forms that joining Hebrew letters and points makes.
  char32_t Decode(int code_page, unsigned char byte);
  char32_t Decode(int code_page, unsigned char lead, unsigned char trail);
  // The byte that stands for `c` in a single-byte `code_page`, if it has one.
  std::optional<unsigned char> Encode(int code_page, char32_t c);

 private:
  // One open converter and the single bytes (0 = not yet asked) and byte pairs it has decoded.
  struct Converter {
    void* handle = nullptr;
    std::array<char32_t, 256> bytes{};
    std::unordered_map<uint16_t, char32_t> pairs;
  };
  Converter& Open(int code_page);
  static char32_t Convert(Converter& converter, const char* bytes, size_t count);

  std::map<int, Converter> converters_;
};

}  // namespace kw::rich_text
