// The combo box and the messages its window answers.
#include "widgets/combo_box.h"

#include "ui_shared/platform/control_members.h"
#include "ui_shared/platform/text.h"

namespace kw::widgets {
namespace {
constexpr int32_t kInvalidPropertyValue = 380;
constexpr int32_t kInvalidArrayIndex = 381;

bool BeginsWithNoCase(const std::string& item, const std::string& prefix) {
  return item.size() >= prefix.size() &&
         kw::text::EqualsNoCase(std::string_view(item).substr(0, prefix.size()), prefix);
}
}  // namespace

ComboBox::ComboBox() : LateBound("ComboBox", [this](const kw::WindowMessage& m) { return Answer(m); }) {}

std::shared_ptr<ComboBox> ComboBox::Make(const std::vector<std::string>& items) {
  auto combo = std::make_shared<ComboBox>();
  for (const auto& item : items) combo->AddItem(item);
  return combo;
}

void ComboBox::RemoveItem(int32_t index) {
  if (index < 0 || index >= ListCount()) kw::Raise(kw::err::kInvalidCall);
  items_.erase(items_.begin() + index);
  if (list_index_ == index) list_index_ = -1;
  if (list_index_ > index) --list_index_;
}

void ComboBox::Clear() {
  items_.clear();
  list_index_ = -1;
  SetText("");
}

const std::string& ComboBox::List(int32_t index) const {
  if (index < 0 || index >= ListCount()) kw::Raise(kInvalidArrayIndex, "", "Invalid property array index");
  return items_[static_cast<size_t>(index)];
}

void ComboBox::SetListIndex(int32_t index) {
  if (index < -1 || index >= ListCount()) kw::Raise(kInvalidPropertyValue, "", "Invalid property value");
  list_index_ = index;
  ShowText(index < 0 ? std::string() : items_[static_cast<size_t>(index)]);
}

int32_t ComboBox::Find(const std::string& text, int32_t start, bool exact) const {
  const int32_t count = ListCount();
  if (text.empty() || count == 0) return -1;
  int32_t first = start + 1;
  if (first < 0 || first >= count) first = 0;
  for (int32_t n = 0; n < count; ++n) {
    const int32_t i = (first + n) % count;
    const std::string& item = items_[static_cast<size_t>(i)];
    if (exact ? kw::text::EqualsNoCase(item, text) : BeginsWithNoCase(item, text)) return i;
  }
  return -1;
}

int64_t ComboBox::Answer(const kw::WindowMessage& message) {
  namespace m = combo_messages;
  switch (message.msg) {
    case m::kGetDroppedState: return dropped_ ? 1 : 0;
    case m::kShowDropDown: dropped_ = message.wparam != 0; return 1;
    case m::kFindString:
    case m::kFindStringExact:
      return Find(message.lparam.ToText(), static_cast<int32_t>(message.wparam), message.msg == m::kFindStringExact);
    case m::kSetCurSel:
      if (message.wparam < -1 || message.wparam >= ListCount()) return m::kNotFound;
      SetListIndex(static_cast<int32_t>(message.wparam));
      return message.wparam;
    default: return 0;
  }
}

const kw::MemberTable<ComboBox>& ComboBox::Members() {
  using kw::Args;
  using kw::Variant;
  using C = ComboBox;
  namespace m = kw::member;
  static const kw::MemberTable<C> table{
      {m::kList, kw::MemberKind::kProperty,
       [](C& c, const Args& args) { return Variant::Text(c.List(args.Required(0, "Index").ToLong())); },
       [](C& c, const Variant& v, const Args& args) {
         const int32_t index = args.Required(0, "Index").ToLong();
         c.List(index);
         c.items_[static_cast<size_t>(index)] = v.ToText();
       }},
      kw::Property<&C::ListCount>("ListCount"),
      kw::Property<&C::ListIndex, &C::SetListIndex>("ListIndex"),
      kw::Method<&C::AddItem, "Item">("AddItem"),
      kw::Method<&C::RemoveItem, "Index">("RemoveItem"),
      kw::Method<&C::Clear>(m::kClear),
  };
  return table;
}

}  // namespace kw::widgets
