// Stored values as this program reads and writes them: keys as whole numbers, and texts that are
// NULL when empty.
#pragma once

#include <cstdint>
#include <string>

#include "ui_shared/platform/variant.h"

namespace trf {

// A key as the engines bind it, and a stored key as a whole number.
inline kw::Variant StoredKey(int64_t key) { return kw::Variant::Double(static_cast<double>(key)); }
inline int64_t KeyOf(const kw::Variant& value) { return static_cast<int64_t>(value.ToDouble()); }
// A stored text, "" for NULL; and a text to store, NULL when empty.
inline std::string TextOf(const kw::Variant& value) { return value.IsNull() ? "" : value.ToText(); }
inline kw::Variant TextOrNull(const std::string& text) {
  return text.empty() ? kw::Variant::Null() : kw::Variant::Text(text);
}

}  // namespace trf
