// Argument lookup of late-bound calls: by name first, then by position.
#include "ui_shared/platform/args.h"

#include <utility>

#include "ui_shared/platform/error.h"
#include "ui_shared/platform/text.h"

namespace kw {

Args& Args::Named(std::string_view name, Variant value) {
  named_.emplace_back(name, std::move(value));
  return *this;
}

Args& Args::Add(Variant value) {
  positional_.push_back(std::move(value));
  return *this;
}

const Variant* Args::Find(size_t index, std::string_view name) const {
  // Names of another length never match; callers as a rule spell a name as the member does, so
  // the exact comparison settles most of the rest.
  for (const auto& [n, v] : named_) {
    if (n.size() != name.size()) continue;
    if (n == name || text::EqualsNoCase(n, name)) return &v;
  }
  return index < positional_.size() ? &positional_[index] : nullptr;
}

const Variant& Args::Required(size_t index, std::string_view name) const {
  if (const Variant* v = Find(index, name)) return *v;
  Raise(err::kArgumentNotOptional);
}

Variant Args::Optional(size_t index, std::string_view name, Variant fallback) const {
  if (const Variant* v = Find(index, name)) return *v;
  return fallback;
}

}  // namespace kw
