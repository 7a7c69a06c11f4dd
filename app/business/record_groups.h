// Registration of record-group validators: each business-object class may have a validator for
// the rules that span its records, which the library creates by the name "KW01.RG" followed by
// the class name from its third character ("LIResidents" -> "KW01.RGResidents").
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "ui_shared/contracts/business_objects.h"
#include "ui_shared/platform/class_registry.h"

namespace trf {

using RecordGroupFactory = std::function<std::shared_ptr<kw::I_RecordGroup>()>;

// Registers `factory` with `registry` under "KW01.RG" + `name_tail`, replacing any validator
// registered there before.
void RegisterRecordGroupValidator(kw::ClassRegistry& registry, std::string_view name_tail, RecordGroupFactory factory);

}  // namespace trf
