// List keys made from a prefix and a record key value.
#include "ui_shared/shared_procedures/list_keys.h"

namespace kw {

std::string ListKey(std::string_view prefix, const Variant& record_key) {
  std::string key(prefix.empty() ? kDefaultKeyPrefix : prefix);
  if (!record_key.IsNull()) key += record_key.ToText();
  return key;
}

}  // namespace kw
