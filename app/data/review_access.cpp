// Granting and listing the homes each reviewer reads, in tbS_ReviewAccess.
#include "app/data/review_access.h"

#include "app/data/home_access.h"
#include "app/data/schema.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "app/data/trust_schema.h"

namespace trf {

namespace {

void RequireAdministrator(Database& database) {
  if (DialectOf(database) != Dialect::kPostgres)
    RaiseDataError(kDatabaseError, "Homes are given to reviewers on a server database only.");
  if (!IsAdministrator(database)) {
    RaiseDataError(kDatabaseError,
                   "Only the administrator of the TRF database (the role that owns its tables) grants reviews.");
  }
}

// Refuses a role that does not exist, or that works on homes as a desk: a reviewer reads what desks
// filed, and never is one of them.
void RequireReviewerRole(Database& database, const std::string& role) {
  auto query = database.Prepare(
      "SELECT EXISTS (SELECT 1 FROM tbS_HomeAccess WHERE S_Role = r.rolname) FROM pg_roles r WHERE r.rolname = ?");
  query->Bind(1, kw::Variant::Text(role));
  if (!query->Step()) {
    RaiseDataError(kDatabaseError, "There is no role " + role + " on the server: create it first (createuser " + role +
                                       ", or CREATE ROLE with LOGIN), then grant it homes to review.");
  }
  if (query->Column(0).ToBoolean()) {
    RaiseDataError(kDatabaseError,
                   role +
                       " works on homes as a desk: a reviewer reads what the desks filed and is none of them; give the "
                       "review to a role of its own.");
  }
}

// Adds the permission of `role` for the home keyed `home`, granted with `region` ("" for none), and
// makes the role a reviewer.
void Grant(Database& database, const std::string& role, const kw::Variant& home, const std::string& region) {
  auto insert = database.Prepare(
      "INSERT INTO tbS_ReviewAccess (S_Role, H_HomesID, H_RegionCD) SELECT ?, ?, ? WHERE NOT EXISTS "
      "(SELECT 1 FROM tbS_ReviewAccess WHERE S_Role = ? AND H_HomesID = ?)");
  insert->Bind(1, kw::Variant::Text(role))
      .Bind(2, home)
      .Bind(3, region.empty() ? kw::Variant::Null() : kw::Variant::Text(region))
      .Bind(4, kw::Variant::Text(role))
      .Bind(5, home)
      .Step();
}

void MakeReviewer(Database& database, const std::string& role) {
  ExecAboutRole(database, std::string("GRANT ") + kReviewerRole + " TO %I", role);
}

}  // namespace

void GrantReview(Database& database, const std::string& role, const std::string& home_number) {
  RequireAdministrator(database);
  Transaction transaction(database);
  RequireReviewerRole(database, role);
  Grant(database, role, HomeKey(database, home_number), "");
  MakeReviewer(database, role);
  transaction.Commit();
}

std::vector<std::string> GrantReviewOfRegion(Database& database, const std::string& role, const std::string& region) {
  RequireAdministrator(database);
  Transaction transaction(database);
  RequireReviewerRole(database, role);
  auto homes = database.Prepare("SELECT H_HomesID, H_HomeNum FROM tbH_Homes WHERE H_RegionCD = ? ORDER BY H_HomeNum");
  homes->Bind(1, kw::Variant::Text(region));
  std::vector<std::pair<kw::Variant, std::string>> found;
  while (homes->Step()) found.emplace_back(homes->Column(0), homes->Column(1).ToText());
  homes.reset();
  if (found.empty()) RaiseDataError(kDatabaseError, "No home is in region " + region + ".");
  std::vector<std::string> numbers;
  for (const auto& [key, number] : found) {
    Grant(database, role, key, region);
    numbers.push_back(number);
  }
  MakeReviewer(database, role);
  transaction.Commit();
  return numbers;
}

std::vector<ReviewPermission> ListReviews(Database& database) {
  RequireAdministrator(database);
  auto query = database.Prepare(
      "SELECT a.S_Role, h.H_HomeNum, h.H_HomeName, COALESCE(a.H_RegionCD, '') FROM tbS_ReviewAccess a "
      "JOIN tbH_Homes h ON h.H_HomesID = a.H_HomesID ORDER BY a.S_Role, h.H_HomeNum");
  std::vector<ReviewPermission> permissions;
  while (query->Step()) {
    permissions.push_back(
        {query->Column(0).ToText(), query->Column(1).ToText(), query->Column(2).ToText(), query->Column(3).ToText()});
  }
  return permissions;
}

bool IsReviewer(Database& database) {
  if (DialectOf(database) != Dialect::kPostgres || IsAdministrator(database)) return false;
  auto query = database.Prepare(
      "SELECT EXISTS (SELECT 1 FROM pg_roles r WHERE r.rolname = ? AND pg_has_role(current_user, r.oid, 'MEMBER'))");
  query->Bind(1, kw::Variant::Text(kReviewerRole));
  return query->Step() && query->Column(0).ToBoolean();
}

}  // namespace trf
