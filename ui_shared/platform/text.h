// Text rules of the runtime over UTF-8: lengths and positions count code points, so that no
// character is ever cut in half; positions are 1-based and a text not found is position 0;
// trimming removes the space character only.
#pragma once

#include <string>
#include <string_view>

namespace kw::text {

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
// Removes U+0020 at both ends, at the left, or at the right; tabs and other blanks stay.
std::string Trim(std::string_view s);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
// ASCII letters to lower / upper case; other characters unchanged.
std::string Lower(std::string_view s);
std::string Upper(std::string_view s);
// Case-insensitive equality over ASCII letters (member names, combo-box searches).
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace kw::text
