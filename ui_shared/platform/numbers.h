// The runtime's number rules in one place: the lenient reader used for tags, dialog answers and
// TRF types; strict reading of a whole text; halves-to-even rounding with range checks; and the
// runtime's decimal rendering of doubles and singles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kw {

// Reads the leading number of `text` leniently: blanks, tabs and line feeds are skipped wherever
// they stand; then a sign, digits, a fraction after ".", an exponent ("E" or "D"); reading stops at
// the first character that cannot continue the number. No number reads as 0. Overflow raises 6.
double ReadLeadingNumber(std::string_view text);

// Reads `text` as a number as a whole, blanks allowed around it; nullopt when it is no number.
// A value too large for a double raises 6.
std::optional<double> ParseWholeNumber(std::string_view text);

// Rounds half to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double value);

// A 16-bit whole number: rounded half to even, then checked: 6 outside -32768 to 32767 (NaN and
// infinities too).
int16_t ToInt16(double value);
// A 32-bit whole number: rounded half to even, then checked: 6 outside its range (NaN and
// infinities too).
int32_t ToInt32(double value);
// A byte: rounded half to even, then checked: 6 outside 0 to 255 (NaN and infinities too).
uint8_t ToUInt8(double value);

// The number the lenient reader finds at the start of `text`, rounded to a 16-bit whole number (6
// when outside).
int16_t LeadingInt16(std::string_view text);
// The number the lenient reader finds at the start of `text`, rounded to a 32-bit whole number (6
// when outside).
int32_t LeadingInt32(std::string_view text);

// A double as the runtime writes it: at most 15 significant digits, exponent form ("1E+15",
// "8.33333333333333E-02") for large numbers or small ones that would need more than 15 digits
// after the point; negative zero prints "0".
std::string FormatDouble(double value);
// A single as the runtime writes it: at most 7 significant digits, exponent form as for a double.
std::string FormatSingle(float value);

}  // namespace kw
