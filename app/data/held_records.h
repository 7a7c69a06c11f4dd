// What a step refused because another desk held the records it needed says: the records by their
// table, in the words a person uses ("another desk holds the residents of this month; try again"),
// given by the layer that knows which table the step was for.
#pragma once

#include <string>
#include <string_view>

#include "app/data/database.h"
#include "app/data/table_description.h"

namespace trf {

// "another desk holds the residents of this month; try again": the records of `table` that a step
// was refused for, by their plural and what they belong to.
std::string HeldByAnotherDesk(const TableDescription& table);

// Runs `body`; a step of it refused as held (kHeldByAnotherDeskError) is raised again, number and
// trail kept, with the sentence "`outcome`: another desk holds the ... ; try again.".
template <class Body>
decltype(auto) NamingHeldRecords(const TableDescription& table, std::string_view outcome, Body&& body) {
  try {
    return body();
  } catch (const kw::Error& error) {
    if (error.Number() != kHeldByAnotherDeskError) throw;
    RaiseInstead(error, std::string(outcome) + ": " + HeldByAnotherDesk(table) + ".");
  }
}

}  // namespace trf
