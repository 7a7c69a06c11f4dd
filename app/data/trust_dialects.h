// The trust statements of each engine, behind TrustSql and KeepTriggerSql (see trust_schema.h).
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "app/data/table_description.h"

namespace trf {

std::string PostgresTrustSql(std::span<const TableDescription> tables, const std::string& schema);
std::string PostgresKeepTriggerSql(const TableDescription& table, bool record, const std::string& schema);
std::string SqliteTrustSql(std::span<const TableDescription> tables);

// A name of this program's own (a table, a column) as an SQL literal; never a value of a person's.
std::string Quoted(std::string_view text);

// The column that ties a table's rows to their home or their month.
std::string_view LinkColumn(const TableDescription& table);

// The partial index through which the accepted questions of a home, or of one of its months, are
// read back (see AcceptancesOf): `table` is the change record's name as the engine's statements write it.
std::string AcceptedQuestionsIndex(const std::string& table);

// The sentence that refuses a change made past the TRF's rules, in words, with a quote doubled for
// an SQL literal.
std::string SqlText(std::string_view sentence);

}  // namespace trf
