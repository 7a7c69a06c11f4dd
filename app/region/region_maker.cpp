// Making a region: the schema, the homes' months by COPY, the desks' roles, the counters.
#include "app/region/region_maker.h"

#include <chrono>
#include <stdexcept>

#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"
#include "app/data/trust_schema.h"

namespace trf::region {

namespace {

// The first column of the first row `sql` answers.
kw::Variant Scalar(Database& database, const std::string& sql) {
  auto query = database.Prepare(sql);
  return query->Step() ? query->Column(0) : kw::Variant::Null();
}

// The lookups a fresh database starts with, put in when missing, as the homes choose from them.
RegionLookups Lookups(Database& database) {
  if (Scalar(database, "SELECT COUNT(*) FROM tbHU_TrfTypes").ToLong() == 0) {
    Transaction transaction(database);
    InsertLookups(database);
    transaction.Commit();
  }
  RegionLookups lookups;
  auto type = database.Prepare("SELECT HU_TrfTypesCD, HU_Description FROM tbHU_TrfTypes ORDER BY HU_TrfTypeNum");
  if (!type->Step()) throw std::runtime_error("the database has no TRF type to file");
  lookups.trf_type = type->Column(0).ToText();
  lookups.trf_type_description = type->Column(1).ToText();
  type.reset();
  auto categories = database.Prepare(
      "SELECT HU_ExpenseCategoriesID, HU_CategoryName FROM tbHU_ExpenseCategories WHERE HU_TrfTypesCD = ? "
      "ORDER BY HU_ExpenseCategoriesID");
  categories->Bind(1, kw::Variant::Text(lookups.trf_type));
  while (categories->Step()) {
    lookups.categories[static_cast<int64_t>(categories->Column(0).ToDouble())] = categories->Column(1).ToText();
  }
  return lookups;
}

// Grants each desk its home, as the administrator grants homes (the access table's triggers keep
// what the policies read), and makes each desk a login role of the server and a member of the
// desks' group (roles are the server's: one another region made already is used as it is).
void GrantDesks(Database& database, const std::vector<std::pair<std::string, int64_t>>& desks) {
  std::string roles = "{", homes = "{";
  for (const auto& [role, home] : desks) {
    roles += (roles.size() > 1 ? "," : "") + role;
    homes += (homes.size() > 1 ? "," : "") + std::to_string(home);
  }
  Transaction transaction(database);
  auto grant = database.Prepare("INSERT INTO " + std::string(tables::kHomeAccess.name) +
                                " (S_Role, H_HomesID) SELECT unnest(?::text[]), unnest(?::integer[])");
  grant->Bind(1, kw::Variant::Text(roles + "}")).Bind(2, kw::Variant::Text(homes + "}")).Step();
  grant.reset();
  database.Exec(std::string("DO $$\nDECLARE\n  desk text;\nBEGIN\n  FOR desk IN SELECT DISTINCT s_role FROM ") +
                std::string(tables::kHomeAccess.name) +
                " LOOP\n    IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = desk) THEN\n"
                "      EXECUTE format('CREATE ROLE %I LOGIN', desk);\n    END IF;\n"
                "    EXECUTE format('GRANT " +
                kDeskRole + " TO %I', desk);\n  END LOOP;\nEND $$");
  transaction.Commit();
}

}  // namespace

RegionCounts MakeRegion(const std::string& uri, const RegionShape& shape, std::ostream* progress) {
  const auto started = std::chrono::steady_clock::now();
  const auto say = [&](const std::string& what) {
    if (!progress) return;
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - started;
    *progress << what << " (" << static_cast<int>(spent.count()) << " s)" << std::endl;
  };
  if (shape.homes < 1 || shape.months < 1) throw std::runtime_error("a region has at least one home and one month");
  auto database = OpenTrfDatabase(uri, Access::kReadWrite, kDefaultBusyTimeoutMs, Seed::kEmpty);
  if (!Scalar(*database, "SELECT rolsuper FROM pg_roles WHERE rolname = current_user").ToBoolean()) {
    throw std::runtime_error("a region is made by a superuser: its rows are written past the triggers");
  }
  if (Scalar(*database, "SELECT COUNT(*) FROM tbH_Homes").ToLong() > 0) {
    throw std::runtime_error("the database holds homes already: a region is made in a database of its own");
  }
  const RegionLookups lookups = Lookups(*database);
  RegionStreams streams(uri, shape.homes);
  RegionHomes homes(shape, Scalar(*database, "SELECT current_user::text").ToText(), lookups, streams);
  homes.Open();
  for (int month = 0; month < shape.months; ++month) {
    homes.Work(month);
    say("month " + std::to_string(month + 1) + " of " + std::to_string(shape.months) + " made");
  }
  homes.Close();
  streams.Finish();
  say("rows and changes written");
  GrantDesks(*database, homes.Desks());
  MoveCountersPastStoredKeys(*database, tables::AllOnServer());
  // As a server's own cleaning leaves tables that were written long ago: counted, and their pages
  // marked as seen by every transaction.
  std::string tables;
  for (const TableDescription& table : tables::AllOnServer())
    tables += (tables.empty() ? "" : ", ") + std::string(table.name);
  database->Exec("VACUUM ANALYZE " + tables);
  say("desks granted, counters moved, tables vacuumed and analysed");
  return homes.Counts();
}

}  // namespace trf::region
