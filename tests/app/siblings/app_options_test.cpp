// The options both programs share, read by one parser beside a program's own.
#include "app/siblings/app_options.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace trf {
namespace {

// The database comes from --db, else from TRF_DB; a wrong option is named in words.
TEST(AppOptionsTest, DatabaseFromTheOptionThenTheEnvironment) {
  struct Row {
    std::vector<std::string> args;
    const char* environment;
    std::optional<std::string> database;
    std::optional<std::string> problem;
  };
  const Row rows[] = {
      {.args = {}, .environment = nullptr, .database = std::nullopt, .problem = std::nullopt},
      {.args = {}, .environment = "", .database = std::nullopt, .problem = std::nullopt},
      {.args = {}, .environment = "env.db", .database = "env.db", .problem = std::nullopt},
      {.args = {"--db", "mine.db"}, .environment = "env.db", .database = "mine.db", .problem = std::nullopt},
      {.args = {"--db"}, .environment = nullptr, .database = std::nullopt, .problem = "--db needs a value"},
      {.args = {"--dbx"}, .environment = nullptr, .database = std::nullopt, .problem = "unknown option \"--dbx\""},
  };
  for (const Row& row : rows) {
    OptionsParser parser("trf-desktop", "trf.db");
    AppOptions options;
    const std::optional<std::string> problem = parser.Parse(row.args, row.environment, options);
    EXPECT_EQ(problem, row.problem) << testing::PrintToString(row.args);
    if (!problem) {
      EXPECT_EQ(options.Database(), row.database) << testing::PrintToString(row.args);
    }
  }
}

// A new file always gets the sample data; a new server database only with --sample, in either form of
// connection text.
TEST(AppOptionsTest, ANewServerDatabaseGetsTheSampleDataOnlyWhenAsked) {
  const struct {
    const char* location;
    bool sample;
    Seed seed;
  } rows[] = {
      {"trf.db", false, Seed::kSample},
      {"trf.db", true, Seed::kSample},
      {"postgresql://maple@h/trf", false, Seed::kEmpty},
      {"postgresql://maple@h/trf", true, Seed::kSample},
      {"host=h dbname=trf user=maple", false, Seed::kEmpty},
      {"host=h dbname=trf user=maple", true, Seed::kSample},
  };
  for (const auto& row : rows) {
    AppOptions options;
    options.sample = row.sample;
    EXPECT_EQ(options.NewDatabaseSeed(row.location), row.seed) << row.location << " --sample " << row.sample;
  }
}

// A program's own switch and value are read beside the shared ones, and the usage text lists both.
TEST(AppOptionsTest, ProgramOptionsBesideTheSharedOnes) {
  OptionsParser parser("trf", "trf.db");
  bool verbose = false;
  std::optional<std::string> script;
  parser.Flag("--verbose", "say more", verbose);
  parser.Value("--script", "FILE", "run FILE", script);
  AppOptions options;
  ASSERT_EQ(parser.Parse({"--read-only", "--script", "a.trf", "--verbose", "--sample"}, nullptr, options),
            std::nullopt);
  EXPECT_TRUE(verbose);
  EXPECT_EQ(script, "a.trf");
  EXPECT_EQ(options.WantedAccess(), Access::kReadOnly);
  EXPECT_TRUE(options.sample);
  const std::string usage = parser.Usage();
  EXPECT_NE(usage.find("[--script FILE]"), std::string::npos) << usage;
  EXPECT_NE(usage.find("  --read-only"), std::string::npos) << usage;
}

// An option that takes a value, given last or followed by another option, is refused, naming it:
// it is never taken as given without its value, nor does it swallow the next option.
TEST(AppOptionsTest, AnOptionWithoutItsValueIsRefused) {
  struct Row {
    std::vector<std::string> args;
    std::optional<std::string> problem;
  };
  const Row rows[] = {
      {.args = {"--backup"}, .problem = "--backup needs a value"},
      {.args = {"--db", "x.db", "--script"}, .problem = "--script needs a value"},
      {.args = {"--backup", "--db", "x.db"}, .problem = "--backup needs a value before the next option, --db"},
      {.args = {"--script", "-"}, .problem = std::nullopt},
  };
  for (const Row& row : rows) {
    OptionsParser parser("trf", "trf.db");
    std::optional<std::string> backup, script;
    parser.Value("--backup", "FILE", "copy", backup);
    parser.Value("--script", "FILE", "run", script);
    AppOptions options;
    EXPECT_EQ(parser.Parse(row.args, nullptr, options), row.problem) << testing::PrintToString(row.args);
    if (row.problem) {
      EXPECT_FALSE(backup || script) << "nothing is taken from " << testing::PrintToString(row.args);
    }
  }
}

// --version asks for the version line, which names the program and the version of the package.
TEST(AppOptionsTest, VersionIsAnOptionOfEveryProgram) {
  OptionsParser parser("trf-report", "trf.db");
  AppOptions options;
  ASSERT_EQ(parser.Parse({"--version"}, nullptr, options), std::nullopt);
  EXPECT_TRUE(options.version);
  EXPECT_NE(parser.Usage().find("  --version"), std::string::npos);
  EXPECT_EQ(VersionLine("trf-report"), "trf-report " TRF_VERSION "\n");
}

// An option with words of its own takes every word up to the next option, and needs at least one.
TEST(AppOptionsTest, WordsRunUpToTheNextOption) {
  struct Row {
    std::vector<std::string> args;
    std::vector<std::string> words;
    std::optional<std::string> problem;
  };
  const Row rows[] = {
      {.args = {"--admin", "grant", "maple", "H-101"}, .words = {"grant", "maple", "H-101"}, .problem = std::nullopt},
      {.args = {"--admin", "list", "--db", "x.db"}, .words = {"list"}, .problem = std::nullopt},
      {.args = {"--admin", "--db", "x.db"}, .words = {}, .problem = "--admin needs a value"},
      {.args = {"--admin"}, .words = {}, .problem = "--admin needs a value"},
  };
  for (const Row& row : rows) {
    OptionsParser parser("trf", "trf.db");
    std::vector<std::string> words;
    parser.Words("--admin", "ACTION...", "administer", words);
    AppOptions options;
    EXPECT_EQ(parser.Parse(row.args, nullptr, options), row.problem) << testing::PrintToString(row.args);
    if (!row.problem) {
      EXPECT_EQ(words, row.words) << testing::PrintToString(row.args);
    }
  }
}

}  // namespace
}  // namespace trf
