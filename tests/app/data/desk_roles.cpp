// The two desks of the server tests, and what their tests share.
#include "tests/app/data/desk_roles.h"

#include "app/data/home_access.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "tests/app/test_database.h"

namespace trf::testing {

void DeskRoles::SetUp() {
  ASSERT_FALSE(TestServer().empty()) << "these tests run on the test server that `ctest -L postgresql` starts";
  location_ = TestDatabaseLocation("");
  admin_ = OpenTrfDatabase(location_);
  for (const std::string& role : {maple_desk_, birch_desk_}) MakeRole(role);
  GrantHome(*admin_, maple_desk_, "H-101");
  GrantHome(*admin_, birch_desk_, "H-102");
}

std::shared_ptr<Database> DeskRoles::DeskOf(const std::string& role) {
  return OpenTrfDatabase(AsRole(location_, role));
}

std::string DeskRoles::Scalar(Database& database, const std::string& sql) {
  auto query = database.Prepare(sql);
  return query->Step() ? query->Column(0).ToText() : "(no row)";
}

void DeskRoles::Run(Database& database, const std::string& sql) {
  Transaction transaction(database);
  database.Exec(sql);
  transaction.Commit();
}

}  // namespace trf::testing
