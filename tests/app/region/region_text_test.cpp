// The texts a made region writes as the server would, and the draws that make it the same again.
#include <gtest/gtest.h>

#include "app/data/trf_tables.h"
#include "app/region/draws.h"
#include "app/region/region_row.h"
#include "app/region/region_uri.h"

namespace trf::region {
namespace {

// A server URI as another database and as another role, whatever the form it came in.
TEST(RegionUri, NamesAnotherDatabaseOrRoleOfTheSameServer) {
  const std::string server = "postgresql:///postgres?host=/tmp/region&user=trf";
  EXPECT_EQ(WithDatabase(server, "region_50"), "postgresql:///region_50?host=/tmp/region&user=trf");
  EXPECT_EQ(WithDatabase("postgresql://db.example/trf", "region_50"), "postgresql://db.example/region_50");
  EXPECT_EQ(WithDatabase("postgresql://db.example?sslmode=require", "r"), "postgresql://db.example/r?sslmode=require");
  EXPECT_EQ(WithRole(server, "desk_h00001"), "postgresql:///postgres?host=/tmp/region&user=desk_h00001");
  EXPECT_EQ(WithRole("postgresql:///p?user=trf&host=/tmp/r", "d"), "postgresql:///p?user=d&host=/tmp/r");
  EXPECT_EQ(WithRole("postgresql://trf@db.example/p", "d"), "postgresql://trf@db.example/p?user=d");
  EXPECT_EQ(WithRole("postgresql:///p?host=/tmp/r&superuser=x", "d"), "postgresql:///p?host=/tmp/r&superuser=x&user=d");
}

// Numbers read as PostgreSQL prints a double and a whole number; a null is no text at all.
TEST(RegionRow, ValuesReadAsTheServerPrintsThem) {
  EXPECT_EQ(ValueText(Value(2400.0)), "2400");
  EXPECT_EQ(ValueText(Value(1500.25)), "1500.25");
  EXPECT_EQ(ValueText(Value(0.1)), "0.1");
  EXPECT_EQ(ValueText(Value(int64_t{45658})), "45658");
  EXPECT_EQ(ValueText(Value(std::string("Ada"))), "Ada");
  EXPECT_EQ(ValueText(Value()), std::nullopt);
  EXPECT_EQ(ValueText(TextOrNull("")), std::nullopt);
}

// A row's JSON names every column in lower case, the version last, and escapes texts as the server does.
TEST(RegionRow, ARowsJsonIsWhatTheServerWritesOfIt) {
  const Row home{{int64_t{7}, Value(), std::string("H-00007"), std::string("Cedar \"Lodge\"\n\x01"), int64_t{24}}, 3};
  EXPECT_EQ(RowJson(tables::kHomes, home),
            "{\"h_homesid\":7,\"h_regioncd\":null,\"h_homenum\":\"H-00007\",\"h_homename\":\"Cedar \\\"Lodge\\\"\\n"
            "\\u0001\",\"h_capacity\":24,\"rowversion\":3}");
}

// A home draws the same whatever else was drawn, and another home or another seed draws otherwise.
TEST(RegionDraws, AHomeDrawsTheSameEveryTime) {
  const auto first = [](uint64_t seed, int64_t home) {
    Draws draws(seed, home);
    return std::vector<int>{draws.Between(0, 1 << 30), draws.Between(0, 1 << 30), draws.Between(0, 1 << 30)};
  };
  EXPECT_EQ(first(1, 17), first(1, 17));
  EXPECT_NE(first(1, 17), first(1, 18));
  EXPECT_NE(first(1, 17), first(2, 17));
}

}  // namespace
}  // namespace trf::region
