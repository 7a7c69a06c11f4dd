// List items, their packed sub-items and the list view's item collection.
#include "widgets/list_items.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

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

void ListSubItemTexts::FreeBytes::operator()(char* bytes) const {
  std::free(bytes);  // NOLINT(cppcoreguidelines-no-malloc): the buffer grows with realloc
}

ListSubItemTexts::ListSubItemTexts(std::string_view text, size_t room) {
  // A buffer that cannot hold its item's own text is no room at all.
  if (room > PieceSize(text)) {
    // NOLINTNEXTLINE(cppcoreguidelines-no-malloc): the buffer grows with realloc
    bytes_.reset(static_cast<char*>(std::malloc(room)));
    if (!bytes_) throw std::bad_alloc();
    capacity_ = static_cast<uint32_t>(room);
  }
  Append(text);
}

std::string_view ListSubItemTexts::PieceAt(size_t place) const {
  const char* at = bytes_.get() + place;
  const auto lead = static_cast<unsigned char>(*at);
  if (lead != kLongPiece) return {at + 1, lead};
  uint32_t length = 0;
  std::memcpy(&length, at + 1, kLongLengthBytes);
  return {at + 1 + kLongLengthBytes, length};
}

size_t ListSubItemTexts::PieceEnd(size_t place) const {
  const std::string_view piece = PieceAt(place);
  return static_cast<size_t>(piece.data() + piece.size() - bytes_.get());
}

uint32_t ListSubItemTexts::Append(std::string_view first, const std::string_view* second) {
  const uint32_t place = size_;
  const size_t end = place + PieceSize(first) + (second ? PieceSize(*second) : 0);
  if (end > UINT32_MAX) throw std::length_error("list item texts");
  if (end > capacity_) {
    // Exactly as large as needed: a buffer outgrows the room it was made with only for an item
    // with texts much longer than the one before it.
    // NOLINTNEXTLINE(cppcoreguidelines-no-malloc): grows in place where the allocator can
    char* grown = static_cast<char*>(std::realloc(bytes_.get(), end));
    if (!grown) throw std::bad_alloc();
    (void)bytes_.release();
    bytes_.reset(grown);
    capacity_ = static_cast<uint32_t>(end);
  }
  char* out = PutPiece(bytes_.get() + place, first);
  if (second) PutPiece(out, *second);
  size_ = static_cast<uint32_t>(end);
  return place;
}

void ListSubItemTexts::ShrinkToFit() {
  if (size_ == capacity_) return;
  // NOLINTNEXTLINE(cppcoreguidelines-no-malloc): shrinks in place
  if (char* shrunk = static_cast<char*>(std::realloc(bytes_.get(), size_))) {
    (void)bytes_.release();
    bytes_.reset(shrunk);
    capacity_ = size_;
  }
}

std::unique_ptr<std::vector<uint32_t>> ListSubItemTexts::OrderFromBuffer() const {
  auto order = std::make_unique<std::vector<uint32_t>>();
  order->reserve(static_cast<size_t>(count_) + 1);
  for (size_t at = PieceEnd(0); at < size_; at = PieceEnd(PieceEnd(at))) order->push_back(static_cast<uint32_t>(at));
  return order;
}

void ListSubItemTexts::ItemText(std::string_view text) {
  if (count_ == 0) {
    // Nothing refers to a place yet: the buffer starts again with the new text.
    size_ = 0;
    text_place_ = Append(text);
    order_.reset();
    return;
  }
  if (!order_) order_ = OrderFromBuffer();
  text_place_ = Append(text);
}

void ListSubItemTexts::Add(std::string_view text, std::string_view key, int32_t position) {
  CheckInsertPosition(position, count_);
  // The pieces always go to the end of the buffer; an insert elsewhere only changes the order.
  const uint32_t place = Append(text, &key);
  if (position != 0 && position <= count_) {
    if (!order_) {
      order_ = OrderFromBuffer();
      order_->pop_back();  // the sub-item just appended, which goes to `position`
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
  size_t place = PieceEnd(0);
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
  const uint32_t own_place = own->PlaceOf(1);
  return std::make_shared<ListSubItem>(std::move(own), own_place);
}

std::shared_ptr<ListSubItems> ListSubItems::Of(const std::shared_ptr<ListItem>& item) {
  thread_local std::shared_ptr<ListSubItems> handed_out;
  if (handed_out && handed_out.use_count() == 1) {
    handed_out->texts_ = std::shared_ptr<ListSubItemTexts>(item, &item->SubItems());
  } else {
    handed_out = std::make_shared<ListSubItems>(item);
  }
  return handed_out;
}

std::shared_ptr<ListSubItem> ListSubItems::SubItemAt(uint32_t place) const {
  if (last_ && last_.use_count() == 1) {
    if (last_->texts_ != texts_) last_->texts_ = texts_;
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
         static constexpr std::array<Param, 3> kParams{{{0, "Index"}, {1, "Key"}, {2, "Text"}}};
         const auto [index, key_argument, text_argument] = a.Bind(kParams);
         std::string text_storage, key_storage;
         const std::string_view text = TextViewOf(text_argument, text_storage);
         const std::string_view key = TextViewOf(key_argument, key_storage);
         const int32_t position = InsertPositionOf(index);
         const auto place = static_cast<uint32_t>(s.texts_->PackedSize());
         s.texts_->Add(text, key, position);
         if (a.IsResultUnused()) return Variant();
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
       [](I& i, const Variant& v, const Args&) { i.small_icon_ = ItemIcon(v); }},
      {member::kListSubItems, MemberKind::kProperty,
       [](I& i, const Args&) {
         return Variant::Object(ListSubItems::Of(std::static_pointer_cast<I>(i.shared_from_this())));
       }},
  };
  return table;
}

std::shared_ptr<ListItem> ListItems::Add(std::string key, std::string_view text, const Variant& small_icon,
                                         int32_t position) {
  // Items of one list as a rule have texts of similar length: room for half as many again as the
  // last one's, so that a new item seldom grows its buffer; the last one is complete now and gives
  // back what it does not use.
  size_t room = 0;
  if (Count() > 0) {
    ListSubItemTexts& last = static_cast<ListItem&>(*Entries().At(Count())).SubItems();
    last.ShrinkToFit();
    room = last.PackedSize() + last.PackedSize() / 2;
  }
  auto item = std::make_shared<ListItem>(std::move(key), text, small_icon, room);
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
         static constexpr std::array<Param, 4> kParams{{{0, "Index"}, {1, "Key"}, {2, "Text"}, {4, "SmallIcon"}}};
         static const Variant kNoIcon;
         const auto [index, key, text, small_icon] = a.Bind(kParams);
         std::string text_storage;
         return Variant::Object(c.Add(TextOf(key), TextViewOf(text, text_storage), small_icon ? *small_icon : kNoIcon,
                                      InsertPositionOf(index)));
       }},
  };
  return table;
}

}  // namespace kw::widgets
