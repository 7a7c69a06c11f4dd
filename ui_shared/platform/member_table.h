// MemberTable: the late-bound members of one class, each a property (read, write or both) or a
// method, found by name without regard to case; and `Property` / `Method`, which describe a member
// through the class's own functions in one line.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "ui_shared/platform/args.h"
#include "ui_shared/platform/variant_conversions.h"

namespace kw {

// Case-insensitive hashing and comparison for member names.
struct NoCaseHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const noexcept;
};
struct NoCaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept;
};

// What a member is: a property is read and written, a method is called (and may be read for its
// result, as the runtime allows, but never written).
enum class MemberKind { kProperty, kMethod };

// A parameter name of a member described by `Method`, given as a template argument ("Index").
template <size_t N>
struct ParamName {
  constexpr ParamName(const char (&text)[N]) { std::copy_n(text, N, chars); }  // NOLINT: implicit by design
  constexpr std::string_view View() const { return {chars, N - 1}; }
  char chars[N] = {};
};

// A property read through `Get` and, unless it is nullptr, written through `Set`.
template <auto Get, auto Set = nullptr>
struct PropertyOf {
  std::string_view name;
};
template <auto Get, auto Set = nullptr>
constexpr PropertyOf<Get, Set> Property(std::string_view name) {
  return {name};
}

// A method running `Do` with the arguments named `Params`, in the order of its parameters.
template <auto Do, ParamName... Params>
struct MethodOf {
  std::string_view name;
};
template <auto Do, ParamName... Params>
constexpr MethodOf<Do, Params...> Method(std::string_view name) {
  return {name};
}

namespace member_detail {
// The result and parameter types of a member function.
template <class F>
struct Signature;
template <class C, class R, class... A>
struct Signature<R (C::*)(A...)> {
  using Result = R;
  using Params = std::tuple<std::decay_t<A>...>;
};
template <class C, class R, class... A>
struct Signature<R (C::*)(A...) const> : Signature<R (C::*)(A...)> {};
template <class C, class R, class... A>
struct Signature<R (C::*)(A...) noexcept> : Signature<R (C::*)(A...)> {};
template <class C, class R, class... A>
struct Signature<R (C::*)(A...) const noexcept> : Signature<R (C::*)(A...)> {};
}  // namespace member_detail

// The members of one class: name (the empty name for the default member), kind, a getter (a
// property's read, or a method's body) and, for a writable property, a letter.
template <class T>
class MemberTable {
 public:
  using Getter = Variant (*)(T&, const Args&);
  using Letter = void (*)(T&, const Variant&, const Args&);

  struct Entry {
    // A member whose access needs more than one call (optional or indexed arguments).
    Entry(std::string_view member, MemberKind member_kind, Getter getter, Letter letter = nullptr)
        : name(member), kind(member_kind), get(getter), let(letter) {}
    template <auto G, auto S>
    Entry(PropertyOf<G, S> property)  // NOLINT: implicit, so that a table lists its helpers
        : Entry(property.name, MemberKind::kProperty, ReaderOf<G>(), WriterOf<S>()) {}
    template <auto D, ParamName... P>
    Entry(MethodOf<D, P...> method)  // NOLINT: implicit, so that a table lists its helpers
        : Entry(method.name, MemberKind::kMethod, &Run<D, P...>) {}

    std::string_view name;
    MemberKind kind;
    Getter get = nullptr;
    Letter let = nullptr;
  };

  MemberTable(std::initializer_list<Entry> entries) : entries_(entries) {}

  // The entries in the order given; where two share a name, the first is the member.
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  template <auto G>
  static constexpr Getter ReaderOf() {
    if constexpr (std::is_null_pointer_v<decltype(G)>) {
      return nullptr;
    } else {
      return [](T& self, const Args&) { return ToVariant((self.*G)()); };
    }
  }
  template <auto S>
  static constexpr Letter WriterOf() {
    if constexpr (std::is_null_pointer_v<decltype(S)>) {
      return nullptr;
    } else {
      using Value = std::tuple_element_t<0, typename member_detail::Signature<decltype(S)>::Params>;
      return [](T& self, const Variant& value, const Args&) { (self.*S)(FromVariant<Value>(value)); };
    }
  }
  template <auto D, ParamName... P>
  static Variant Run(T& self, const Args& args) {
    using Sig = member_detail::Signature<decltype(D)>;
    using Params = typename Sig::Params;
    static_assert(sizeof...(P) == std::tuple_size_v<Params>, "one name for each parameter");
    [[maybe_unused]] constexpr std::array<std::string_view, sizeof...(P)> names{P.View()...};
    return [&]<size_t... I>(std::index_sequence<I...>) {
      if constexpr (std::is_void_v<typename Sig::Result>) {
        (self.*D)(FromVariant<std::tuple_element_t<I, Params>>(args.Required(I, names[I]))...);
        return Variant();
      } else {
        return ToVariant((self.*D)(FromVariant<std::tuple_element_t<I, Params>>(args.Required(I, names[I]))...));
      }
    }
    (std::make_index_sequence<sizeof...(P)>());
  }

  std::vector<Entry> entries_;
};

}  // namespace kw
