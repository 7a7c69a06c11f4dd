// Record builders of the library's behaviour tests, and the soft rules they break.
#pragma once

#include <memory>

#include "tests/doubles/fake_business_object.h"
#include "tests/doubles/harness.h"

namespace kw::testing {

// Records keyed 1..`count` of class 3 ("LIResidents"), the `current` one current.
inline std::shared_ptr<FakeLI> Numbered(LibraryHarness& h, int32_t count, int32_t current = 1) {
  auto li = std::make_shared<FakeLI>(h.log);
  for (int32_t key = 1; key <= count; ++key) li->AddRecord({Variant::Long(key)});
  li->CurrentIndex(Variant::Long(current));
  h.log->Clear();
  return li;
}

// One stored record of class 3: key 101, parent 1, name "Smith", age 40.
inline std::shared_ptr<FakeLI> OneRecord(LibraryHarness& h) {
  auto li = std::make_shared<FakeLI>(h.log);
  li->AddRecord({Variant::Long(101), Variant::Long(1), Variant::Text("Smith"), Variant::Long(40)});
  return li;
}

// OneRecord whose name (position 3) was just written, so that it counts as edited.
inline std::shared_ptr<FakeLI> EditedRecord(LibraryHarness& h) {
  auto li = OneRecord(h);
  li->FieldValue(3, Variant::Text("Smith"));
  h.log->Clear();
  return li;
}

// Adds a broken soft rule of level 1 on `field` saying "Soft <number>" about `value`.
inline std::shared_ptr<FakeSoftRule> AddSoftRule(FakeLI& li, int32_t number, bool question, const char* value = "v",
                                                 int32_t field = 2) {
  auto rule = std::make_shared<FakeSoftRule>(field, 1, number, question, "Soft " + std::to_string(number),
                                             Variant::Text(value));
  li.soft_rules->rules.push_back(rule);
  return rule;
}

}  // namespace kw::testing
