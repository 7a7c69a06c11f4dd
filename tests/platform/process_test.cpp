// Command-line splitting by the Windows rules.
#include <gtest/gtest.h>

#include "ui_shared/platform/process.h"

namespace kw {
namespace {

struct SplitRow {
  const char* name;
  const char* line;
  std::vector<std::string> args;
};

// Blanks and tabs split outside quotes; backslashes count only before a quote.
TEST(SplitCommandLine, WindowsRules) {
  const SplitRow rows[] = {
      {"blanks and tabs", "a b\tc", {"a", "b", "c"}},
      {"runs of blanks", "  a   b  ", {"a", "b"}},
      {"quoted blank", R"("a b" c)", {"a b", "c"}},
      {"quote inside a word", R"(x"a b"y)", {"xa by"}},
      {"plain backslashes", R"(C:\dir\file x\\y)", {R"(C:\dir\file)", R"(x\\y)"}},
      {"2n backslashes toggle quoting", R"(a\\"b c")", {R"(a\b c)"}},
      {"2n+1 backslashes give a quote", R"(a\\\"b c)", {R"(a\"b)", "c"}},
      {"single escaped quote", R"(\"x\")", {R"("x")"}},
      {"empty quotes are an argument", R"(prog "" x)", {"prog", "", "x"}},
      {"unclosed quote runs to the end", R"(a "b c)", {"a", "b c"}},
      {"nothing", "   ", {}},
  };
  for (const auto& row : rows) EXPECT_EQ(SplitCommandLine(row.line), row.args) << row.name;
}

}  // namespace
}  // namespace kw
