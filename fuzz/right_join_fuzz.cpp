// Fuzzes SQLAddRightJoin: the join text keeps every byte of the primary statement, the part up to
// the blank before its first " FROM " in front and the rest inside the parentheses; without
// " FROM " it raises the component error.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "tests/doubles/harness.h"
#include "ui_shared/platform/text.h"

using kw::fuzz::Allowing;
using kw::fuzz::Require;

namespace {

constexpr int32_t kFromNotFound = -2147221503;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kw::testing::LibraryHarness harness;
  FuzzedDataProvider input(data, size);
  const std::string fields = input.ConsumeRandomLengthString(8);
  const std::string table = input.ConsumeRandomLengthString(8);
  const std::string clause = input.ConsumeRandomLengthString(8);
  const std::string primary = input.ConsumeRemainingBytesAsString();
  const auto joined = Allowing({kFromNotFound, kw::err::kOverflow},
                               [&] { return harness.shared->SQLAddRightJoin(primary, fields, table, clause, "Fuzz"); });
  const size_t from = primary.find(" FROM ");
  Require(joined.has_value() || from == std::string::npos || kw::text::Len(primary.substr(0, from)) >= 32767,
          "a primary with \" FROM \" early enough joins");
  if (!joined) return 0;
  const std::string head = primary.substr(0, from + 1);
  const std::string tail = primary.substr(from + 6);
  Require(*joined == head + fields + " FROM " + table + " RIGHT JOIN (" + tail + ") " + clause,
          "the join keeps the primary statement whole: " + primary);
  return 0;
}
