// Variant: the runtime's self-typed value (empty, null, whole and floating numbers, currency,
// date, text, boolean, object, array, decimal) and its conversions, which follow the runtime's
// rules exactly: halves round to even, overflow raises 6, text that is no number 13, null 94.
// Kinds are asked with Is...(), converted by the runtime's rules with To...(), and taken exactly
// as they are with Get...() (13 when the kind differs).
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace kw {

class Object;
// A shared reference to a late-bound object; nothing is the null pointer.
using ObjectPtr = std::shared_ptr<Object>;
class VArray;
// A shared reference to an array held by a variant.
using ArrayPtr = std::shared_ptr<const VArray>;

// The runtime's variant type numbers, as the type inquiry reports them.
enum class VarType : int16_t {
  Empty = 0,
  Null = 1,
  Integer = 2,
  Long = 3,
  Single = 4,
  Double = 5,
  Currency = 6,
  Date = 7,
  String = 8,
  Object = 9,
  Error = 10,
  Boolean = 11,
  Variant = 12,
  Decimal = 14,
  Byte = 17,
  Array = 8192,
};

// Currency: a fixed-point number with four decimals, held as value * 10,000.
struct CurrencyValue {
  // The value times 10,000.
  int64_t scaled = 0;
  friend bool operator==(CurrencyValue, CurrencyValue) = default;
};

// Decimal as database fields carry it: mantissa * 10^-scale, scale 0 to 28.
struct DecimalValue {
  // The digits, without the decimal point.
  int64_t mantissa = 0;
  // How many of the digits stand after the decimal point.
  uint8_t scale = 0;
  // The value as a double, for arithmetic and comparisons.
  double ToDouble() const;
};

// The kind of the Empty value (an uninitialised variant).
struct EmptyTag {
  friend bool operator==(EmptyTag, EmptyTag) = default;
};
// The kind of the Null value (no valid data).
struct NullTag {
  friend bool operator==(NullTag, NullTag) = default;
};
// The kind of a date, kept apart from the double it is held as.
struct DateTag {
  // Days since 30 December 1899; the fraction is the time of day.
  double serial = 0;
};

// A value of the runtime: Empty, Null, a number of one of its kinds, a date, a text, a boolean, an
// object or an array. Made only through the named factories, so that a call site says which kind it
// makes; converted by the runtime's rules (ToLong), taken exactly as it is (GetText), and asked for
// its kind (IsText) through three separate sets of members.
class Variant {
 public:
  Variant() = default;  // Empty

  // The value of an unset variant; the same as a default-constructed one.
  static Variant Empty() { return Variant(); }
  // The Null value: no valid data.
  static Variant Null();
  // A 16-bit whole number. This and the other small kinds are made inline: calls make them per
  // argument.
  static Variant Integer(int16_t v) { return Variant(v); }
  // A 32-bit whole number.
  static Variant Long(int32_t v) { return Variant(v); }
  // A byte, 0 to 255.
  static Variant Byte(uint8_t v);
  // A single-precision number.
  static Variant Single(float v);
  // A double-precision number.
  static Variant Double(double v) { return Variant(v); }
  // A currency amount.
  static Variant Currency(CurrencyValue v);
  // A date, as a date serial (days since 30 December 1899).
  static Variant Date(double serial);
  // A text (UTF-8), copied straight into place. Inline, as the next: getters reached by name make
  // one per call, as a rule from a text they keep.
  static Variant Text(const std::string& v) { return Variant(v); }
  // A text (UTF-8), moved straight into place.
  static Variant Text(std::string&& v) { return Variant(std::move(v)); }
  // A boolean.
  static Variant Boolean(bool v) { return Variant(v); }
  static Variant Object(ObjectPtr v);  // a null pointer is "nothing"
  // An array; a null pointer is an array of nothing.
  static Variant Array(ArrayPtr v);
  // A decimal as a database field carries it.
  static Variant Decimal(DecimalValue v);

  // The variant's type number, as the runtime's type inquiry reports it.
  VarType Type() const;

  // ---- The kind tests, inline: rules and lookups ask them several times per record ----

  // True for Empty, the value of a variant nothing was put in.
  bool IsEmpty() const { return std::holds_alternative<EmptyTag>(value_); }
  // True for Null.
  bool IsNull() const { return std::holds_alternative<NullTag>(value_); }
  // True for a text.
  bool IsText() const { return std::holds_alternative<std::string>(value_); }
  // True for an object, nothing included.
  bool IsObject() const { return std::holds_alternative<ObjectPtr>(value_); }
  // True for an array.
  bool IsArray() const { return std::holds_alternative<ArrayPtr>(value_); }
  // True for a boolean.
  bool IsBoolean() const { return std::holds_alternative<bool>(value_); }
  // True for a date.
  bool IsDate() const { return std::holds_alternative<DateTag>(value_); }
  // A number of any numeric kind (integer, long, byte, single, double, currency, decimal).
  bool IsNumber() const {
    return std::holds_alternative<int16_t>(value_) || std::holds_alternative<int32_t>(value_) ||
           std::holds_alternative<uint8_t>(value_) || std::holds_alternative<float>(value_) ||
           std::holds_alternative<double>(value_) || std::holds_alternative<CurrencyValue>(value_) ||
           std::holds_alternative<DecimalValue>(value_);
  }

  // ---- Conversions by the runtime's rules ----

  // The value as a 16-bit whole number (banker's rounding; 6 on overflow, 13 for a text that is no
  // number, 94 for Null).
  int16_t ToInteger() const;
  // The value as a 32-bit whole number (banker's rounding; 6 on overflow, 13 for a text that is no
  // number, 94 for Null).
  int32_t ToLong() const;
  // The value as a byte, by the same rules as ToLong (6 outside 0 to 255).
  uint8_t ToByte() const;
  // The value as a single-precision number (6 on overflow, 13, 94).
  float ToSingle() const;
  // The value as a double-precision number (13 for a text that is no number, 94 for Null).
  double ToDouble() const;
  // The value as a currency amount, rounded to four decimals (6 on overflow, 13, 94).
  CurrencyValue ToCurrency() const;
  double ToDate() const;       // the date serial; text must be a recognisable date (13)
  std::string ToText() const;  // null raises 94; numbers in ordinary decimal form
  bool ToBoolean() const;      // numbers: non-zero; text "True"/"False" or a number
  ObjectPtr ToObject() const;  // 424 unless an object (nothing gives nullptr)

  // Replaces the value with the one `make` returns, made right here: no temporary is moved in and
  // destroyed, as an assignment would, which counts for a value refilled per record or read into
  // a freshly appended Empty (which has nothing to destroy first). The old value goes first, so
  // `make` must not read this variant; should `make` throw, the variant is left Empty.
  template <class Make>
  void Remake(Make&& make) {
    if (!IsEmpty()) this->~Variant();
    try {
      ::new (this) Variant(std::forward<Make>(make)());
    } catch (...) {
      ::new (this) Variant();
      throw;
    }
  }

  // Appends the value as ToText renders it to `out`; a whole number and a text without making a
  // text of their own first.
  void AppendText(std::string& out) const;

  // Exact access: 13 when the kind differs. Inline for a text, which collections read once per
  // entry.
  const std::string& GetText() const {
    if (const auto* s = std::get_if<std::string>(&value_)) return *s;
    RaiseTypeMismatch();
  }
  // The object held; 13 for any other kind.
  const ObjectPtr& GetObject() const;
  // The array held; 13 for any other kind.
  const ArrayPtr& GetArray() const;
  // The boolean held; 13 for any other kind.
  bool GetBoolean() const;

 private:
  [[noreturn]] static void RaiseTypeMismatch();

  using Storage = std::variant<EmptyTag, NullTag, int16_t, int32_t, uint8_t, float, double, CurrencyValue, DateTag,
                               std::string, bool, ObjectPtr, ArrayPtr, DecimalValue>;
  // Any kind's value, moved or copied into place; never a variant, which the copy and move
  // constructors take.
  template <class T, std::enable_if_t<!std::is_same_v<std::remove_cvref_t<T>, Variant>, int> = 0>
  explicit Variant(T&& v) : value_(std::forward<T>(v)) {}
  Storage value_;
};

// Runtime equality: numbers by value, texts exactly, Empty equals 0 and "", a number never equals
// a text, null matches nothing, objects by identity.
bool VariantEquals(const Variant& a, const Variant& b);

// "Differs from the number 0": Empty and any numeric zero do not; any text, null and objects do.
bool DiffersFromZero(const Variant& v);

// The "Str" rendering: a blank before a value that is zero or positive ("17" -> " 17").
std::string StrOf(const Variant& v);

// A multi-dimensional array with lower and upper bounds per dimension (row-major storage).
class VArray {
 public:
  // The bounds of one dimension.
  struct Bounds {
    // The lowest subscript.
    int32_t lower = 0;
    // The highest subscript; one below `lower` for an empty dimension.
    int32_t upper = -1;
    // The number of elements along the dimension.
    int32_t Size() const { return upper - lower + 1; }
  };
  // An array with the given bounds per dimension, every element Empty.
  explicit VArray(std::vector<Bounds> bounds);
  // A one-dimensional array 0..n-1 of bytes, as a binary field holds them.
  static VArray Bytes(std::vector<uint8_t> bytes);

  // The number of dimensions.
  int Dimensions() const { return static_cast<int>(bounds_.size()); }
  Bounds DimensionBounds(int dimension) const;  // 9 when no such dimension
  // Elements by subscripts; 9 when the count or a subscript is out of range.
  const Variant& At(const std::vector<int32_t>& subscripts) const;
  Variant& At(const std::vector<int32_t>& subscripts);
  // The number of elements over all dimensions.
  size_t ElementCount() const { return elements_.size(); }

 private:
  size_t Offset(const std::vector<int32_t>& subscripts) const;
  std::vector<Bounds> bounds_;
  std::vector<Variant> elements_;
};

}  // namespace kw
