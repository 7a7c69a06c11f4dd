// SharedProceduresTestAccess: lets behaviour tests look into the soft-rule caches of a
// SharedProcedures object and run its private members, which no public member exposes.
#pragma once

#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

struct SharedProceduresTestAccess {
  static Dictionary& RecordCache(SharedProcedures& s) { return *s.m_dicRecordCache; }
  static Dictionary& RecordGroupCache(SharedProcedures& s) { return *s.m_dicRecordGroupCache; }
  static void CheckSoftRuleCache(SharedProcedures& s) { s.CheckSoftRuleCache(); }
};

}  // namespace kw
