// List keys: the key of a list item or tree node that stands for a record is a key prefix
// followed directly by the record key; the default prefix is "K".
#pragma once

#include <string>
#include <string_view>

#include "ui_shared/platform/variant.h"

namespace kw {

inline constexpr std::string_view kDefaultKeyPrefix = "K";

// The list key of a record key value: the prefix and the value as text joined as the runtime
// concatenates them (a null value adds nothing). An empty prefix means the default one.
std::string ListKey(std::string_view prefix, const Variant& record_key);

}  // namespace kw
