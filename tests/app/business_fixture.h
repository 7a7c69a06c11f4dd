// BusinessFixture: a fresh sample database for one test of the business objects, put in force as
// the application's database, with a private class registry holding the application's classes.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/siblings/siblings.h"
#include "app/data/trf_database.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/clock.h"
#include "ui_shared/platform/dates.h"
#include "ui_shared/platform/service.h"

namespace trf::testing {

class BusinessFixture : public ::testing::Test {
 protected:
  BusinessFixture() { RegisterApplicationClasses(); }

  // The number of rows `sql` counts.
  int32_t CountRows(const std::string& sql) {
    auto query = database->Prepare(sql);
    query->Step();
    return query->Column(0).ToLong();
  }

  std::shared_ptr<Database> database = OpenTrfDatabase(":memory:");
  kw::ScopedService<AppDatabase> app_database{std::make_shared<AppDatabase>(AppDatabase{database})};
  kw::ScopedService<kw::ClassRegistry> registry{std::make_shared<kw::ClassRegistry>()};
  // 15 March 2004.
  kw::ScopedService<kw::Clock> clock{std::make_shared<kw::ManualClock>(kw::dates::Serial(2004, 3, 15))};
};

// Text, number or date values as a test writes them.
inline kw::Variant Text(const char* text) { return kw::Variant::Text(text); }
inline kw::Variant Long(int32_t value) { return kw::Variant::Long(value); }

}  // namespace trf::testing
