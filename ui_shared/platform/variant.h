// Variant: the runtime's self-typed value (empty, null, whole and floating numbers, currency,
// date, text, boolean, object, array, decimal) and its conversions, which follow the runtime's
// rules exactly: halves round to even, overflow raises 6, text that is no number 13, null 94.
// Kinds are asked with Is...(), converted by the runtime's rules with To...(), and taken exactly
// as they are with Get...() (13 when the kind differs).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace kw {

class Object;
using ObjectPtr = std::shared_ptr<Object>;
class VArray;
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
  int64_t scaled = 0;
  friend bool operator==(CurrencyValue, CurrencyValue) = default;
};

// Decimal as database fields carry it: mantissa * 10^-scale, scale 0 to 28.
struct DecimalValue {
  int64_t mantissa = 0;
  uint8_t scale = 0;
  double ToDouble() const;
};

struct EmptyTag {
  friend bool operator==(EmptyTag, EmptyTag) = default;
};
struct NullTag {
  friend bool operator==(NullTag, NullTag) = default;
};
struct DateTag {
  double serial = 0;
};

class Variant {
 public:
  Variant() = default;  // Empty

  static Variant Empty() { return Variant(); }
  static Variant Null();
  static Variant Integer(int16_t v);
  static Variant Long(int32_t v);
  static Variant Byte(uint8_t v);
  static Variant Single(float v);
  static Variant Double(double v);
  static Variant Currency(CurrencyValue v);
  static Variant Date(double serial);
  static Variant Text(std::string v);
  static Variant Boolean(bool v);
  static Variant Object(ObjectPtr v);  // a null pointer is "nothing"
  static Variant Array(ArrayPtr v);
  static Variant Decimal(DecimalValue v);

  VarType Type() const;

  // The kind tests, inline: rules and lookups ask them several times per record.
  bool IsEmpty() const { return std::holds_alternative<EmptyTag>(value_); }
  bool IsNull() const { return std::holds_alternative<NullTag>(value_); }
  bool IsText() const { return std::holds_alternative<std::string>(value_); }
  bool IsObject() const { return std::holds_alternative<ObjectPtr>(value_); }
  bool IsArray() const { return std::holds_alternative<ArrayPtr>(value_); }
  bool IsBoolean() const { return std::holds_alternative<bool>(value_); }
  bool IsDate() const { return std::holds_alternative<DateTag>(value_); }
  // A number of any numeric kind (integer, long, byte, single, double, currency, decimal).
  bool IsNumber() const {
    return std::holds_alternative<int16_t>(value_) || std::holds_alternative<int32_t>(value_) ||
           std::holds_alternative<uint8_t>(value_) || std::holds_alternative<float>(value_) ||
           std::holds_alternative<double>(value_) || std::holds_alternative<CurrencyValue>(value_) ||
           std::holds_alternative<DecimalValue>(value_);
  }

  // Conversions by the runtime's rules.
  int16_t ToInteger() const;
  int32_t ToLong() const;
  uint8_t ToByte() const;
  float ToSingle() const;
  double ToDouble() const;
  CurrencyValue ToCurrency() const;
  double ToDate() const;       // the date serial; text must be a recognisable date (13)
  std::string ToText() const;  // null raises 94; numbers in ordinary decimal form
  bool ToBoolean() const;      // numbers: non-zero; text "True"/"False" or a number
  ObjectPtr ToObject() const;  // 424 unless an object (nothing gives nullptr)

  // Exact access: 13 when the kind differs.
  const std::string& GetText() const;
  const ObjectPtr& GetObject() const;
  const ArrayPtr& GetArray() const;
  bool GetBoolean() const;

 private:
  using Storage = std::variant<EmptyTag, NullTag, int16_t, int32_t, uint8_t, float, double, CurrencyValue, DateTag,
                               std::string, bool, ObjectPtr, ArrayPtr, DecimalValue>;
  template <class T>
  explicit Variant(T v) : value_(std::move(v)) {}
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
  struct Bounds {
    int32_t lower = 0;
    int32_t upper = -1;
    int32_t Size() const { return upper - lower + 1; }
  };
  explicit VArray(std::vector<Bounds> bounds);
  // A one-dimensional array 0..n-1 of bytes, as a binary field holds them.
  static VArray Bytes(std::vector<uint8_t> bytes);

  int Dimensions() const { return static_cast<int>(bounds_.size()); }
  Bounds DimensionBounds(int dimension) const;  // 9 when no such dimension
  // Elements by subscripts; 9 when the count or a subscript is out of range.
  const Variant& At(const std::vector<int32_t>& subscripts) const;
  Variant& At(const std::vector<int32_t>& subscripts);
  size_t ElementCount() const { return elements_.size(); }

 private:
  size_t Offset(const std::vector<int32_t>& subscripts) const;
  std::vector<Bounds> bounds_;
  std::vector<Variant> elements_;
};

}  // namespace kw
