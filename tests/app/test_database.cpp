// The test database's location on either engine.
#include "tests/app/test_database.h"

#include <unistd.h>

#include <cstdlib>

#include "app/data/postgres_database.h"

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

}  // namespace trf::testing
