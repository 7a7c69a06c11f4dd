// List keys made from a prefix and a record key value.
#include "ui_shared/shared_procedures/list_keys.h"

#include "ui_shared/platform/text.h"

namespace kw {

std::string ListKey(std::string_view prefix, const Variant& record_key) {
  std::string key(prefix.empty() ? kDefaultKeyPrefix : prefix);
  if (!record_key.IsNull()) record_key.AppendText(key);
  return key;
}

std::string RecordKeyOf(std::string_view list_key, std::string_view prefix) {
  if (prefix.empty()) return text::Mid(list_key, text::Len(kDefaultKeyPrefix) + 1);
  const Variant rest = Variant::Text(text::Mid(list_key, text::Len(prefix) + 1));
  return StrOf(Variant::Double(rest.ToDouble()));
}

}  // namespace kw
