// ChangeLog: the change record of a made region, written as the server's triggers would have
// written it while the homes worked: every row added (whole, as JSON), every field changed, every
// question a person accepted, each entry chained on its home's chain with the project's own chain
// digest, in the order the entries were written. The heads of the chains go in at the end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/data/sha256.h"
#include "app/data/table_description.h"
#include "app/region/copy_stream.h"
#include "app/region/region_row.h"

namespace trf::region {

// Who wrote an entry (a role), and when (UTC, "2026-12-06 19:05:45").
struct Stamp {
  std::string who;
  std::string when;
};

class ChangeLog {
 public:
  // The entries go to `entries`, a COPY of the change record's columns (EntryColumns).
  ChangeLog(CopyStream& entries, int64_t homes);

  // The record's columns, in the order each entry is written.
  static std::vector<std::string> EntryColumns();

  // Row `row` of `table` added, whose key is its first value, by a desk of home `home` (for a
  // month's row, of month record `month`; 0 for a row of the home).
  void Added(const Stamp& stamp, const TableDescription& table, const Row& row, int64_t home, int64_t month);
  // Field `column` of the row keyed `key` changed from `before` to `after`.
  void Changed(const Stamp& stamp, const TableDescription& table, int64_t key, int64_t home, int64_t month,
               std::string_view column, const Value& before, const Value& after);
  // A question on field `property` of the row keyed `key`, accepted at value `value` with the rule's
  // number and message; a month's row names its month.
  void Accepted(const Stamp& stamp, const TableDescription& table, int64_t key, int64_t home, int64_t month,
                std::string_view property, const std::string& value, int32_t rule, const std::string& message);

  // The digest of home `home`'s newest entry (the genesis before its first).
  const std::string& Head(int64_t home) const { return heads_[static_cast<size_t>(home)]; }
  // Writes every home's head to `heads`, a COPY of the heads' home and digest.
  void WriteHeads(CopyStream& heads) const;
  int64_t Entries() const { return next_id_ - 1; }

 private:
  // One entry with its chained values as the server writes them (nothing for a null).
  void Write(const Stamp& stamp, const TableDescription& table, int64_t key, int64_t home, int64_t month,
             std::optional<std::string> field, std::optional<std::string> old_value,
             std::optional<std::string> new_value, std::optional<std::string> rule, std::optional<std::string> message);

  CopyStream& entries_;
  std::vector<std::string> heads_;  // by home; [0] unused
  int64_t next_id_ = 1;
  Sha256 sha_;
  std::string content_;
};

}  // namespace trf::region
