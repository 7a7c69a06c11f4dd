// Optional arguments and insert positions of the widgets' collections.
#include "widgets/collection_helpers.h"

#include "widgets/keyed_entries.h"

namespace kw::widgets {

std::string OptionalText(const Args& args, size_t index, std::string_view name) {
  const Variant* v = args.Find(index, name);
  return v ? v->ToText() : std::string();
}

std::string_view OptionalTextView(const Args& args, size_t index, std::string_view name, std::string& storage) {
  const Variant* v = args.Find(index, name);
  if (v && v->IsText()) return v->GetText();
  storage = v ? v->ToText() : std::string();
  return storage;
}

int32_t OptionalPosition(const Args& args, size_t index) {
  const Variant* v = args.Find(index, "Index");
  return v && !v->IsEmpty() ? v->ToLong() : 0;
}

void CheckInsertPosition(int32_t position, int32_t count) {
  if (position < 0 || position > count + 1) Raise(widget_err::kIndexOutOfBounds, "", "Index out of bounds");
}

}  // namespace kw::widgets
