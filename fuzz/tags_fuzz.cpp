// Fuzzes control tags: any tag text reads as a class and a field number or overflows (6), and a
// tag CreateTag builds reads back as the two numbers it was built from.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_check.h"
#include "tests/doubles/harness.h"

using kw::fuzz::Allowing;
using kw::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kw::testing::LibraryHarness harness;
  kw::SharedProcedures& shared = *harness.shared;
  FuzzedDataProvider input(data, size);
  const auto class_number = input.ConsumeIntegral<int16_t>();
  const auto field = input.ConsumeIntegral<int16_t>();
  const std::string tag = shared.CreateTag(class_number, field);
  Require(shared.GetClassFromTag(tag) == class_number, "the class reads back from " + tag);
  Require(shared.GetFieldEnumFromTag(tag) == field, "the field reads back from " + tag);
  const std::string text = input.ConsumeRemainingBytesAsString();
  (void)Allowing({kw::err::kOverflow}, [&] { return shared.GetClassFromTag(text); });
  (void)Allowing({kw::err::kOverflow}, [&] { return shared.GetFieldEnumFromTag(text); });
  return 0;
}
