// FarPositionLI: a business-object double whose current position lies beyond 16 bits, for the
// members that must refuse such a position before they change anything.
#pragma once

#include "tests/doubles/fake_business_object.h"

namespace kw::testing {

class FarPositionLI : public FakeLI {
 public:
  using FakeLI::CurrentIndex;
  using FakeLI::FakeLI;
  Variant CurrentIndex() override { return Variant::Long(40000); }
};

}  // namespace kw::testing
