// What a database location names, and the sentence of a failure.
#include "app/data/database.h"

#include "ui_shared/platform/text.h"

namespace trf {

std::string SentenceOf(const kw::Error& error) {
  const std::string& description = error.Description();
  const size_t last_break = description.find_last_of('\n');
  std::string sentence =
      kw::text::Trim(last_break == std::string::npos ? description : description.substr(last_break + 1));
  return sentence.empty() ? std::string(kw::StandardDescription(error.Number())) : sentence;
}

bool IsServerUri(const std::string& location) {
  return location.rfind("postgresql://", 0) == 0 || location.rfind("postgres://", 0) == 0;
}

}  // namespace trf
