// Argument lookup of late-bound calls: by name first, then by position.
#include "ui_shared/platform/args.h"

#include <algorithm>
#include <utility>

#include "ui_shared/platform/error.h"
#include "ui_shared/platform/text.h"

namespace kw {

Args& Args::Named(std::string_view name, Variant value) {
  bound_last_.params = nullptr;
  named_.emplace_back(name, std::move(value));
  return *this;
}

Args& Args::Add(Variant value) {
  bound_last_.params = nullptr;
  positional_.push_back(std::move(value));
  return *this;
}

namespace {
// Whether an argument's name is a parameter's. Names of another length never match; callers as a
// rule spell a name as the member does, so the exact comparison settles most of the rest.
bool SameName(std::string_view argument, std::string_view parameter) {
  return argument.size() == parameter.size() && (argument == parameter || text::EqualsNoCase(argument, parameter));
}
}  // namespace

const Variant* Args::FindNamedOrAt(size_t index, std::string_view name) const {
  for (const auto& [n, v] : named_) {
    if (SameName(n, name)) return &v;
  }
  return index < positional_.size() ? &positional_[index] : nullptr;
}

void Args::BindInto(const Param* params, const Variant** bound, size_t count) const {
  // Each named argument goes to the parameter of its name, the first of its name winning as in
  // Find; a parameter no name reached takes the argument at its position.
  for (const auto& [n, v] : named_) {
    for (size_t i = 0; i < count; ++i) {
      if (!bound[i] && SameName(n, params[i].name)) {
        bound[i] = &v;
        break;
      }
    }
  }
  const size_t positional_count = positional_.size();
  for (size_t i = 0; i < count; ++i) {
    if (!bound[i] && params[i].position < positional_count) bound[i] = &positional_[params[i].position];
  }
  // The empty list is shared by every caller (kNoArgs) and has nothing worth keeping.
  if (named_.empty() || count > BoundLast::kMaxParams) return;
  std::copy_n(bound, count, bound_last_.bound.begin());
  bound_last_.params = params;
}

void Args::RaiseNotOptional() { Raise(err::kArgumentNotOptional); }

Variant Args::Optional(size_t index, std::string_view name, Variant fallback) const {
  if (const Variant* v = Find(index, name)) return *v;
  return fallback;
}

}  // namespace kw
