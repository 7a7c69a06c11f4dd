// A program's main on RunProgram: an error that leaves it is written out in words after what the
// program printed, and the program fails.
#include "ui_shared/defaults/run_program.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <stdexcept>

#include "ui_shared/platform/error.h"

namespace kw {
namespace {

// Standard error caught for the length of a scope.
struct CaughtErrors {
  CaughtErrors() : previous(std::cerr.rdbuf(text.rdbuf())) {}
  ~CaughtErrors() { std::cerr.rdbuf(previous); }
  std::ostringstream text;
  std::streambuf* previous;
};

// The body's result comes back; the library's error is reported with its number, source, sentence
// and trail, another exception by its text, and either ends the program with 1.
TEST(RunProgramTest, ReportsWhatLeavesTheBodyAndFails) {
  CaughtErrors caught;
  EXPECT_EQ(RunProgram([] { return 3; }), 3);
  EXPECT_EQ(RunProgram([]() -> int {
              Raise(9003, "KW_I.LIVolunteers",
                    "KW_UIShared.SharedProcedures.RemoveItem:40\r\nThe volunteer stays. Nothing was removed.");
            }),
            1);
  EXPECT_EQ(RunProgram([]() -> int { throw std::runtime_error("disk full"); }), 1);
  EXPECT_EQ(caught.text.str(),
            "error 9003 from KW_I.LIVolunteers: The volunteer stays. Nothing was removed.\n"
            "  in KW_UIShared.SharedProcedures.RemoveItem:40\n"
            "error: disk full\n");
}

}  // namespace
}  // namespace kw
