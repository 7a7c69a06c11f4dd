// Fuzzes Variant's conversions from text to every kind and back to text: each conversion either
// succeeds or raises overflow (6) or type mismatch (13), and a converted value written as text
// converts back to itself.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "ui_shared/platform/variant.h"

using kw::Variant;
using kw::fuzz::Allowing;
using kw::fuzz::Require;

namespace {

const std::initializer_list<int32_t> kConversionErrors = {kw::err::kOverflow, kw::err::kTypeMismatch};

// Converts `text` with `convert`; when it succeeds, the value rebuilt by `make` and written as text
// converts back to the same value.
template <class Convert, class Make>
void RequireRoundTrip(const std::string& text, const char* kind, Convert convert, Make make) {
  const auto value = Allowing(kConversionErrors, [&] { return convert(Variant::Text(text)); });
  if (!value) return;
  const std::string written = make(*value).ToText();
  const auto again = Allowing(kConversionErrors, [&] { return convert(Variant::Text(written)); });
  Require(again.has_value(), std::string(kind) + " written as \"" + written + "\" converts back");
  Require(make(*again).ToText() == written, std::string(kind) + " \"" + written + "\" reads back unchanged");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  RequireRoundTrip(
      text, "Integer", [](const Variant& v) { return v.ToInteger(); }, &Variant::Integer);
  RequireRoundTrip(
      text, "Long", [](const Variant& v) { return v.ToLong(); }, &Variant::Long);
  RequireRoundTrip(
      text, "Byte", [](const Variant& v) { return v.ToByte(); }, &Variant::Byte);
  RequireRoundTrip(
      text, "Single", [](const Variant& v) { return v.ToSingle(); }, &Variant::Single);
  RequireRoundTrip(
      text, "Double", [](const Variant& v) { return v.ToDouble(); }, &Variant::Double);
  RequireRoundTrip(
      text, "Currency", [](const Variant& v) { return v.ToCurrency(); }, &Variant::Currency);
  RequireRoundTrip(
      text, "Date", [](const Variant& v) { return v.ToDate(); }, &Variant::Date);
  RequireRoundTrip(
      text, "Boolean", [](const Variant& v) { return v.ToBoolean(); }, &Variant::Boolean);
  const Variant original = Variant::Text(text);
  Require(original.ToText() == text, "text converts to itself");
  (void)kw::StrOf(original);
  return 0;
}
