// Variant construction, kind inquiry and the runtime's conversions.
#include "ui_shared/platform/variant.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>

#include "ui_shared/platform/dates.h"
#include "ui_shared/platform/error.h"
#include "ui_shared/platform/numbers.h"
#include "ui_shared/platform/object.h"
#include "ui_shared/platform/text.h"

namespace kw {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

std::string FormatCurrency(CurrencyValue c) {
  const bool negative = c.scaled < 0;
  const unsigned long long magnitude =
      negative ? 0ull - static_cast<unsigned long long>(c.scaled) : static_cast<unsigned long long>(c.scaled);
  std::string out = std::to_string(magnitude / 10000);
  unsigned long long frac = magnitude % 10000;
  if (frac != 0) {
    std::string digits = std::to_string(frac);
    digits.insert(0, 4 - digits.size(), '0');
    while (digits.back() == '0') digits.pop_back();
    out += "." + digits;
  }
  return negative ? "-" + out : out;
}

std::string FormatDecimal(DecimalValue d) {
  if (d.scale == 0) return std::to_string(d.mantissa);
  const bool negative = d.mantissa < 0;
  const unsigned long long magnitude =
      negative ? 0ull - static_cast<unsigned long long>(d.mantissa) : static_cast<unsigned long long>(d.mantissa);
  std::string digits = std::to_string(magnitude);
  if (digits.size() <= d.scale) digits.insert(0, d.scale - digits.size() + 1, '0');
  std::string out = digits.substr(0, digits.size() - d.scale) + "." + digits.substr(digits.size() - d.scale);
  while (out.back() == '0') out.pop_back();
  if (out.back() == '.') out.pop_back();
  return negative ? "-" + out : out;
}

// A text read as a number for an arithmetic conversion: the whole text must be a number
// (blanks around allowed), or "True"/"False"; 13 otherwise.
double NumberOfText(const std::string& s) {
  if (auto n = ParseWholeNumber(s)) return *n;
  const std::string t = text::Trim(s);
  if (text::EqualsNoCase(t, "True")) return -1.0;
  if (text::EqualsNoCase(t, "False")) return 0.0;
  Raise(err::kTypeMismatch);
}

}  // namespace

double DecimalValue::ToDouble() const {
  return static_cast<double>(mantissa) / std::pow(10.0, static_cast<double>(scale));
}

Variant Variant::Null() { return Variant(NullTag{}); }
Variant Variant::Byte(uint8_t v) { return Variant(v); }
Variant Variant::Single(float v) { return Variant(v); }
Variant Variant::Currency(CurrencyValue v) { return Variant(v); }
Variant Variant::Date(double serial) { return Variant(DateTag{dates::CheckedSerial(serial)}); }
Variant Variant::Object(ObjectPtr v) { return Variant(std::move(v)); }
Variant Variant::Array(ArrayPtr v) { return Variant(std::move(v)); }
Variant Variant::Decimal(DecimalValue v) { return Variant(v); }

VarType Variant::Type() const {
  return std::visit(Overloaded{
                        [](EmptyTag) { return VarType::Empty; },
                        [](NullTag) { return VarType::Null; },
                        [](int16_t) { return VarType::Integer; },
                        [](int32_t) { return VarType::Long; },
                        [](uint8_t) { return VarType::Byte; },
                        [](float) { return VarType::Single; },
                        [](double) { return VarType::Double; },
                        [](CurrencyValue) { return VarType::Currency; },
                        [](DateTag) { return VarType::Date; },
                        [](const std::string&) { return VarType::String; },
                        [](bool) { return VarType::Boolean; },
                        [](const ObjectPtr&) { return VarType::Object; },
                        [](const ArrayPtr&) { return VarType::Array; },
                        [](DecimalValue) { return VarType::Decimal; },
                    },
                    value_);
}

double Variant::ToDouble() const {
  return std::visit(Overloaded{
                        [](EmptyTag) { return 0.0; },
                        [](NullTag) -> double { Raise(err::kInvalidNull); },
                        [](int16_t v) { return static_cast<double>(v); },
                        [](int32_t v) { return static_cast<double>(v); },
                        [](uint8_t v) { return static_cast<double>(v); },
                        [](float v) { return static_cast<double>(v); },
                        [](double v) { return v; },
                        [](CurrencyValue v) { return static_cast<double>(v.scaled) / 10000.0; },
                        [](DateTag v) { return v.serial; },
                        [](const std::string& v) { return NumberOfText(v); },
                        [](bool v) { return v ? -1.0 : 0.0; },
                        [](const ObjectPtr& v) -> double {
                          if (!v) Raise(err::kObjectNotSet);
                          return v->DefaultValue().ToDouble();
                        },
                        [](const ArrayPtr&) -> double { Raise(err::kTypeMismatch); },
                        [](DecimalValue v) { return v.ToDouble(); },
                    },
                    value_);
}

int16_t Variant::ToInteger() const {
  if (const auto* i = std::get_if<int16_t>(&value_)) return *i;  // a button's value, an index: no rounding to do
  return ToInt16(ToDouble());
}
int32_t Variant::ToLong() const { return ToInt32(ToDouble()); }
uint8_t Variant::ToByte() const { return ToUInt8(ToDouble()); }

float Variant::ToSingle() const {
  const double d = ToDouble();
  if (std::isfinite(d) && std::fabs(d) > 3.402823466e38) Raise(err::kOverflow);
  return static_cast<float>(d);
}

CurrencyValue Variant::ToCurrency() const {
  if (const auto* c = std::get_if<CurrencyValue>(&value_)) return *c;
  const double scaled = RoundHalfEven(ToDouble() * 10000.0);
  if (!(scaled >= -9.2233720368547758e18 && scaled < 9.2233720368547758e18)) Raise(err::kOverflow);
  return CurrencyValue{static_cast<int64_t>(scaled)};
}

double Variant::ToDate() const {
  if (const auto* s = std::get_if<std::string>(&value_)) {
    if (auto d = dates::Recognize(*s)) return *d;
    if (auto n = ParseWholeNumber(*s)) return dates::CheckedSerial(*n);
    Raise(err::kTypeMismatch);
  }
  return dates::CheckedSerial(ToDouble());
}

std::string Variant::ToText() const {
  return std::visit(Overloaded{
                        [](EmptyTag) { return std::string(); },
                        [](NullTag) -> std::string { Raise(err::kInvalidNull); },
                        [](int16_t v) { return std::to_string(v); },
                        [](int32_t v) { return std::to_string(v); },
                        [](uint8_t v) { return std::to_string(v); },
                        [](float v) { return FormatSingle(v); },
                        [](double v) { return FormatDouble(v); },
                        [](CurrencyValue v) { return FormatCurrency(v); },
                        [](DateTag v) { return dates::ToText(v.serial); },
                        [](const std::string& v) { return v; },
                        [](bool v) { return std::string(v ? "True" : "False"); },
                        [](const ObjectPtr& v) -> std::string {
                          if (!v) Raise(err::kObjectNotSet);
                          return v->DefaultValue().ToText();
                        },
                        [](const ArrayPtr&) -> std::string { Raise(err::kTypeMismatch); },
                        [](DecimalValue v) { return FormatDecimal(v); },
                    },
                    value_);
}

bool Variant::ToBoolean() const {
  if (const auto* b = std::get_if<bool>(&value_)) return *b;
  return ToDouble() != 0.0;
}

ObjectPtr Variant::ToObject() const {
  if (const auto* o = std::get_if<ObjectPtr>(&value_)) return *o;
  Raise(err::kObjectRequired);
}

void Variant::RaiseTypeMismatch() { Raise(err::kTypeMismatch); }

void Variant::AppendText(std::string& out) const {
  if (const auto* whole = std::get_if<int32_t>(&value_)) {
    std::array<char, std::numeric_limits<int32_t>::digits10 + 2> digits{};
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), *whole);
    out.append(digits.data(), static_cast<size_t>(written.ptr - digits.data()));
  } else if (const auto* text = std::get_if<std::string>(&value_)) {
    out += *text;
  } else {
    out += ToText();
  }
}

const ObjectPtr& Variant::GetObject() const {
  if (const auto* o = std::get_if<ObjectPtr>(&value_)) return *o;
  Raise(err::kTypeMismatch);
}

const ArrayPtr& Variant::GetArray() const {
  if (const auto* a = std::get_if<ArrayPtr>(&value_)) return *a;
  Raise(err::kTypeMismatch);
}

bool Variant::GetBoolean() const {
  if (const auto* b = std::get_if<bool>(&value_)) return *b;
  Raise(err::kTypeMismatch);
}

bool VariantEquals(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return false;
  if (a.IsObject() && b.IsObject()) return a.GetObject() == b.GetObject();
  if (a.IsArray() || b.IsArray()) return false;
  const bool a_text = a.IsText(), b_text = b.IsText();
  if (a_text && b_text) return a.GetText() == b.GetText();
  if (a.IsEmpty() && b_text) return b.GetText().empty();
  if (b.IsEmpty() && a_text) return a.GetText().empty();
  if (a_text || b_text) return false;
  return a.ToDouble() == b.ToDouble();
}

bool DiffersFromZero(const Variant& v) {
  if (v.IsEmpty()) return false;
  if (v.IsNumber() || v.IsBoolean() || v.IsDate()) return v.ToDouble() != 0.0;
  return true;
}

std::string StrOf(const Variant& v) {
  std::string t = v.ToText();
  if (v.IsNumber() || v.IsDate()) {
    if (t.empty() || t[0] != '-') t.insert(t.begin(), ' ');
  }
  return t;
}

VArray::VArray(std::vector<Bounds> bounds) : bounds_(std::move(bounds)) {
  size_t count = bounds_.empty() ? 0 : 1;
  for (const Bounds& b : bounds_) count *= static_cast<size_t>(b.Size() > 0 ? b.Size() : 0);
  elements_.resize(count);
}

VArray VArray::Bytes(std::vector<uint8_t> bytes) {
  VArray a({Bounds{0, static_cast<int32_t>(bytes.size()) - 1}});
  for (size_t i = 0; i < bytes.size(); ++i) a.elements_[i] = Variant::Byte(bytes[i]);
  return a;
}

VArray::Bounds VArray::DimensionBounds(int dimension) const {
  if (dimension < 1 || dimension > Dimensions()) Raise(err::kSubscript);
  return bounds_[static_cast<size_t>(dimension - 1)];
}

size_t VArray::Offset(const std::vector<int32_t>& subscripts) const {
  if (subscripts.size() != bounds_.size()) Raise(err::kSubscript);
  size_t offset = 0;
  for (size_t i = 0; i < bounds_.size(); ++i) {
    const Bounds& b = bounds_[i];
    if (subscripts[i] < b.lower || subscripts[i] > b.upper) Raise(err::kSubscript);
    offset = offset * static_cast<size_t>(b.Size()) + static_cast<size_t>(subscripts[i] - b.lower);
  }
  return offset;
}

const Variant& VArray::At(const std::vector<int32_t>& subscripts) const { return elements_[Offset(subscripts)]; }
Variant& VArray::At(const std::vector<int32_t>& subscripts) { return elements_[Offset(subscripts)]; }

}  // namespace kw
