// Text-keyed dictionary.
#include "ui_shared/platform/dictionary.h"

#include "ui_shared/platform/error.h"

namespace kw {

std::string Dictionary::Item(const std::string& key) const {
  const auto it = items_.find(key);
  return it == items_.end() ? std::string() : it->second;
}

void Dictionary::Add(const std::string& key, const std::string& value) {
  if (!items_.emplace(key, value).second) Raise(err::kDuplicateKey);
}

void Dictionary::Remove(const std::string& key) {
  if (items_.erase(key) == 0) Raise(err::kInvalidCall);
}

}  // namespace kw
