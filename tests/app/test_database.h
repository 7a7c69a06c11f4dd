// A test's database: on SQLite, or in a schema of its own on the test server whose URI is in TRF_TEST_PG;
// what tests on either engine read and write of it; and the tests that need the server.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/data/database.h"

namespace trf::testing {

// The URI of the test server; "" when the tests run on SQLite.
std::string TestServer();
// `sqlite_location` when the tests run on SQLite; on the server, the URI of a fresh, empty schema.
std::string TestDatabaseLocation(const std::string& sqlite_location);

// Makes the login role `role` on the test server unless it is there; `more` goes on the end of its
// CREATE ROLE ("IN ROLE trf_password_login").
void MakeRole(const std::string& role, const std::string& more = "");
// `location`, a URI of the test server's superuser, as the role `role` connects with it.
std::string AsRole(std::string location, const std::string& role);

// The bytes of the file at `path` ("" when there is none).
std::string FileBytes(const std::string& path);
// The first column of the first row `sql` answers on `database`, as text ("(no row)" when none).
std::string Scalar(Database& database, const std::string& sql);
// Runs `sql` in a transaction of its own on `database`, and commits it.
void RunCommitted(Database& database, const std::string& sql);

// The tests that only a server has: run by hand without the test server, they say what they lack.
class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override;
};

}  // namespace trf::testing
