// Which desk may work on which home of a server database: the administrator grants a role a home,
// revokes it, and lists what is granted. The server keeps the homes apart by these permissions (see
// trust_schema.h); a desk sees its own permissions only, and changes none.
#pragma once

#include <string>
#include <vector>

#include "app/data/database.h"

namespace trf {

// One permission: a role may work on a home.
struct HomePermission {
  std::string role;
  std::string home_number;
  std::string home_name;
};

// Lets `role` (a login role of the server) work on the home numbered `home_number` from its next
// connection on, and makes it a desk. Raises a sentence when the caller is no administrator, the
// role or the home does not exist. Granting again changes nothing.
void GrantHome(Database& database, const std::string& role, const std::string& home_number);
// Takes the home from `role` (which stays a desk, of its other homes or of none). Raises a sentence
// when the caller is no administrator or the role had no such permission.
void RevokeHome(Database& database, const std::string& role, const std::string& home_number);
// Every permission, by role and home number.
std::vector<HomePermission> ListPermissions(Database& database);

// For the grants of desks and reviewers alike: the key of the home numbered `home_number` (raises a
// sentence when there is none), and `statement` (a format with one %I) run about role `role`, whose
// name the server quotes as a name, never as SQL.
kw::Variant HomeKey(Database& database, const std::string& home_number);
void ExecAboutRole(Database& database, const std::string& statement, const std::string& role);

}  // namespace trf
