// The change record as the application reads it and adds to it: a record's history, and the soft
// questions a person accepted. The engines' triggers write every other row (see trust_schema.h).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
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

// A soft question a person accepted, as the change record keeps it: the record (table and key), the
// field (its column; "" for a rule of the whole record or of a group of records), the value accepted
// as text (nothing for none), the rule, and who accepted it and when (UTC, "2026-12-06 19:05:45").
struct Acceptance {
  std::string table;
  std::string record_key;
  std::string field;
  std::optional<std::string> value;
  int32_t rule = 0;
  std::string who;
  std::string when;
};

// The acceptances that still hold (no change of their field is on record after them) about the
// records of `table` that belong to `parent`: a month record for a month's rows, a home for a home's
// rows; none for other tables. Oldest first; read through the index of accepted questions, once per
// loaded month or home.
std::vector<Acceptance> AcceptancesOf(Database& database, const TableDescription& table, int64_t parent);
// The same in two steps, for a load that runs it together with its rows (Database::RunTogether):
// the statement, bound (none for a table whose records belong to no home or month), then its rows
// read as acceptances.
std::unique_ptr<Statement> AcceptancesQuery(Database& database, const TableDescription& table, int64_t parent);
std::vector<Acceptance> ReadAcceptances(Statement& query);
// The acceptances that hold about the record `key` of `table` itself (a home, or a month record),
// where the questions about a group of its records are kept: the residents of a month on the month
// record, a home's family groups on the home.
std::vector<Acceptance> AcceptancesAbout(Database& database, const TableDescription& table, int64_t key);

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
