// Which reviewer of the region may read which home's filings on a server database: the administrator
// grants a role a home, or every home of a region at once, and lists what is granted. A reviewer
// reads the homes it was granted and their stored filings, asks questions on filed months, and writes
// no home data (see trust_region.cpp).
#pragma once

#include <string>
#include <vector>

#include "app/data/database.h"

namespace trf {

// One review permission: a role may read a home's filings; `region` is the region it was granted with
// ("" when the home was granted alone).
struct ReviewPermission {
  std::string role;
  std::string home_number;
  std::string home_name;
  std::string region;
};

// Lets `role` (a login role of the server) review the home numbered `home_number` from its next
// connection on, and makes it a reviewer. Raises a sentence when the caller is no administrator, the
// role or the home does not exist, or the role is a desk. Granting again changes nothing.
void GrantReview(Database& database, const std::string& role, const std::string& home_number);
// The same for every home of region `region` as it stands now (a home added to the region later is
// granted by granting the region again); a sentence when the region has no home. Answers the homes'
// numbers.
std::vector<std::string> GrantReviewOfRegion(Database& database, const std::string& role, const std::string& region);
// Every review permission, by role and home number; for the administrator.
std::vector<ReviewPermission> ListReviews(Database& database);
// Whether the role connected to a server database is a reviewer of the region (a member of its group
// role, and not its administrator); false on a file.
bool IsReviewer(Database& database);

}  // namespace trf
