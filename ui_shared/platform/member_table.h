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
  // Lets a table of names be searched with a string_view, without making a string.
  using is_transparent = void;
  // The hash of a name, the same for every spelling of its letters in either case.
  size_t operator()(std::string_view s) const noexcept;
};
// Compares member names without regard to case.
struct NoCaseEqual {
  // Lets a table of names be searched with a string_view, without making a string.
  using is_transparent = void;
  // True when the names differ at most in the case of their letters.
  bool operator()(std::string_view a, std::string_view b) const noexcept;
};

// What a member is: a property is read and written, a method is called (and may be read for its
// result, as the runtime allows, but never written).
enum class MemberKind { kProperty, kMethod };

// A parameter name of a member described by `Method`, given as a template argument ("Index").
template <size_t N>
struct ParamName {
  // Takes the name from a string literal; implicit, so that a template argument can be written as
  // the literal.
  constexpr ParamName(const char (&text)[N]) { std::copy_n(text, N, chars); }  // NOLINT: implicit by design
  // The name as text.
  constexpr std::string_view View() const { return {chars, N - 1}; }
  // The name's characters and its terminating zero.
  char chars[N] = {};
};

// A property read through `Get` and, unless it is nullptr, written through `Set`.
template <auto Get, auto Set = nullptr>
struct PropertyOf {
  // The member's name.
  std::string_view name;
};
template <auto Get, auto Set = nullptr>
// Describes a property for a member table: `Get` reads it and `Set`, unless nullptr, writes it.
constexpr PropertyOf<Get, Set> Property(std::string_view name) {
  return {name};
}

// A method running `Do` with the arguments named `Params`, in the order of its parameters.
template <auto Do, ParamName... Params>
struct MethodOf {
  // The member's name.
  std::string_view name;
};
template <auto Do, ParamName... Params>
// Describes a method for a member table: `Do` runs it, with its parameters named `Params` in order.
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
  // Reads a property, or runs a method, on an object with the call's arguments.
  using Getter = Variant (*)(T&, const Args&);
  // Writes a property of an object with the call's arguments.
  using Letter = void (*)(T&, const Variant&, const Args&);

  // One member: its name, kind and the functions that read and write it.
  struct Entry {
    // A member whose access needs more than one call (optional or indexed arguments).
    Entry(std::string_view member, MemberKind member_kind, Getter getter, Letter letter = nullptr)
        : name(member), kind(member_kind), get(getter), let(letter) {}
    template <auto G, auto S>
    // A property described with `Property`.
    Entry(PropertyOf<G, S> property)  // NOLINT: implicit, so that a table lists its helpers
        : Entry(property.name, MemberKind::kProperty, ReaderOf<G>(), WriterOf<S>()) {}
    template <auto D, ParamName... P>
    // A method described with `Method`.
    Entry(MethodOf<D, P...> method)  // NOLINT: implicit, so that a table lists its helpers
        : Entry(method.name, MemberKind::kMethod, &Run<D, P...>) {}

    // The name; the empty name is the default member.
    std::string_view name;
    // Whether the member is a property or a method.
    MemberKind kind;
    // Reads the property or runs the method; nullptr for a write-only property.
    Getter get = nullptr;
    // Writes the property; nullptr for a read-only property and for a method.
    Letter let = nullptr;
  };

  // A table of the given members.
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
