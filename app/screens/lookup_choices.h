// LookupChoices: the records a lookup field chooses from, each by the name a person reads, within
// the home, month or TRF type the screen works in (the family groups of the current home), so that
// a person chooses a family group by its name and never types its number.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/data/database.h"
#include "app/data/table_description.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace trf {

// The key the current context holds for records of `table` as their parent: the current home, month
// or TRF type ("" while none is current); nothing for a table no context names.
std::optional<std::string> ContextKeyOf(std::string_view table, kw::SharedProcedures& shared);

class LookupChoices {
 public:
  // Reads the choices of `column` (a lookup) within the context `shared` holds: the records of
  // its table whose parent is the current home, month or TRF type, when they belong to one.
  void Load(Database& database, const ColumnDescription& column, kw::SharedProcedures& shared);

  // The names, in order; a name two records share carries the record's key after it.
  const std::vector<std::string>& Names() const { return names_; }
  // The name of the record with `key`; nothing when no choice has it.
  std::optional<std::string> NameOf(const kw::Variant& key) const;
  // The key of the choice named `name`, or of the one choice whose name begins with it (case and
  // surrounding blanks ignored); nothing when none is, or several begin with it.
  std::optional<kw::Variant> KeyOf(std::string_view name) const;
  // Whether `other` offers the same records under the same names, in the same order.
  bool operator==(const LookupChoices& other) const;

 private:
  std::vector<std::string> names_;
  std::vector<kw::Variant> keys_;
};

}  // namespace trf
