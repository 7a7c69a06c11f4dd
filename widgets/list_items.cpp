// List items, their packed sub-items and the list view's item collection.
#include "widgets/list_items.h"

#include <cstring>

#include "ui_shared/platform/control_members.h"
#include "widgets/collection_helpers.h"

namespace kw::widgets {

const MemberTable<ListSubItem>& ListSubItem::Members() {
  using S = ListSubItem;
  static const MemberTable<S> table{
      Property<&S::Text>(member::kText),
      Property<&S::Text>(member::kDefault),
      Property<&S::Key>(member::kKey),
  };
  return table;
}

namespace {
// The bytes a piece's length takes in front of it.
constexpr size_t kLengthBytes = sizeof(uint32_t);

void AppendPiece(std::string& packed, std::string_view piece) {
  const auto length = static_cast<uint32_t>(piece.size());
  packed.append(reinterpret_cast<const char*>(&length), kLengthBytes).append(piece);
}
}  // namespace

std::string_view ListSubItemTexts::PieceAt(size_t offset) const {
  uint32_t length = 0;
  std::memcpy(&length, packed_.data() + offset, kLengthBytes);
  return std::string_view(packed_).substr(offset + kLengthBytes, length);
}

size_t ListSubItemTexts::Offset(int32_t index) const {
  size_t offset = 0;
  for (int32_t i = 0; i < index; ++i) {
    offset += kLengthBytes + PieceAt(offset).size();  // the text
    offset += kLengthBytes + PieceAt(offset).size();  // the key
  }
  return offset;
}

void ListSubItemTexts::Add(std::string_view text, std::string_view key, int32_t position) {
  CheckInsertPosition(position, count_);
  // At the end the pieces go straight into the buffer; elsewhere they are put together first.
  std::string sub_item;
  std::string& target = position == 0 ? packed_ : sub_item;
  AppendPiece(target, text);
  AppendPiece(target, key);
  if (position != 0) packed_.insert(Offset(position - 1), sub_item);
  ++count_;
}

std::string_view ListSubItemTexts::Text(int32_t position) const {
  if (position < 1 || position > count_) Raise(widget_err::kIndexOutOfBounds, "", "Index out of bounds");
  return PieceAt(Offset(position - 1));
}

std::string_view ListSubItemTexts::Key(int32_t position) const {
  const std::string_view text = Text(position);
  return PieceAt(static_cast<size_t>(text.data() + text.size() - packed_.data()));
}

std::shared_ptr<ListSubItem> ListSubItemTexts::Item(int32_t position) const {
  return std::make_shared<ListSubItem>(std::string(Key(position)), std::string(Text(position)));
}

const MemberTable<ListSubItems>& ListSubItems::Members() {
  using S = ListSubItems;
  static const MemberTable<S> table{
      {member::kAdd, MemberKind::kMethod,
       [](S& s, const Args& a) {
         std::string text_storage, key_storage;
         const std::string_view text = OptionalTextView(a, 2, "Text", text_storage);
         const std::string_view key = OptionalTextView(a, 1, "Key", key_storage);
         s.Texts().Add(text, key, OptionalPosition(a, 0));
         return Variant::Object(std::make_shared<ListSubItem>(std::string(key), std::string(text)));
       }},
      Property<&S::Count>(member::kCount),
      Method<&S::Item, "Index">(member::kItem),
      Method<&S::Item, "Index">(member::kDefault),
  };
  return table;
}

const MemberTable<ListItem>& ListItem::Members() {
  using I = ListItem;
  static const MemberTable<I> table{
      {"SmallIcon", MemberKind::kProperty, [](I& i, const Args&) { return i.SmallIcon(); },
       [](I& i, const Variant& v, const Args&) { i.small_icon_ = v; }},
      {member::kListSubItems, MemberKind::kProperty,
       [](I& i, const Args&) {
         return Variant::Object(std::make_shared<ListSubItems>(std::static_pointer_cast<I>(i.shared_from_this())));
       }},
  };
  return table;
}

std::shared_ptr<ListItem> ListItems::Add(std::string key, std::string text, Variant small_icon, int32_t position) {
  auto item = std::make_shared<ListItem>(std::move(key), std::move(text), std::move(small_icon));
  Entries().Insert(item, position);
  return item;
}

std::shared_ptr<ListItem> ListItems::Item(const Variant& index) const {
  return std::static_pointer_cast<ListItem>(EntryCollection::Item(index));
}

const MemberTable<ListItems>& ListItems::Members() {
  static const MemberTable<ListItems> table{
      {member::kAdd, MemberKind::kMethod,
       [](ListItems& c, const Args& a) {
         return Variant::Object(c.Add(OptionalText(a, 1, "Key"), OptionalText(a, 2, "Text"), a.Optional(4, "SmallIcon"),
                                      OptionalPosition(a, 0)));
       }},
  };
  return table;
}

}  // namespace kw::widgets
