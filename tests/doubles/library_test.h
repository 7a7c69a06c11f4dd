// The common ground of the library's behaviour tests, and the names they use unqualified.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/doubles/fake_business_object.h"
#include "tests/doubles/raised.h"
#include "tests/doubles/records.h"
#include "tests/doubles/shared_access.h"

namespace kw {

using testing::AddSoftRule;
using testing::Described;
using testing::EditedRecord;
using ::testing::EndsWith;
using testing::FakeHardRule;
using testing::FakeLI;
using testing::FakeRecordGroup;
using testing::FakeSoftRule;
using testing::LibraryHarness;
using testing::Numbered;
using testing::OneRecord;
using testing::Raised;
using testing::RaisedAt;
using ::testing::StartsWith;
using ::testing::StrEq;
using ::testing::ThrowsMessage;
using Access = SharedProceduresTestAccess;
using Strings = std::vector<std::string>;

// What the feedback dialog showed last: "text|detail|rule type|rule number".
inline std::string Shown(const testing::RecordingFeedback& dialog) {
  return dialog.feedback + "|" + dialog.more_feedback + "|" + std::to_string(dialog.rule_type) + "|" +
         std::to_string(dialog.rule_number);
}

// Texts as the lenient number rule reads them (the leading number, blanks skipped anywhere, halves
// to even): every member that reads a number leniently runs these rows through its entry point.
inline constexpr std::pair<const char*, int32_t> kLenientNumbers[] = {
    {"12abc", 12},      {"2.5", 2}, {"3.5", 4},    {"", 0},    {" 1 2", 12},
    {"-32768", -32768}, {"No", 0},  {"7 (No)", 7}, {"-1", -1}, {"5x", 5}};

}  // namespace kw
