// Object: the base of every late-bound object. It answers get / let / set / call by member name
// with positional and named arguments, reports its type name and the variant type of its default
// member, and raises 438 for a member it lacks. Classes describe their members once, in a static
// `MemberTable` (member_table.h), and derive from `LateBound<Self, Base>` to have them dispatched.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "ui_shared/platform/args.h"
#include "ui_shared/platform/error.h"
#include "ui_shared/platform/member_names.h"
#include "ui_shared/platform/member_ref.h"
#include "ui_shared/platform/member_table.h"
#include "ui_shared/platform/variant.h"

namespace kw {

// A late-bound object of the runtime: anything a form, the library or a sibling reaches by member
// name.
class Object : public std::enable_shared_from_this<Object> {
 public:
  virtual ~Object() = default;

  // The type name the runtime reports for the object ("ListView", "TreeView", ...).
  virtual std::string TypeName() const = 0;

  // Late-bound access. The empty name is the default member. Missing members raise 438,
  // assignments to read-only properties 383, reads of write-only properties and assignments to
  // methods 451.
  virtual Variant Get(std::string_view member, const Args& args = kNoArgs);
  // Writes the property `member` (with `args` for an indexed one).
  virtual void Let(std::string_view member, const Variant& value, const Args& args = kNoArgs);
  // Runs the method `member`, or reads the property of that name, as the runtime's call does.
  virtual Variant Call(std::string_view member, const Args& args = kNoArgs);
  // Writes an object into the property `member`, as the runtime's set statement does.
  void Set(std::string_view member, const ObjectPtr& value, const Args& args = kNoArgs) {
    Let(member, Variant::Object(value), args);
  }
  // Get through a name resolved once (member_ref.h), for a member reached many times. An object
  // answers exactly as by the name; classes whose members tables describe skip the lookup.
  virtual Variant GetResolved(const MemberRef& member, const Args& args) { return Get(member.Name(), args); }
  // Let through a name resolved once, answering exactly as by the name.
  virtual void LetResolved(const MemberRef& member, const Variant& value, const Args& args) {
    Let(member.Name(), value, args);
  }
  // Call through a name resolved once, answering exactly as by the name.
  virtual Variant CallResolved(const MemberRef& member, const Args& args) { return Call(member.Name(), args); }

  // The default member's value (Get with the empty name).
  Variant DefaultValue() { return Get(""); }
  // What the runtime's type inquiry reports for the object: its default value's type, or Object
  // when it has no default value or the default member needs arguments (a control array).
  virtual VarType DefaultVarType();

  // The elements of a collection object in its order; 438 for objects that are no collection.
  virtual std::vector<Variant> Enumerate();
};

namespace member_detail {
// The first base in a chain of table-dispatched classes that answers names by hand (`Object` when
// none does): where names that no table has go.
template <class Base, bool = requires { typename Base::TableDispatched; }
> struct HandBase { using Type = Base; };
template <class Base>
struct HandBase<Base, true> {
  using Type = typename Base::HandDispatched;
};
}  // namespace member_detail

// Dispatches late-bound access of `Self` through `Self::Members()` and the tables of its bases
// that are dispatched the same way, so that a class extends its base's members; names no table
// has go to the first base that answers by hand. All those tables are indexed together once, each
// entry with the level of the class that declares it, so that any member is found by folding its
// name once and probing once; a class's own entry hides a base's of the same name.
template <class Self, class Base = Object>
class LateBound : public Base {
  static constexpr bool kBaseIsTable = requires { typename Base::TableDispatched; };

 public:
  using Base::Base;
  // Marks the classes whose members `LateBound` finds in their tables.
  using TableDispatched = Self;
  // The first base that answers names by hand, where names no table holds go.
  using HandDispatched = typename member_detail::HandBase<Base>::Type;

  // Reads the property `member` or runs the method, found in the tables of this class and its
  // bases.
  Variant Get(std::string_view member, const Args& args = kNoArgs) override {
    if (const FoundMember* found = AllMembers().FindName(member)) return ReadFound(*found, args);
    // NOLINTNEXTLINE(bugprone-parent-virtual-call): unknown names skip the table levels on purpose
    return HandDispatched::Get(member, args);
  }
  // A call runs a method, or reads a property, as the runtime's call asks for either.
  Variant Call(std::string_view member, const Args& args = kNoArgs) override {
    if (const FoundMember* found = AllMembers().FindName(member)) return ReadFound(*found, args);
    // NOLINTNEXTLINE(bugprone-parent-virtual-call): unknown names skip the table levels on purpose
    return HandDispatched::Call(member, args);
  }
  // Writes the property `member`, found in the tables of this class and its bases.
  void Let(std::string_view member, const Variant& value, const Args& args = kNoArgs) override {
    if (const FoundMember* found = AllMembers().FindName(member)) return LetFound(*found, value, args);
    // NOLINTNEXTLINE(bugprone-parent-virtual-call): unknown names skip the table levels on purpose
    HandDispatched::Let(member, value, args);
  }
  // A resolved name finds its entry once per class; a class derived further without a table of
  // its own may answer names by hand, and is reached by the name. A member of this very class,
  // found by the same name before, is reached straight from its entry.
  Variant GetResolved(const MemberRef& member, const Args& args) override {
    if (const TableEntry* e = OwnEntryFoundBefore(member); e != nullptr && e->get != nullptr)
      return e->get(static_cast<Self&>(*this), args);
    return GetByTablesOrName(member, args);
  }
  // Call through a resolved name: the entry found once per class, as GetResolved.
  Variant CallResolved(const MemberRef& member, const Args& args) override {
    if (const TableEntry* e = OwnEntryFoundBefore(member); e != nullptr && e->get != nullptr)
      return e->get(static_cast<Self&>(*this), args);
    return CallByTablesOrName(member, args);
  }
  // Let through a resolved name: the entry found once per class, as GetResolved.
  void LetResolved(const MemberRef& member, const Variant& value, const Args& args) override {
    if (const TableEntry* e = OwnEntryFoundBefore(member);
        e != nullptr && e->let != nullptr && e->kind != MemberKind::kMethod)
      return e->let(static_cast<Self&>(*this), value, args);
    LetByTablesOrName(member, value, args);
  }

 protected:
  // An entry of this class's member table.
  using TableEntry = typename MemberTable<Self>::Entry;

  // Adds this class's members, then its bases', to `index` at `level` and above; names already
  // there keep their entry.
  static void AddMembersTo(NameIndex<FoundMember>& index, int level) {
    for (const TableEntry& e : Self::Members().Entries()) index.Add(e.name, FoundMember{&e, level});
    if constexpr (kBaseIsTable) Base::AddMembersTo(index, level + 1);
  }

  // A property's value, or a method's result (reading a method runs it); 451 for a write-only
  // property.
  Variant ReadFound(const FoundMember& found, const Args& args) {
    if constexpr (kBaseIsTable) {
      if (found.level != 0) return Base::ReadFound({found.entry, found.level - 1}, args);
    }
    const TableEntry& e = *static_cast<const TableEntry*>(found.entry);
    if (!e.get) Raise(err::kWriteOnly);
    return e.get(static_cast<Self&>(*this), args);
  }
  // Writes a property: 451 for a method, 383 for a read-only property.
  void LetFound(const FoundMember& found, const Variant& value, const Args& args) {
    if constexpr (kBaseIsTable) {
      if (found.level != 0) return Base::LetFound({found.entry, found.level - 1}, value, args);
    }
    const TableEntry& e = *static_cast<const TableEntry*>(found.entry);
    if (e.kind == MemberKind::kMethod) Raise(err::kWriteOnly);
    if (!e.let) Raise(err::kReadOnly);
    e.let(static_cast<Self&>(*this), value, args);
  }

 private:
  // The entry this very class declares for a resolved name that was found in its tables before;
  // nullptr for anything else (another class, a base's member, no such member, a name not looked
  // up yet, tables not built yet), which the full lookups below answer. Reads only what is kept,
  // so that the calls above stay small.
  const TableEntry* OwnEntryFoundBefore(const MemberRef& member) const {
    const NameIndex<FoundMember>* tables = built_tables_.load(std::memory_order_acquire);
    // The same type_info object as a rule; one compared by name is left to the full lookup.
    if (tables == nullptr || &typeid(*this) != &typeid(Self)) return nullptr;
    const FoundMember* found = member.FoundBefore(*tables);
    return found != nullptr && found->level == 0 ? static_cast<const TableEntry*>(found->entry) : nullptr;
  }
  // A resolved name looked up in full: through the class derived further by the name, in the
  // tables, or by the first base that answers by hand. Out of line, to keep the calls above small.
  [[gnu::noinline]] Variant GetByTablesOrName(const MemberRef& member, const Args& args) {
    if (typeid(*this) != typeid(Self)) return this->Get(member.Name(), args);
    if (const FoundMember* found = member.FindIn(AllMembers())) return ReadFound(*found, args);
    // NOLINTNEXTLINE(bugprone-parent-virtual-call): unknown names skip the table levels on purpose
    return HandDispatched::Get(member.Name(), args);
  }
  // A call by a resolved name looked up in full, as GetByTablesOrName.
  [[gnu::noinline]] Variant CallByTablesOrName(const MemberRef& member, const Args& args) {
    if (typeid(*this) != typeid(Self)) return this->Call(member.Name(), args);
    if (const FoundMember* found = member.FindIn(AllMembers())) return ReadFound(*found, args);
    // NOLINTNEXTLINE(bugprone-parent-virtual-call): unknown names skip the table levels on purpose
    return HandDispatched::Call(member.Name(), args);
  }
  // A write by a resolved name looked up in full, as GetByTablesOrName.
  [[gnu::noinline]] void LetByTablesOrName(const MemberRef& member, const Variant& value, const Args& args) {
    if (typeid(*this) != typeid(Self)) return this->Let(member.Name(), value, args);
    if (const FoundMember* found = member.FindIn(AllMembers())) return LetFound(*found, value, args);
    // NOLINTNEXTLINE(bugprone-parent-virtual-call): unknown names skip the table levels on purpose
    HandDispatched::Let(member.Name(), value, args);
  }

  // The members of this class and of its table-dispatched bases, built on first use. Every
  // late-bound access asks for them: the check that they are built stays a few instructions, the
  // building is a call of its own.
  static const NameIndex<FoundMember>& AllMembers() {
    static const NameIndex<FoundMember>& built = BuildAllMembers();
    return built;
  }
  [[gnu::noinline]] static const NameIndex<FoundMember>& BuildAllMembers() {
    static NameIndex<FoundMember> index;
    AddMembersTo(index, 0);
    built_tables_.store(&index, std::memory_order_release);
    return index;
  }
  // The members once AllMembers has built them, read without its guard by the resolved calls.
  static inline std::atomic<const NameIndex<FoundMember>*> built_tables_{nullptr};
};

// Calls of a member on an object reached by name; 91 when the object is nothing.
Variant GetMember(const ObjectPtr& object, std::string_view member, const Args& args = kNoArgs);
// Writes the property `member` of an object reached by name; 91 when the object is nothing.
void LetMember(const ObjectPtr& object, std::string_view member, const Variant& value, const Args& args = kNoArgs);
// Runs the method `member` of an object reached by name; 91 when the object is nothing.
Variant CallMember(const ObjectPtr& object, std::string_view member, const Args& args = kNoArgs);
// Raises 91 for a member reached on nothing.
[[noreturn]] void RaiseObjectNotSet();
// Reads the property `member`, resolved once, of an object reached by name; 91 when it is nothing.
// Inline, as the two below: a resolved member is reached once per record of a fill.
inline Variant GetMember(const ObjectPtr& object, const MemberRef& member, const Args& args = kNoArgs) {
  if (!object) RaiseObjectNotSet();
  return object->GetResolved(member, args);
}
// Writes the property `member`, resolved once, of an object reached by name; 91 when it is nothing.
inline void LetMember(const ObjectPtr& object, const MemberRef& member, const Variant& value,
                      const Args& args = kNoArgs) {
  if (!object) RaiseObjectNotSet();
  object->LetResolved(member, value, args);
}
// Runs the method `member`, resolved once, of an object reached by name; 91 when it is nothing.
inline Variant CallMember(const ObjectPtr& object, const MemberRef& member, const Args& args = kNoArgs) {
  if (!object) RaiseObjectNotSet();
  return object->CallResolved(member, args);
}
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
