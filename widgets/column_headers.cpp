// Column headers of the headless list view.
#include "widgets/column_headers.h"

#include "widgets/collection_helpers.h"
#include "widgets/keyed_entries.h"

namespace kw::widgets {

const MemberTable<ColumnHeader>& ColumnHeader::Members() {
  static const MemberTable<ColumnHeader> table{
      {"Text", [](ColumnHeader& h, const Args&) { return Variant::Text(h.Text()); }, nullptr},
      {"", [](ColumnHeader& h, const Args&) { return Variant::Text(h.Text()); }, nullptr},
      {"Key", [](ColumnHeader& h, const Args&) { return Variant::Text(h.Key()); }, nullptr},
      {"Width", [](ColumnHeader& h, const Args&) { return Variant::Double(h.Width()); }, nullptr},
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
  static const auto item = [](ColumnHeaders& c, const Args& a) {
    return Variant::Object(c.Item(a.Required(0, "Index")));
  };
  static const MemberTable<ColumnHeaders> table{
      {"Add",
       [](ColumnHeaders& c, const Args& a) {
         const Variant* width = a.Find(3, "Width");
         return Variant::Object(c.Add(OptionalText(a, 2, "Text"),
                                      width && !width->IsEmpty() ? width->ToDouble() : kDefaultWidth,
                                      OptionalText(a, 1, "Key"), OptionalPosition(a, 0)));
       },
       nullptr},
      {"Count", [](ColumnHeaders& c, const Args&) { return Variant::Long(c.Count()); }, nullptr},
      {"Item", item, nullptr},
      {"", item, nullptr},
      {"Clear",
       [](ColumnHeaders& c, const Args&) {
         c.Clear();
         return Variant();
       },
       nullptr},
  };
  return table;
}

}  // namespace kw::widgets
