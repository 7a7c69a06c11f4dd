// SharedProceduresTestAccess: the soft-rule caches and private members of SharedProcedures, for tests.
#pragma once

#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

struct SharedProceduresTestAccess {
  static Dictionary& RecordCache(SharedProcedures& s) { return *s.m_dicRecordCache; }
  static Dictionary& RecordGroupCache(SharedProcedures& s) { return *s.m_dicRecordGroupCache; }
  static void CheckSoftRuleCache(SharedProcedures& s) { s.CheckSoftRuleCache(); }
};

}  // namespace kw
