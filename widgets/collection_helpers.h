// What the widgets' collections share: reading the optional arguments of their late-bound `Add`
// members, and putting an element at a 1-based position.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui_shared/platform/object.h"

namespace kw::widgets {

// The text of an optional argument as bound (Args::Bind): "" when omitted (nullptr).
std::string TextOf(const Variant* argument);
// The text of an optional argument as bound, without a copy when it is a text ("" when omitted);
// otherwise made in `storage`. Inline: collections' `Add` read their texts this way once per entry.
inline std::string_view TextViewOf(const Variant* argument, std::string& storage) {
  if (!argument) return {};
  if (argument->IsText()) return argument->GetText();
  storage = argument->ToText();
  return storage;
}
// The 1-based insert position of an optional Index argument as bound: 0 (at the end) when omitted
// or Empty. Inline, as TextViewOf.
inline int32_t InsertPositionOf(const Variant* argument) {
  return argument && !argument->IsEmpty() ? argument->ToLong() : 0;
}

// The text of an optional argument passed by `name` or at `index`: "" when omitted.
std::string OptionalText(const Args& args, size_t index, std::string_view name);
// The text of an optional argument passed by `name` or at `index`, without a copy when it is a text
// ("" when omitted); otherwise made in `storage`.
std::string_view OptionalTextView(const Args& args, size_t index, std::string_view name, std::string& storage);

// The 1-based insert position of an optional Index argument: 0 (at the end) when omitted or Empty.
int32_t OptionalPosition(const Args& args, size_t index);

// Raises 35600 unless `position` (1-based; 0 for the end) fits a collection of `count` elements.
void CheckInsertPosition(int32_t position, int32_t count);

// Puts `element` at 1-based `position` of `elements` (0: at the end); 35600 beyond the end.
template <class T>
void InsertAt(std::vector<T>& elements, T element, int32_t position) {
  CheckInsertPosition(position, static_cast<int32_t>(elements.size()));
  elements.insert(position == 0 ? elements.end() : elements.begin() + (position - 1), std::move(element));
}

}  // namespace kw::widgets
