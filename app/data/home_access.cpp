// Granting, revoking and listing the homes of each desk in tbS_HomeAccess.
#include "app/data/home_access.h"

#include "app/data/schema.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "app/data/trust_schema.h"

namespace trf {

namespace {

[[noreturn]] void Refuse(const std::string& sentence) { RaiseDataError(kDatabaseError, sentence); }

void RequireAdministrator(Database& database) {
  if (DialectOf(database) != Dialect::kPostgres) Refuse("Homes are granted to desks on a server database only.");
  if (!IsAdministrator(database)) {
    Refuse("Only the administrator of the TRF database (the role that owns its tables) grants and revokes homes.");
  }
}

}  // namespace

kw::Variant HomeKey(Database& database, const std::string& home_number) {
  auto query = database.Prepare("SELECT H_HomesID FROM tbH_Homes WHERE H_HomeNum = ?");
  query->Bind(1, kw::Variant::Text(home_number));
  if (!query->Step()) Refuse("There is no home numbered " + home_number + ".");
  return query->Column(0);
}

void ExecAboutRole(Database& database, const std::string& statement, const std::string& role) {
  auto quoted = database.Prepare("SELECT format(?, ?::text)");
  quoted->Bind(1, kw::Variant::Text(statement)).Bind(2, kw::Variant::Text(role));
  quoted->Step();
  const std::string sql = quoted->Column(0).ToText();
  quoted.reset();
  database.Exec(sql);
}

void GrantHome(Database& database, const std::string& role, const std::string& home_number) {
  RequireAdministrator(database);
  Transaction transaction(database);
  auto exists = database.Prepare("SELECT 1 FROM pg_roles WHERE rolname = ?");
  exists->Bind(1, kw::Variant::Text(role));
  if (!exists->Step()) {
    Refuse("There is no role " + role + " on the server: create it first (createuser " + role +
           ", or CREATE ROLE with LOGIN), then grant it a home.");
  }
  const kw::Variant home = HomeKey(database, home_number);
  auto insert = database.Prepare(
      "INSERT INTO tbS_HomeAccess (S_Role, H_HomesID) SELECT ?, ? WHERE NOT EXISTS "
      "(SELECT 1 FROM tbS_HomeAccess WHERE S_Role = ? AND H_HomesID = ?)");
  insert->Bind(1, kw::Variant::Text(role)).Bind(2, home).Bind(3, kw::Variant::Text(role)).Bind(4, home).Step();
  ExecAboutRole(database, std::string("GRANT ") + kDeskRole + " TO %I", role);
  transaction.Commit();
}

void RevokeHome(Database& database, const std::string& role, const std::string& home_number) {
  RequireAdministrator(database);
  Transaction transaction(database);
  const kw::Variant home = HomeKey(database, home_number);
  auto remove = database.Prepare("DELETE FROM tbS_HomeAccess WHERE S_Role = ? AND H_HomesID = ?");
  remove->Bind(1, kw::Variant::Text(role)).Bind(2, home).Step();
  if (database.Changes() == 0) Refuse(role + " had no permission for home " + home_number + ".");
  transaction.Commit();
}

std::vector<HomePermission> ListPermissions(Database& database) {
  RequireAdministrator(database);
  auto query = database.Prepare(
      "SELECT a.S_Role, h.H_HomeNum, h.H_HomeName FROM tbS_HomeAccess a JOIN tbH_Homes h ON h.H_HomesID = a.H_HomesID "
      "ORDER BY a.S_Role, h.H_HomeNum");
  std::vector<HomePermission> permissions;
  while (query->Step()) {
    permissions.push_back({query->Column(0).ToText(), query->Column(1).ToText(), query->Column(2).ToText()});
  }
  return permissions;
}

}  // namespace trf
