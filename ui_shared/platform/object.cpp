// Late-bound dispatch defaults and member-name hashing.
#include "ui_shared/platform/object.h"

#include <utility>

#include "ui_shared/platform/text.h"

namespace kw {
namespace {
char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

Variant Object::Get(std::string_view, const Args&) { Raise(err::kNoSuchMember); }
void Object::Let(std::string_view, const Variant&, const Args&) { Raise(err::kNoSuchMember); }
Variant Object::Call(std::string_view, const Args&) { Raise(err::kNoSuchMember); }
std::vector<Variant> Object::Enumerate() { Raise(err::kNoSuchMember); }

VarType Object::DefaultVarType() {
  try {
    return DefaultValue().Type();
  } catch (const Error&) {
    return VarType::Object;
  }
}

size_t NoCaseHash::operator()(std::string_view s) const noexcept {
  size_t h = 1469598103934665603ull;
  for (char c : s) {
    h ^= static_cast<unsigned char>(Fold(c));
    h *= 1099511628211ull;
  }
  return h;
}

bool NoCaseEqual::operator()(std::string_view a, std::string_view b) const noexcept { return text::EqualsNoCase(a, b); }

void RaiseObjectNotSet() { Raise(err::kObjectNotSet); }

namespace {
Object& Require(const ObjectPtr& object) {
  if (!object) RaiseObjectNotSet();
  return *object;
}
}  // namespace

Variant GetMember(const ObjectPtr& object, std::string_view member, const Args& args) {
  return Require(object).Get(member, args);
}

void LetMember(const ObjectPtr& object, std::string_view member, const Variant& value, const Args& args) {
  Require(object).Let(member, value, args);
}

Variant CallMember(const ObjectPtr& object, std::string_view member, const Args& args) {
  return Require(object).Call(member, args);
}

std::string TypeNameOf(const ObjectPtr& object) { return object ? object->TypeName() : "Nothing"; }

}  // namespace kw
