// Column headers of the headless list view.
#include "widgets/column_headers.h"

#include "ui_shared/platform/control_members.h"
#include "widgets/collection_helpers.h"
#include "widgets/keyed_entries.h"

namespace kw::widgets {

const MemberTable<ColumnHeader>& ColumnHeader::Members() {
  using H = ColumnHeader;
  static const MemberTable<H> table{
      Property<&H::Text>(member::kText),
      Property<&H::Text>(member::kDefault),
      Property<&H::Key>(member::kKey),
      Property<&H::Width>("Width"),
  };
  return table;
}

std::shared_ptr<ColumnHeader> ColumnHeaders::Add(std::string text, double width, std::string key, int32_t position) {
  auto header = std::make_shared<ColumnHeader>(std::move(key), std::move(text), width);
  InsertAt(headers_, header, position);
  return header;
}

std::shared_ptr<ColumnHeader> ColumnHeaders::Item(const Variant& index) const {
  if (index.IsText()) {
    for (const auto& h : headers_)
      if (h->Key() == index.GetText()) return h;
    Raise(widget_err::kElementNotFound, "", "Element not found");
  }
  const int32_t position = index.ToLong();
  if (position < 1 || position > Count()) Raise(widget_err::kIndexOutOfBounds, "", "Index out of bounds");
  return headers_[static_cast<size_t>(position - 1)];
}

const MemberTable<ColumnHeaders>& ColumnHeaders::Members() {
  using C = ColumnHeaders;
  static const MemberTable<C> table{
      {member::kAdd, MemberKind::kMethod,
       [](C& c, const Args& a) {
         const Variant* width = a.Find(3, "Width");
         return Variant::Object(c.Add(OptionalText(a, 2, "Text"),
                                      width && !width->IsEmpty() ? width->ToDouble() : kDefaultWidth,
                                      OptionalText(a, 1, "Key"), OptionalPosition(a, 0)));
       }},
      Property<&C::Count>(member::kCount),
      Method<&C::Item, "Index">(member::kItem),
      Method<&C::Item, "Index">(member::kDefault),
      Method<&C::Clear>(member::kClear),
  };
  return table;
}

}  // namespace kw::widgets
