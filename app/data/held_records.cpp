// The records another desk holds, in words.
#include "app/data/held_records.h"

namespace trf {

std::string HeldByAnotherDesk(const TableDescription& table) {
  std::string whose;
  if (table.home_data == HomeData::kByMonth) whose = " of this month";
  if (table.home_data == HomeData::kByHome) whose = " of this home";
  return "another desk holds the " + std::string(table.plural) + whose + "; try again";
}

}  // namespace trf
