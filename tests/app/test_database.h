// Where a test's database lives: on SQLite, or on the throwaway PostgreSQL server that the ctest
// fixture starts for the tests labelled postgresql (its URI in TRF_TEST_PG), each test in a schema
// of its own so that no test sees another's rows.
#pragma once

#include <string>

namespace trf::testing {

// The URI of the test server; "" when the tests run on SQLite.
std::string TestServer();
// `sqlite_location` when the tests run on SQLite; on the server, the URI of a fresh, empty schema.
std::string TestDatabaseLocation(const std::string& sqlite_location);

}  // namespace trf::testing
