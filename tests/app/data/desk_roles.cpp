// The two desks of the server tests, and what their tests share.
#include "tests/app/data/desk_roles.h"

#include "app/data/home_access.h"
#include "app/data/trf_database.h"
#include "tests/app/test_database.h"

namespace trf::testing {

void DeskRoles::SetUp() {
  ServerTest::SetUp();
  if (HasFatalFailure()) return;
  location_ = TestDatabaseLocation("");
  admin_ = OpenTrfDatabase(location_);
  for (const std::string& role : {maple_desk_, birch_desk_}) MakeRole(role);
  GrantHome(*admin_, maple_desk_, "H-101");
  GrantHome(*admin_, birch_desk_, "H-102");
}

std::shared_ptr<Database> DeskRoles::DeskOf(const std::string& role) {
  return OpenTrfDatabase(AsRole(location_, role));
}

}  // namespace trf::testing
