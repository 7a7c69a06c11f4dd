// The test database's location on either engine, and what tests ask of it.
#include "tests/app/test_database.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "app/data/postgres_database.h"
#include "app/data/transaction.h"

namespace trf::testing {

std::string TestServer() {
  const char* server = std::getenv("TRF_TEST_PG");
  return server ? server : "";
}

std::string TestDatabaseLocation(const std::string& sqlite_location) {
  const std::string server = TestServer();
  if (server.empty()) return sqlite_location;
  static int made = 0;
  const std::string schema = "trf_test_" + std::to_string(::getpid()) + "_" + std::to_string(++made);
  PostgresDatabase(server).Exec("CREATE SCHEMA " + schema);
  return server + (server.find('?') == std::string::npos ? "?" : "&") + "options=-csearch_path%3D" + schema;
}

void MakeRole(const std::string& role, const std::string& more) {
  PostgresDatabase(TestServer())
      .Exec("DO $$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = '" + role + "') THEN CREATE ROLE " +
            role + " LOGIN " + more + "; END IF; END $$");
}

std::string AsRole(std::string location, const std::string& role) {
  return location.replace(location.find("user=trf"), 8, "user=" + role);
}

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string Scalar(Database& database, const std::string& sql) {
  auto query = database.Prepare(sql);
  return query->Step() ? query->Column(0).ToText() : "(no row)";
}

void RunCommitted(Database& database, const std::string& sql) {
  Transaction transaction(database);
  database.Exec(sql);
  transaction.Commit();
}

void ServerTest::SetUp() {
  ASSERT_FALSE(TestServer().empty()) << "these tests run on the test server that `ctest -L postgresql` starts";
}

}  // namespace trf::testing
