// The errors of the data layer: raised, read and worded anew; values as stored.
#include "app/data/database.h"

namespace trf {

namespace {

constexpr const char* kBlanks = " \t\r\n";

}  // namespace

kw::Variant StoredAsDate(const kw::Variant& stored) {
  return stored.IsNull() ? stored : kw::Variant::Date(stored.ToDouble());
}

kw::Variant BoundKey(int64_t key) { return kw::Variant::Double(static_cast<double>(key)); }

kw::Variant StoredWholeNumber(int64_t number) {
  if (number >= INT32_MIN && number <= INT32_MAX) return kw::Variant::Long(static_cast<int32_t>(number));
  return kw::Variant::Double(static_cast<double>(number));
}

void Statement::AppendRow(std::span<const ReadAs> as, std::vector<kw::Variant>& values) const {
  for (size_t i = 0; i < as.size(); ++i) {
    kw::Variant& value = values.emplace_back(Column(static_cast<int>(i)));
    if (as[i] == ReadAs::kDate) value = StoredAsDate(value);
  }
}

std::string SentenceOf(const kw::Error& error) {
  const std::string& description = error.Description();
  const size_t line_break = description.rfind('\n');
  const size_t start = description.find_first_not_of(kBlanks, line_break == std::string::npos ? 0 : line_break);
  if (start != std::string::npos) return description.substr(start, description.find_last_not_of(kBlanks) + 1 - start);
  const std::string_view standard = kw::StandardDescription(error.Number());
  return standard.empty() ? "The operation could not be completed." : std::string(standard);
}

void RaiseDataError(int32_t number, const std::string& sentence, const std::string& engine_words) {
  kw::Raise(number, "KW_DB", engine_words.empty() ? sentence : engine_words + "\r\n" + sentence);
}

void RaiseInstead(const kw::Error& error, const std::string& sentence) {
  const std::string& description = error.Description();
  const size_t line_break = description.rfind("\r\n");
  const std::string before = line_break == std::string::npos ? "" : description.substr(0, line_break + 2);
  throw kw::Error(error.Number(), error.Source(), before + sentence);
}

}  // namespace trf
