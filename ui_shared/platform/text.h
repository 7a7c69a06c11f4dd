// Text rules of the runtime over UTF-8: lengths and positions count code points, so that no
// character is ever cut in half; positions are 1-based and a text not found is position 0;
// trimming removes the space character only.
//
// Bytes that are not UTF-8: wherever text enters from outside (what is typed into the rich-text
// box, RTF \u values, text read from the database) each ill-formed sequence is replaced by one
// U+FFFD per maximal subpart (a stray continuation byte, a cut-short sequence, an overlong form, a
// surrogate or a value above U+10FFFF), so that what is saved is what is read back. The character
// functions below count such a subpart as one character, the same way, so that positions found
// in unchecked text cut it where a later replacement would. The number readers need no rule:
// a byte above 0x7F is never part of a number.
#pragma once

#include <string>
#include <string_view>

namespace kw::text {

// The character that stands for an ill-formed sequence (U+FFFD).
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The text with each ill-formed sequence replaced by U+FFFD; valid UTF-8 comes back unchanged.
std::string ValidUtf8(std::string_view s);
// Whether `s` is well-formed UTF-8.
bool IsValidUtf8(std::string_view s);
// The code points of `s`, each ill-formed sequence read as U+FFFD.
std::u32string DecodeUtf8(std::string_view s);
// `c` itself when it is a Unicode scalar value; U+FFFD for a surrogate or a value above U+10FFFF.
char32_t ValidCodePoint(char32_t c);
// Appends the UTF-8 form of ValidCodePoint(c) to `out`.
void AppendUtf8(char32_t c, std::string& out);

// Number of characters (code points).
size_t Len(std::string_view s);
// The first `n` characters (all of them when there are fewer).
std::string Left(std::string_view s, size_t n);
// The last `n` characters.
std::string Right(std::string_view s, size_t n);
// From 1-based character `start` to the end ("" beyond the end).
std::string Mid(std::string_view s, size_t start);
// `n` characters from 1-based character `start`.
std::string Mid(std::string_view s, size_t start, size_t n);
// 1-based character position of the first `needle` (exact comparison); 0 when absent.
size_t InStr(std::string_view haystack, std::string_view needle);
// Removes U+0020 at both ends; tabs, line ends and other blanks stay.
std::string Trim(std::string_view s);
// Removes U+0020 at the left.
std::string LTrim(std::string_view s);
// Removes U+0020 at the right.
std::string RTrim(std::string_view s);
// ASCII letters to lower case; other characters unchanged.
std::string Lower(std::string_view s);
// ASCII letters to upper case; other characters unchanged.
std::string Upper(std::string_view s);
// Case-insensitive equality over ASCII letters (member names, combo-box searches).
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace kw::text
