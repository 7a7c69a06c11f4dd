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
// A piece's length stands in front of it: one byte below kLongPiece, else that byte and four more.
constexpr unsigned char kLongPiece = 0xFF;
constexpr size_t kLongLengthBytes = sizeof(uint32_t);

size_t PieceSize(std::string_view piece) {
  return (piece.size() < kLongPiece ? 1 : 1 + kLongLengthBytes) + piece.size();
}

// Writes `piece` with its length at `out`; returns the end.
char* PutPiece(char* out, std::string_view piece) {
  if (piece.size() < kLongPiece) {
    *out++ = static_cast<char>(piece.size());
  } else {
    *out++ = static_cast<char>(kLongPiece);
    const auto length = static_cast<uint32_t>(piece.size());
    std::memcpy(out, &length, kLongLengthBytes);
    out += kLongLengthBytes;
  }
  if (!piece.empty()) std::memcpy(out, piece.data(), piece.size());
  return out + piece.size();
}
}  // namespace

std::string_view ListSubItemTexts::PieceAt(size_t place) const {
  const auto lead = static_cast<unsigned char>(packed_[place]);
  if (lead != kLongPiece) return std::string_view(packed_).substr(place + 1, lead);
  uint32_t length = 0;
  std::memcpy(&length, packed_.data() + place + 1, kLongLengthBytes);
  return std::string_view(packed_).substr(place + 1 + kLongLengthBytes, length);
}

size_t ListSubItemTexts::PieceEnd(size_t place) const {
  const std::string_view piece = PieceAt(place);
  return static_cast<size_t>(piece.data() + piece.size() - packed_.data());
}

void ListSubItemTexts::Add(std::string_view text, std::string_view key, int32_t position) {
  CheckInsertPosition(position, count_);
  const auto place = static_cast<uint32_t>(packed_.size());
  // The pieces always go to the end of the buffer; an insert elsewhere only changes the order.
  packed_.resize(place + PieceSize(text) + PieceSize(key));
  PutPiece(PutPiece(packed_.data() + place, text), key);
  if (position != 0 && position <= count_) {
    if (!order_) {
      order_ = std::make_unique<std::vector<uint32_t>>();
      for (size_t at = 0; at < place; at = PieceEnd(PieceEnd(at))) order_->push_back(static_cast<uint32_t>(at));
    }
    order_->insert(order_->begin() + (position - 1), place);
  } else if (order_) {
    order_->push_back(place);
  }
  ++count_;
}

uint32_t ListSubItemTexts::PlaceOf(int32_t position) const {
  if (position < 1 || position > count_) Raise(widget_err::kIndexOutOfBounds, "", "Index out of bounds");
  if (order_) return (*order_)[static_cast<size_t>(position - 1)];
  size_t place = 0;
  for (int32_t i = 1; i < position; ++i) place = PieceEnd(PieceEnd(place));
  return static_cast<uint32_t>(place);
}

std::string_view ListSubItemTexts::KeyAt(uint32_t place) const { return PieceAt(PieceEnd(place)); }

std::string_view ListSubItemTexts::Text(int32_t position) const { return TextAt(PlaceOf(position)); }

std::string_view ListSubItemTexts::Key(int32_t position) const { return KeyAt(PlaceOf(position)); }

std::shared_ptr<ListSubItem> ListSubItemTexts::Item(int32_t position) const {
  const uint32_t place = PlaceOf(position);
  auto own = std::make_shared<ListSubItemTexts>();
  own->Add(TextAt(place), KeyAt(place));
  return std::make_shared<ListSubItem>(std::move(own), 0);
}

std::shared_ptr<ListSubItem> ListSubItems::SubItemAt(uint32_t place) const {
  if (last_ && last_.use_count() == 1) {
    last_->place_ = place;
  } else {
    last_ = std::make_shared<ListSubItem>(texts_, place);
  }
  return last_;
}

const MemberTable<ListSubItems>& ListSubItems::Members() {
  using S = ListSubItems;
  static const MemberTable<S> table{
      {member::kAdd, MemberKind::kMethod,
       [](S& s, const Args& a) {
         std::string text_storage, key_storage;
         const std::string_view text = OptionalTextView(a, 2, "Text", text_storage);
         const std::string_view key = OptionalTextView(a, 1, "Key", key_storage);
         const int32_t position = OptionalPosition(a, 0);
         const auto place = static_cast<uint32_t>(s.texts_->PackedSize());
         s.texts_->Add(text, key, position);
         return Variant::Object(s.SubItemAt(place));
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
  // Items of one list as a rule have texts of similar length: room for as many as the last one's.
  if (Count() > 0) item->SubItems().Reserve(static_cast<ListItem&>(*Entries().At(Count())).SubItems().PackedSize());
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
