// A test's database: on SQLite, or in a schema of its own on the test server whose URI is in TRF_TEST_PG.
#pragma once

#include <string>

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

}  // namespace trf::testing
