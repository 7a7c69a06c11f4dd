// Object: the base of every late-bound object. It answers get / let / set / call by member name
// with positional and named arguments, reports its type name and the variant type of its default
// member, and raises 438 for a member it lacks. Classes describe their members once, in a static
// `MemberTable` (member_table.h), and derive from `LateBound<Self, Base>` to have them dispatched.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui_shared/platform/args.h"
#include "ui_shared/platform/error.h"
#include "ui_shared/platform/member_table.h"
#include "ui_shared/platform/variant.h"

namespace kw {

class Object : public std::enable_shared_from_this<Object> {
 public:
  virtual ~Object() = default;

  // The type name the runtime reports for the object ("ListView", "TreeView", ...).
  virtual std::string TypeName() const = 0;

  // Late-bound access. The empty name is the default member. Missing members raise 438,
  // assignments to read-only properties 383, reads of write-only properties and assignments to
  // methods 451.
  virtual Variant Get(std::string_view member, const Args& args = {});
  virtual void Let(std::string_view member, const Variant& value, const Args& args = {});
  virtual Variant Call(std::string_view member, const Args& args = {});
  void Set(std::string_view member, const ObjectPtr& value, const Args& args = {}) {
    Let(member, Variant::Object(value), args);
  }

  // The default member's value (Get with the empty name).
  Variant DefaultValue() { return Get(""); }
  // What the runtime's type inquiry reports for the object: its default value's type, or Object
  // when it has no default value or the default member needs arguments (a control array).
  virtual VarType DefaultVarType();

  // The elements of a collection object in its order; 438 for objects that are no collection.
  virtual std::vector<Variant> Enumerate();
};

// Dispatches late-bound access of `Self` through `Self::Members()`, falling back to `Base` for
// names the table lacks, so that a class extends its base's members. The name is folded once:
// a base that is itself dispatched by its table is searched with the folded name, so that its
// members cost what the class's own do (such a base answers by its table alone).
template <class Self, class Base = Object>
class LateBound : public Base {
 public:
  using Base::Base;
  static constexpr bool kDispatchesFolded = true;

  Variant Get(std::string_view member, const Args& args = {}) override { return GetFolded(FoldedName(member), args); }
  // A call runs a method, or reads a property, as the runtime's call asks for either.
  Variant Call(std::string_view member, const Args& args = {}) override {
    return CallFolded(FoldedName(member), args);
  }
  void Let(std::string_view member, const Variant& value, const Args& args = {}) override {
    LetFolded(FoldedName(member), value, args);
  }

  // Get, Call and Let with the name folded already.
  Variant GetFolded(const FoldedName& member, const Args& args) {
    if (const auto* e = Self::Members().Find(member)) return ReadEntry(*e, args);
    if constexpr (kBaseFolds) return Base::GetFolded(member, args);
    else return Base::Get(member.Name(), args);
  }
  Variant CallFolded(const FoldedName& member, const Args& args) {
    if (const auto* e = Self::Members().Find(member)) return ReadEntry(*e, args);
    if constexpr (kBaseFolds) return Base::CallFolded(member, args);
    else return Base::Call(member.Name(), args);
  }
  void LetFolded(const FoldedName& member, const Variant& value, const Args& args) {
    if (const auto* e = Self::Members().Find(member)) {
      if (e->kind == MemberKind::kMethod) Raise(err::kWriteOnly);
      if (!e->let) Raise(err::kReadOnly);
      e->let(static_cast<Self&>(*this), value, args);
      return;
    }
    if constexpr (kBaseFolds) Base::LetFolded(member, value, args);
    else Base::Let(member.Name(), value, args);
  }

 private:
  static constexpr bool kBaseFolds = requires { Base::kDispatchesFolded; };

  // A property's value, or a method's result (reading a method runs it); 451 for a write-only
  // property.
  Variant ReadEntry(const typename MemberTable<Self>::Entry& e, const Args& args) {
    if (!e.get) Raise(err::kWriteOnly);
    return e.get(static_cast<Self&>(*this), args);
  }
};

// Calls of a member on an object reached by name; 91 when the object is nothing.
Variant GetMember(const ObjectPtr& object, std::string_view member, const Args& args = {});
void LetMember(const ObjectPtr& object, std::string_view member, const Variant& value, const Args& args = {});
Variant CallMember(const ObjectPtr& object, std::string_view member, const Args& args = {});
// The type name of an object ("Nothing" for nothing).
std::string TypeNameOf(const ObjectPtr& object);

// Takes the typed interface `T` of an object: 13 when the object does not support it; nothing
// stays nothing.
template <class T>
std::shared_ptr<T> As(const ObjectPtr& object) {
  if (!object) return nullptr;
  auto typed = std::dynamic_pointer_cast<T>(object);
  if (!typed) Raise(err::kTypeMismatch);
  return typed;
}

}  // namespace kw
