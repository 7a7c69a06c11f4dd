// Optional arguments and insert positions of the widgets' collections.
#include "widgets/collection_helpers.h"

#include "widgets/keyed_entries.h"

namespace kw::widgets {

std::string TextOf(const Variant* argument) { return argument ? argument->ToText() : std::string(); }

std::string OptionalText(const Args& args, size_t index, std::string_view name) {
  return TextOf(args.Find(index, name));
}

std::string_view OptionalTextView(const Args& args, size_t index, std::string_view name, std::string& storage) {
  return TextViewOf(args.Find(index, name), storage);
}

int32_t OptionalPosition(const Args& args, size_t index) { return InsertPositionOf(args.Find(index, "Index")); }

void CheckInsertPosition(int32_t position, int32_t count) {
  if (position < 0 || position > count + 1) Raise(widget_err::kIndexOutOfBounds, "", "Index out of bounds");
}

}  // namespace kw::widgets
