// A test's database: on SQLite, or in a schema of its own on the test server whose URI is in TRF_TEST_PG.
#pragma once

#include <string>

namespace trf::testing {

// The URI of the test server; "" when the tests run on SQLite.
std::string TestServer();
// `sqlite_location` when the tests run on SQLite; on the server, the URI of a fresh, empty schema.
std::string TestDatabaseLocation(const std::string& sqlite_location);

}  // namespace trf::testing
