// SharedProcedures: control tags, the text that ties a control to a business-object field.
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/numbers.h"
#include "ui_shared/platform/text.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

int16_t SharedProcedures::GetFieldEnumFromTag(const std::string& strTag) {
  return Guarded(class_ids::kSharedProcedures, "GetFieldEnumFromTag", [&](Line& line) {
    line = 10;
    const size_t p = text::InStr(strTag, "#");
    line = 20;
    return LeadingInt16(text::Mid(strTag, p + 1));
  });
}

int16_t SharedProcedures::GetClassFromTag(const std::string& strTag) {
  return Guarded(class_ids::kSharedProcedures, "GetClassFromTag", [&](Line& line) {
    line = 10;
    const size_t p = text::InStr(strTag, "#");
    line = 20;
    return LeadingInt16(text::Left(strTag, p));
  });
}

std::string SharedProcedures::CreateTag(int16_t intClass, int16_t intFieldEnum) {
  return Guarded(class_ids::kSharedProcedures, "CreateTag", [&](Line& line) {
    line = 10;
    std::string tag = StrOf(Variant::Integer(intClass));
    line = 20;
    tag += "#";
    line = 30;
    tag += StrOf(Variant::Integer(intFieldEnum));
    return tag;
  });
}

}  // namespace kw
