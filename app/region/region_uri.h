// The connection texts of a region's server: another database of the same server, or the same
// database as another role (a desk), from a server URI in libpq's form
// ("postgresql:///postgres?host=/tmp/region&user=trf").
#pragma once

#include <string>

namespace trf::region {

// `uri` naming database `database` instead of the one it names.
std::string WithDatabase(const std::string& uri, const std::string& database);
// `uri` connecting as `role` instead of its user.
std::string WithRole(const std::string& uri, const std::string& role);

}  // namespace trf::region
