// The table a group of roles' policies read on a server (the desks', the reviewers'): for each role
// granted a home, the homes and their month records as arrays, one row per role, kept by the engine
// as the grants and the month records change. A policy reads the role's row when the statement is
// planned, and every change of grants makes the sessions plan again (see trust_grants.cpp).
#pragma once

#include <string>

namespace trf {

// The condition on a grants or access table that finds the rows of the role at work.
inline constexpr char kRoleAtWork[] = "s_role = current_user COLLATE \"default\"";

// What one group's grants table is made of, each a name in the TRF's schema (lower case).
struct RoleGrants {
  std::string schema;  // the TRF's schema
  std::string table;   // the table kept: "tbs_deskgrants"
  std::string access;  // the table of what is granted, a row per role and home: "tbs_homeaccess"
  std::string prefix;  // the functions' and triggers' names start with it: "trf_regrant"
  std::string group;   // the group role whose members read their own row: "trf_desk"
};

// The desks' grants (their policies on a home's data read them) and the reviewers' (theirs on the
// homes and their filings), in `schema`.
RoleGrants DeskGrants(const std::string& schema);
RoleGrants ReviewGrants(const std::string& schema);

// The statements that make the grants table, its rule functions and triggers, and fill it anew.
std::string RoleGrantsSql(const RoleGrants& grants);
// The homes, and the month records, granted to the role at work: each a call of a reader function
// that returns them as an array, read once when a statement is planned (see ReaderSql).
std::string GrantedHomesOf(const RoleGrants& grants);
std::string GrantedMonthsOf(const RoleGrants& grants);

}  // namespace trf
