// The change record as the application reads it and adds to it: a record's history, and the soft
// questions a person accepted. The engines' triggers write every other row (see trust_schema.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/data/database.h"
#include "app/data/table_description.h"

namespace trf {

// One row of the change record. A whole row added or removed has no field: its values are a JSON
// object in `new_value` or `old_value`. An accepted soft question carries its rule and message.
struct Change {
  std::string who;
  std::string when;  // UTC, "2026-12-06 19:05:45"
  std::string field;
  kw::Variant old_value;
  kw::Variant new_value;
  int32_t rule = 0;
  std::string message;
};

// The changes of the record of `table` keyed `key`, oldest first (on a server, those the desk may read).
std::vector<Change> ChangesOf(Database& database, std::string_view table, const kw::Variant& key);

// Adds accepted soft questions to the change record, in the transaction of the save they belong to.
class AcceptanceRecorder {
 public:
  AcceptanceRecorder(Database& database, const TableDescription& table);
  // Queues (see Statement::Queue) one accepted question: the record's `key` and the value of the
  // column that ties it to its home or month (`link`), its field, the value accepted, the rule and the
  // message the person read.
  void Queue(const kw::Variant& key, const kw::Variant& link, const std::string& field, const kw::Variant& value,
             int32_t rule, const std::string& message);

 private:
  const TableDescription& table_;
  bool on_server_;
  std::unique_ptr<Statement> insert_;
};

}  // namespace trf
