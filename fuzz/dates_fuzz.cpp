// Fuzzes date recognition and display: a recognised text shows as a text that is recognised as
// the same date, and any serial either shows or overflows (6) without undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "ui_shared/platform/dates.h"

using kw::fuzz::Allowing;
using kw::fuzz::Require;
namespace dates = kw::dates;

namespace {

// The shown text of `serial` is recognised as the serial rounded to whole seconds.
void RequireShownDateRecognised(double serial) {
  const auto shown = Allowing({kw::err::kOverflow}, [&] { return dates::ToText(serial); });
  if (!shown) return;
  const auto again = dates::Recognize(*shown);
  Require(again.has_value(), "the shown date \"" + *shown + "\" is recognised");
  Require(dates::ToText(*again) == *shown, "\"" + *shown + "\" is recognised as the same date");
  (void)dates::FormatMmmDdYyyy(serial, dates::EnglishMonthAbbreviations());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto serial = dates::Recognize(text)) {
    const auto shown = dates::ToText(*serial);
    Require(dates::Recognize(shown) == serial,
            "\"" + std::string(text) + "\" shows as \"" + shown + "\", the same date");
  }
  if (size >= sizeof(double)) {
    double serial = 0;
    std::memcpy(&serial, data, sizeof serial);
    RequireShownDateRecognised(serial);
  }
  return 0;
}
