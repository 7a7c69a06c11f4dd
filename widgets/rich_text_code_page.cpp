// Code-page bytes as characters through iconv, and RTF font character sets as code pages.
#include "widgets/rich_text_code_page.h"

#include <iconv.h>

#include <string>
#include <utility>

namespace kw::rich_text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kBullet = 0x2022;
constexpr unsigned char kSymbolBullet = 0xB7;

iconv_t Handle(void* handle) { return static_cast<iconv_t>(handle); }

// What iconv_open answers when it cannot convert.
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr): iconv's own value

// The name iconv knows a Windows code page by.
std::string IconvName(int code_page) {
  switch (code_page) {
    case 10000: return "MACINTOSH";
    case 1361: return "JOHAB";
    default: return "CP" + std::to_string(code_page);
  }
}

}  // namespace

int CodePageOfCharset(int charset, int ansi) {
  static constexpr std::pair<int, int> kCharsets[] = {
      {0, 1252},   {2, kSymbolCodePage}, {77, 10000}, {128, 932},  {129, 949},  {130, 1361},
      {134, 936},  {136, 950},           {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255},
      {178, 1256}, {186, 1257},          {204, 1251}, {222, 874},  {238, 1250}, {255, 437}};
  for (const auto& [set, code_page] : kCharsets)
    if (set == charset) return code_page;
  return ansi;
}

CodePages::~CodePages() {
  for (auto& [code_page, converter] : converters_)
    if (converter.handle) iconv_close(Handle(converter.handle));
}

bool CodePages::IsLeadByte(int code_page, unsigned char byte) {
  switch (code_page) {
    case 932: return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950: return byte >= 0x81 && byte <= 0xFE;
    case 1361:
      return (byte >= 0x84 && byte <= 0xD3) || (byte >= 0xD8 && byte <= 0xDE) || (byte >= 0xE0 && byte <= 0xF9);
    default: return false;
  }
}

CodePages::Converter& CodePages::Open(int code_page) {
  const auto found = converters_.find(code_page);
  if (found != converters_.end()) return found->second;
  Converter& converter = converters_[code_page];
  const int opened = code_page == kSymbolCodePage ? kDefaultCodePage : code_page;
  iconv_t handle = iconv_open("UTF-32LE", IconvName(opened).c_str());
  if (handle == kNoConverter) handle = iconv_open("UTF-32LE", IconvName(kDefaultCodePage).c_str());
  if (handle != kNoConverter) converter.handle = handle;
  return converter;
}

char32_t CodePages::Convert(Converter& converter, const char* bytes, size_t count) {
  if (!converter.handle) return kReplacement;
  const iconv_t handle = Handle(converter.handle);
  iconv(handle, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(bytes);
  size_t in_left = count;
  unsigned char out[8] = {};
  auto* out_at = reinterpret_cast<char*>(out);
  size_t out_left = sizeof out;
  constexpr auto kFailed = static_cast<size_t>(-1);
  // Converters that compose (1255 and 1258 among them) hold a letter back until they see whether
  // combining marks follow, and give it out only when flushed.
  if (iconv(handle, &in, &in_left, &out_at, &out_left) == kFailed || in_left != 0 ||
      iconv(handle, nullptr, nullptr, &out_at, &out_left) == kFailed || out_left != sizeof out - 4)
    return kReplacement;
  char32_t c = 0;
  for (int k = 3; k >= 0; --k) c = (c << 8) | out[k];
  return c;
}

char32_t CodePages::Decode(int code_page, unsigned char byte) {
  if (code_page == kSymbolCodePage && byte == kSymbolBullet) return kBullet;
  if (byte < 0x80) return byte;
  Converter& converter = Open(code_page);
  char32_t& known = converter.bytes[byte];
  if (known == 0) {
    const char single = static_cast<char>(byte);
    known = Convert(converter, &single, 1);
  }
  return known;
}

char32_t CodePages::Decode(int code_page, unsigned char lead, unsigned char trail) {
  Converter& converter = Open(code_page);
  const auto [known, first] = converter.pairs.try_emplace(static_cast<uint16_t>(lead << 8 | trail), 0);
  if (first) {
    const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    known->second = Convert(converter, pair, 2);
  }
  return known->second;
}

std::optional<unsigned char> CodePages::Encode(int code_page, char32_t c) {
  if (c < 0x80) return static_cast<unsigned char>(c);
  if (c == kReplacement) return std::nullopt;
  for (unsigned byte = 0x80; byte <= 0xFF; ++byte)
    if (Decode(code_page, static_cast<unsigned char>(byte)) == c) return static_cast<unsigned char>(byte);
  return std::nullopt;
}

}  // namespace kw::rich_text
