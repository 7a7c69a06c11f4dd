// Fuzzes the command interpreter of `trf`: any script runs on a fresh sample database without a
// fault, and leaves that database passing its integrity and foreign-key checks.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

#include "app/terminal/trf_session.h"
#include "fuzz/fuzz_check.h"

using kw::fuzz::Require;

namespace {

// Every row `pragma` gives, one per line.
std::string Rows(trf::Database& database, const std::string& pragma) {
  std::string rows;
  const auto statement = database.Prepare(pragma);
  while (statement->Step()) {
    for (int column = 0; column < statement->ColumnCount(); ++column) {
      const kw::Variant value = statement->Column(column);
      rows += (value.IsNull() ? "NULL" : value.ToText()) + (column + 1 < statement->ColumnCount() ? "|" : "\n");
    }
  }
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
  std::shared_ptr<trf::Database> database;
  {
    std::ostream nowhere(nullptr);  // the transcript is not looked at
    trf::TrfSession session(":memory:", nowhere, nullptr);
    database = session.Services().database();
    session.RunScript(script, false);
  }
  const std::string integrity = Rows(*database, "PRAGMA integrity_check");
  Require(integrity == "ok\n", "the database passes its integrity check:\n" + integrity);
  const std::string foreign_keys = Rows(*database, "PRAGMA foreign_key_check");
  Require(foreign_keys.empty(), "the database passes its foreign-key check:\n" + foreign_keys);
  return 0;
}
