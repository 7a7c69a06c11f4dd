// Lenient and strict number reading, rounding and decimal rendering.
#include "ui_shared/platform/numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ui_shared/platform/error.h"

namespace kw {
namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Converts the canonical number text built by the readers; 6 when it exceeds a double.
double ConvertCanonical(const std::string& canonical) {
  if (canonical.empty()) return 0.0;
  errno = 0;
  char* end = nullptr;
  const double value = std::strtod(canonical.c_str(), &end);
  if (errno == ERANGE && std::isinf(value)) Raise(err::kOverflow);
  return value;
}

// Scans a number from the filtered characters: sign, digits, fraction, exponent. Returns the
// canonical text (possibly empty) and the count of characters consumed.
struct Scan {
  std::string canonical;
  size_t consumed = 0;
  bool any_digit = false;
};

Scan ScanNumber(const std::string& s) {
  Scan out;
  size_t i = 0;
  std::string text;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) text += s[i++];
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) text += s[i++], ++digits;
  if (i < s.size() && s[i] == '.') {
    size_t j = i + 1;
    std::string frac;
    while (j < s.size() && IsDigit(s[j])) frac += s[j++];
    if (digits > 0 || !frac.empty()) {
      text += '.';
      text += frac;
      digits += frac.size();
      i = j;
    }
  }
  if (digits == 0) return out;
  out.any_digit = true;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    size_t j = i + 1;
    std::string exp = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exp += s[j++];
    size_t exp_digits = 0;
    while (j < s.size() && IsDigit(s[j])) exp += s[j++], ++exp_digits;
    if (exp_digits > 0) {
      text += exp;
      i = j;
    }
  }
  out.canonical = text;
  out.consumed = i;
  return out;
}

std::string FormatWithDigits(double value, int digits) {
  if (value == 0.0 || std::isnan(value)) return std::isnan(value) ? "NaN" : "0";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
  // buf: [-]d.ddddde[+-]xx
  std::string s(buf);
  const size_t epos = s.find('e');
  std::string mantissa = s.substr(0, epos);
  const int exponent = std::atoi(s.c_str() + epos + 1);
  const bool negative = mantissa[0] == '-';
  if (negative) mantissa.erase(0, 1);
  std::string sig;
  for (char c : mantissa)
    if (c != '.') sig += c;
  while (sig.size() > 1 && sig.back() == '0') sig.pop_back();
  const int nsig = static_cast<int>(sig.size());
  std::string result;
  const bool exponent_form = exponent >= digits || (exponent < 0 && (nsig - 1 - exponent) > digits);
  if (exponent_form) {
    result = sig.substr(0, 1);
    if (nsig > 1) result += "." + sig.substr(1);
    char ebuf[16];
    std::snprintf(ebuf, sizeof ebuf, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    result += ebuf;
  } else if (exponent < 0) {
    result = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + sig;
  } else {
    const size_t int_len = static_cast<size_t>(exponent) + 1;
    if (sig.size() <= int_len) {
      result = sig + std::string(int_len - sig.size(), '0');
    } else {
      result = sig.substr(0, int_len) + "." + sig.substr(int_len);
    }
  }
  return negative ? "-" + result : result;
}

}  // namespace

double ReadLeadingNumber(std::string_view text) {
  std::string filtered;
  filtered.reserve(text.size());
  for (char c : text)
    if (!IsSkipped(c)) filtered += c;
  return ConvertCanonical(ScanNumber(filtered).canonical);
}

std::optional<double> ParseWholeNumber(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  const std::string inner(text.substr(b, e - b));
  const Scan scan = ScanNumber(inner);
  if (!scan.any_digit || scan.consumed != inner.size()) return std::nullopt;
  return ConvertCanonical(scan.canonical);
}

double RoundHalfEven(double value) { return std::nearbyint(value); }

int16_t ToInt16(double value) {
  const double r = RoundHalfEven(value);
  if (!(r >= -32768.0 && r <= 32767.0)) Raise(err::kOverflow);
  return static_cast<int16_t>(r);
}

int32_t ToInt32(double value) {
  const double r = RoundHalfEven(value);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) Raise(err::kOverflow);
  return static_cast<int32_t>(r);
}

uint8_t ToUInt8(double value) {
  const double r = RoundHalfEven(value);
  if (!(r >= 0.0 && r <= 255.0)) Raise(err::kOverflow);
  return static_cast<uint8_t>(r);
}

int16_t LeadingInt16(std::string_view text) { return ToInt16(ReadLeadingNumber(text)); }
int32_t LeadingInt32(std::string_view text) { return ToInt32(ReadLeadingNumber(text)); }

std::string FormatDouble(double value) { return FormatWithDigits(value, 15); }
std::string FormatSingle(float value) { return FormatWithDigits(static_cast<double>(value), 7); }

}  // namespace kw
