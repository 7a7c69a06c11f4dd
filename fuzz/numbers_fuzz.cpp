// Fuzzes the lenient number reader and the whole-text reader: any text reads without a fault, and a
// number the runtime writes reads back as the same number.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "ui_shared/platform/numbers.h"

using kw::fuzz::Allowing;
using kw::fuzz::Require;

namespace {

// The runtime's text of `value` reads back, leniently and whole, as a number with that same text;
// only the largest doubles, whose 15 digits round beyond the range, overflow (6) instead.
void RequireTextRoundTrip(double value) {
  const std::string written = kw::FormatDouble(value);
  if (std::fabs(value) > 1.797693134862315e308) {
    Require(written.ends_with("1.79769313486232E+308"), "the largest doubles round up: " + written);
    return;
  }
  const auto whole = Allowing({kw::err::kOverflow}, [&] { return kw::ParseWholeNumber(written); });
  Require(whole.has_value() && whole->has_value(), "the text of a double is a number: " + written);
  Require(kw::FormatDouble(**whole) == written, "a written double reads back: " + written);
  Require(kw::FormatDouble(kw::ReadLeadingNumber(written)) == written, "leniently too: " + written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto lenient = Allowing({kw::err::kOverflow}, [&] { return kw::ReadLeadingNumber(text); })) {
    RequireTextRoundTrip(*lenient);
    (void)Allowing({kw::err::kOverflow}, [&] { return kw::ToInt32(*lenient); });
  }
  if (const auto whole = Allowing({kw::err::kOverflow}, [&] { return kw::ParseWholeNumber(text); }); whole && *whole)
    RequireTextRoundTrip(**whole);
  return 0;
}
