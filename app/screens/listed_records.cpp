// The records as texts for the list building.
#include "app/screens/listed_records.h"

namespace trf {

kw::Variant ListedRecords::Get(std::string_view member, const kw::Args& args) {
  kw::Variant value = records_->Get(member, args);
  return value.IsNull() ? kw::Variant::Text("") : value;
}

}  // namespace trf
