// List keys: the key of a list item or tree node that stands for a record is a key prefix
// followed directly by the record key; the default prefix is "K".
#pragma once

#include <string>
#include <string_view>

#include "ui_shared/platform/variant.h"

namespace kw {

// The key prefix of a list entry that stands for a record, when a caller names none.
inline constexpr std::string_view kDefaultKeyPrefix = "K";

// The list key of a record key value: the prefix and the value as text joined as the runtime
// concatenates them (a null value adds nothing). An empty prefix means the default one.
std::string ListKey(std::string_view prefix, const Variant& record_key);

// The record key of a list key. With an empty prefix: everything after the default prefix's one
// character, unchanged. With a prefix: the rest after as many characters as the prefix has, read
// as a number and written with a blank before a non-negative one (" 17"); 13 when it is no number.
std::string RecordKeyOf(std::string_view list_key, std::string_view prefix);

}  // namespace kw
