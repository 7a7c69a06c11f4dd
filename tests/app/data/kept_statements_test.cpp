// Statements on a server kept prepared for their next use: a statement of the same text runs on the
// server's kept preparation, two at once each have their own, and the kept ones stay few.
#include <gtest/gtest.h>

#include "app/data/postgres_database.h"
#include "tests/app/test_database.h"

namespace trf::testing {
namespace {

class ServerStatements : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(TestServer().empty()) << "these tests run on the test server that `ctest -L postgresql` starts";
    database_ = std::make_unique<PostgresDatabase>(TestServer());
  }
  // How many statements of text `sql` (placeholders numbered) this session holds prepared.
  int64_t Prepared(const std::string& sql) {
    auto count = database_->Prepare("SELECT COUNT(*) FROM pg_prepared_statements WHERE statement = ?");
    count->Bind(1, kw::Variant::Text(sql));
    count->Step();
    return static_cast<int64_t>(count->Column(0).ToDouble());
  }
  std::unique_ptr<PostgresDatabase> database_;
};

TEST_F(ServerStatements, AStatementOfTheSameTextRunsOnTheKeptPreparation) {
  for (int n = 1; n <= 3; ++n) {
    auto query = database_->Prepare("SELECT ? + 1");
    query->Bind(1, kw::Variant::Long(n));
    ASSERT_TRUE(query->Step());
    EXPECT_EQ(query->Column(0).ToLong(), n + 1);
  }
  EXPECT_EQ(Prepared("SELECT $1 + 1"), 1);
}

TEST_F(ServerStatements, TwoStatementsOfTheSameTextAtOnceEachHaveTheirOwn) {
  auto first = database_->Prepare("SELECT ? * 2");
  auto second = database_->Prepare("SELECT ? * 2");
  first->Bind(1, kw::Variant::Long(3));
  second->Bind(1, kw::Variant::Long(5));
  ASSERT_TRUE(first->Step());
  ASSERT_TRUE(second->Step());
  EXPECT_EQ(first->Column(0).ToLong(), 6);
  EXPECT_EQ(second->Column(0).ToLong(), 10);
  first.reset();
  second.reset();
  EXPECT_EQ(Prepared("SELECT $1 * 2"), 2);
}

TEST_F(ServerStatements, OnlyTheNewestKeptStatementsStayPrepared) {
  for (int n = 0; n < 200; ++n) database_->Prepare("SELECT " + std::to_string(n))->Step();
  auto count = database_->Prepare(
      "SELECT COUNT(*) FROM pg_prepared_statements WHERE statement LIKE 'SELECT _%' "
      "AND statement NOT LIKE '%pg_prepared_statements%'");
  count->Step();
  EXPECT_EQ(static_cast<size_t>(count->Column(0).ToDouble()), PostgresDatabase::kKeptStatements);
  EXPECT_EQ(Prepared("SELECT 199"), 1);
  EXPECT_EQ(Prepared("SELECT 0"), 0);
}

}  // namespace
}  // namespace trf::testing
