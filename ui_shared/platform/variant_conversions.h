// The conversions between C++ values and variants that member tables use: each C++ type has the
// one variant form the runtime gives it (bool a Boolean, int32_t a Long, uint32_t a colour as a
// signed Long, text a String, a shared object an Object).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "ui_shared/platform/variant.h"

namespace kw {

template <class T>
// False for every type; a static_assert on it names the type that has no variant form.
inline constexpr bool kNoVariantForm = false;

// The variant that carries `value`.
template <class T>
Variant ToVariant(const T& value) {
  if constexpr (std::is_same_v<T, Variant>) {
    return value;
  } else if constexpr (std::is_same_v<T, bool>) {
    return Variant::Boolean(value);
  } else if constexpr (std::is_same_v<T, int16_t>) {
    return Variant::Integer(value);
  } else if constexpr (std::is_same_v<T, int32_t>) {
    return Variant::Long(value);
  } else if constexpr (std::is_same_v<T, uint32_t>) {
    return Variant::Long(static_cast<int32_t>(value));
  } else if constexpr (std::is_same_v<T, double>) {
    return Variant::Double(value);
  } else if constexpr (std::is_same_v<T, std::string>) {
    // Copied straight into place, as a typed caller's Variant::Text(getter()) is.
    return Variant::Text(value);
  } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
    return Variant::Text(std::string(std::string_view(value)));
  } else if constexpr (std::is_convertible_v<const T&, ObjectPtr>) {
    return Variant::Object(value);
  } else {
    static_assert(kNoVariantForm<T>, "no variant form for this type");
  }
}

// The C++ value of type `T` that a variant holds, converted as the runtime converts (13 or 6 when
// it cannot).
template <class T>
T FromVariant(const Variant& value) {
  if constexpr (std::is_same_v<T, Variant>) {
    return value;
  } else if constexpr (std::is_same_v<T, bool>) {
    return value.ToBoolean();
  } else if constexpr (std::is_same_v<T, int16_t>) {
    return value.ToInteger();
  } else if constexpr (std::is_same_v<T, int32_t>) {
    return value.ToLong();
  } else if constexpr (std::is_same_v<T, uint32_t>) {
    return static_cast<uint32_t>(value.ToLong());
  } else if constexpr (std::is_same_v<T, double>) {
    return value.ToDouble();
  } else if constexpr (std::is_same_v<T, std::string>) {
    return value.ToText();
  } else if constexpr (std::is_same_v<T, ObjectPtr>) {
    return value.ToObject();
  } else {
    static_assert(kNoVariantForm<T>, "no C++ form for this variant");
  }
}

}  // namespace kw
