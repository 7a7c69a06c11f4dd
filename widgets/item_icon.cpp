// A list item's icon in one word.
#include "widgets/item_icon.h"

namespace kw::widgets {

ItemIcon::ItemIcon(const Variant& icon) {
  switch (icon.Type()) {
    case VarType::Empty: break;
    case VarType::Integer: word_ = Tagged(icon.ToInteger(), kInteger); break;
    case VarType::Long: word_ = Tagged(icon.ToLong(), kLong); break;
    default: word_ = reinterpret_cast<uint64_t>(new Variant(icon));  // NOLINT: a pointer the word owns
  }
}

uint64_t ItemIcon::Tagged(int32_t number, uint64_t tag) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(number)) << kValueShift) | tag;
}

ItemIcon::~ItemIcon() { delete Held(); }

ItemIcon& ItemIcon::operator=(ItemIcon&& other) noexcept {
  if (this != &other) {
    delete Held();
    word_ = std::exchange(other.word_, 0);
  }
  return *this;
}

Variant* ItemIcon::Held() const {
  return (word_ & kTagBits) == 0 ? reinterpret_cast<Variant*>(word_) : nullptr;  // NOLINT: see ItemIcon
}

Variant ItemIcon::Value() const {
  const auto number = static_cast<int32_t>(static_cast<uint32_t>(word_ >> kValueShift));
  switch (word_ & kTagBits) {
    case kInteger: return Variant::Integer(static_cast<int16_t>(number));
    case kLong: return Variant::Long(number);
    default: break;
  }
  const Variant* held = Held();
  return held ? *held : Variant();
}

}  // namespace kw::widgets
