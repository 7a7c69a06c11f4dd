// The common ground of the library's behaviour tests: the test framework, the harness with its
// doubles, the record builders and error helpers, and the names every test file uses unqualified.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/doubles/fake_business_object.h"
#include "tests/doubles/raised.h"
#include "tests/doubles/records.h"
#include "tests/doubles/shared_access.h"

namespace kw {

using ::testing::EndsWith;
using ::testing::StartsWith;
using ::testing::StrEq;
using ::testing::ThrowsMessage;
using testing::AddSoftRule;
using testing::Described;
using testing::EditedRecord;
using testing::FakeHardRule;
using testing::FakeLI;
using testing::FakeRecordGroup;
using testing::FakeSoftRule;
using testing::LibraryHarness;
using testing::Numbered;
using testing::OneRecord;
using testing::Raised;
using testing::RaisedAt;
using Access = SharedProceduresTestAccess;
using Strings = std::vector<std::string>;

}  // namespace kw
