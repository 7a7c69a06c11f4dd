// DeskRoles: a TRF database on the test server, made by its administrator (the server's superuser),
// with two desks, each its own login role granted one home: maple works on H-101, birch on H-102.
#pragma once

#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/data/database.h"
#include "tests/app/test_database.h"

namespace trf::testing {

class DeskRoles : public ServerTest {
 protected:
  void SetUp() override;
  // The database as the desk that connects as `role` sees it.
  std::shared_ptr<Database> DeskOf(const std::string& role);
  // Runs `sql` in a transaction of its own on `database`, and commits it.
  static void Run(Database& database, const std::string& sql) { RunCommitted(database, sql); }

  const std::string maple_desk_ = "maple_desk_" + std::to_string(::getpid());
  const std::string birch_desk_ = "birch_desk_" + std::to_string(::getpid());
  std::string location_;
  std::shared_ptr<Database> admin_;
};

}  // namespace trf::testing
