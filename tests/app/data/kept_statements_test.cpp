// Statements on a server kept prepared for their next use: a statement of the same text runs on the
// server's kept preparation, two at once each have their own, and the kept ones stay few. Reading
// statements run together: each reads its own rows, a failing one says why at its own step, and the
// connection goes on as before.
#include <gtest/gtest.h>

#include <array>

#include "app/data/postgres_database.h"
#include "tests/app/test_database.h"
#include "tests/doubles/raised.h"

namespace trf::testing {
namespace {

class ServerStatements : public ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    if (!HasFatalFailure()) database_ = std::make_unique<PostgresDatabase>(TestServer());
  }
  // How many statements of text `sql` (placeholders numbered, no quotes) this session holds prepared.
  std::string Prepared(const std::string& sql) {
    return Scalar(*database_, "SELECT COUNT(*) FROM pg_prepared_statements WHERE statement = '" + sql + "'");
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
  EXPECT_EQ(Prepared("SELECT $1 + 1"), "1");
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
  EXPECT_EQ(Prepared("SELECT $1 * 2"), "2");
}

TEST_F(ServerStatements, OnlyTheNewestKeptStatementsStayPrepared) {
  for (int n = 0; n < 200; ++n) database_->Prepare("SELECT " + std::to_string(n))->Step();
  EXPECT_EQ(Scalar(*database_,
                   "SELECT COUNT(*) FROM pg_prepared_statements WHERE statement LIKE 'SELECT _%' "
                   "AND statement NOT LIKE '%pg_prepared_statements%'"),
            std::to_string(PostgresDatabase::kKeptStatements));
  EXPECT_EQ(Prepared("SELECT 199"), "1");
  EXPECT_EQ(Prepared("SELECT 0"), "0");
}

// Two bound reading statements and a writing one, run together.
struct Together {
  std::unique_ptr<Statement> first, second, writing;
  std::array<Statement*, 3> All() const { return {first.get(), second.get(), writing.get()}; }
};

TEST_F(ServerStatements, StatementsRunTogetherEachReadTheirOwnRows) {
  database_->Exec("CREATE TEMPORARY TABLE counted (n integer)");
  Together together{database_->Prepare("SELECT COUNT(*) FROM counted"),
                    database_->Prepare("SELECT generate_series(1, ?)"),
                    database_->Prepare("INSERT INTO counted VALUES (1)")};
  together.second->Bind(1, kw::Variant::Long(3));
  database_->RunTogether(together.All());
  // A writing statement is not run ahead: it runs at its own step, after the readers ran.
  together.writing->Step();
  ASSERT_TRUE(together.first->Step());
  EXPECT_EQ(together.first->Column(0).ToLong(), 0) << "the count ran at its step, not with the others";
  std::vector<int32_t> numbers;
  while (together.second->Step()) numbers.push_back(together.second->Column(0).ToLong());
  EXPECT_EQ(numbers, (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(Scalar(*database_, "SELECT COUNT(*) FROM counted"), "1") << "the insert did not run once";
}

TEST_F(ServerStatements, AStatementThatFailsTogetherSaysWhyAtItsOwnStep) {
  auto failing = database_->Prepare("SELECT 1 / ?");
  auto after = database_->Prepare("SELECT ? + 1");
  failing->Bind(1, kw::Variant::Long(0));
  after->Bind(1, kw::Variant::Long(41));
  database_->RunTogether(std::array<Statement*, 2>{failing.get(), after.get()});
  ASSERT_TRUE(after->Step()) << "the statement after the failing one read nothing";
  EXPECT_EQ(after->Column(0).ToLong(), 42);
  const kw::Error error = kw::testing::Raised([&] { (void)failing->Step(); });  // a division by zero
  EXPECT_EQ(error.Number(), kDatabaseError);
  EXPECT_NE(error.Said().find("division by zero"), std::string::npos) << error.Said();
  // The connection is out of its pipeline: plain requests and a transaction go on.
  database_->Begin();
  auto inside = database_->Prepare("SELECT 2");
  auto also = database_->Prepare("SELECT 3");
  database_->RunTogether(std::array<Statement*, 2>{inside.get(), also.get()});  // left to their steps
  ASSERT_TRUE(inside->Step());
  ASSERT_TRUE(also->Step());
  EXPECT_EQ(inside->Column(0).ToLong() + also->Column(0).ToLong(), 5);
  database_->Commit();
}

}  // namespace
}  // namespace trf::testing
