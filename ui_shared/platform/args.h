// Args: the arguments of a late-bound call, positional ones first, then named ones; the first few
// of each are kept inside the list, so that an ordinary call allocates nothing.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include "ui_shared/platform/inline_vector.h"
#include "ui_shared/platform/variant.h"

namespace kw {

// A parameter of a member as its arguments are bound: its 0-based position and its name.
struct Param {
  // Where the parameter stands when its argument is passed by position.
  size_t position;
  // The name its argument is passed by.
  std::string_view name;
};

// Arguments of a late-bound call: positional ones first, then named ones.
class Args {
  // How many named arguments are kept inside the list: an item added with a key, a text and an
  // icon passes three.
  static constexpr size_t kInlineNamed = 3;

 public:
  // Provided, not defaulted: an omitted argument list (`= {}`) would otherwise be cleared byte by
  // byte, inline storage included, on every call.
  Args() {}  // NOLINT(modernize-use-equals-default): see above
  // Empty, with its storage cleared, so that it can be made at compile time (`kNoArgs`).
  constexpr explicit Args(std::in_place_t) noexcept : positional_(std::in_place), named_(std::in_place) {}
  Args(std::initializer_list<Variant> positional) : positional_(positional) {}

  // Adds a named argument; names compare without regard to case.
  Args& Named(std::string_view name, Variant value);
  // Adds a positional argument after those already given.
  Args& Add(Variant value);

  // The number of positional arguments.
  size_t PositionalCount() const { return positional_.size(); }
  // The argument passed by `name` or else at position `index`; nullptr when omitted. Inline for
  // the common call with no named arguments, which needs no name compared.
  const Variant* Find(size_t index, std::string_view name) const {
    if (named_.empty()) return index < positional_.size() ? &positional_[index] : nullptr;
    return FindNamedOrAt(index, name);
  }
  // The argument passed by `name` or else at position `index`; 449 ("Argument not optional") when
  // it was omitted.
  const Variant& Required(size_t index, std::string_view name) const {
    if (const Variant* v = Find(index, name)) return *v;
    RaiseNotOptional();
  }
  // The argument passed by `name` or else at position `index`; `fallback` when it was omitted.
  Variant Optional(size_t index, std::string_view name, Variant fallback = Variant()) const;
  // The arguments of all of a member's `params` at once, each as Find would answer it (nullptr
  // when omitted), found in one pass over the named arguments instead of one per parameter.
  // `params` is a member's fixed list (static): the list remembers what it found for it, so that
  // a caller making the same call again with other values (NamedValue) binds it once.
  template <size_t N>
  std::array<const Variant*, N> Bind(const std::array<Param, N>& params) const {
    std::array<const Variant*, N> bound{};
    if constexpr (N <= BoundLast::kMaxParams) {
      if (params.data() == bound_last_.params) {
        std::copy_n(bound_last_.bound.begin(), N, bound.begin());
        return bound;
      }
    }
    BindInto(params.data(), bound.data(), N);
    return bound;
  }

  // Tells the member called that the caller drops its result, so that a member whose result
  // costs work to make (an object made or handed out for it) may return Empty instead.
  Args& ResultUnused() {
    result_unused_ = true;
    return *this;
  }
  // True when the caller drops the result (ResultUnused).
  bool IsResultUnused() const { return result_unused_; }

  // The value of the named argument added `index`-th (0-based, unchecked), for a caller that
  // makes the same call again with other values instead of building its arguments anew.
  Variant& NamedValue(size_t index) { return named_[index].second; }
  // The value of the positional argument at `index` (0-based, unchecked), for a caller that makes
  // the same call again with other values.
  Variant& PositionalValue(size_t index) { return positional_[index]; }

 private:
  const Variant* FindNamedOrAt(size_t index, std::string_view name) const;
  [[noreturn]] static void RaiseNotOptional();
  void BindInto(const Param* params, const Variant** bound, size_t count) const;

  // What Bind found for the member bound last, by the address of its parameters. It points into
  // this list, so a copy or a move starts without it, and adding an argument forgets it.
  struct BoundLast {
    // The most parameters whose binding is kept.
    static constexpr size_t kMaxParams = 4;
    BoundLast() noexcept = default;
    BoundLast(const BoundLast& /*other*/) noexcept {}
    BoundLast& operator=(const BoundLast& other) noexcept {
      if (this != &other) params = nullptr;
      return *this;
    }
    ~BoundLast() = default;
    // The parameters bound last; nullptr when none are kept.
    const Param* params = nullptr;
    // Their arguments, as Bind answered.
    std::array<const Variant*, kMaxParams> bound{};
  };

  InlineVector<Variant, 3> positional_;
  InlineVector<std::pair<std::string, Variant>, kInlineNamed> named_;
  mutable BoundLast bound_last_;
  bool result_unused_ = false;
};

// The empty argument list, which member access takes when a caller gives none: one list made
// once, instead of one built and destroyed on every call.
inline constinit const Args kNoArgs{std::in_place};

}  // namespace kw
