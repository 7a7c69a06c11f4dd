// Registration of record-group validators by name.
#include "app/business/record_groups.h"

#include <string>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"

namespace trf {

void RegisterRecordGroupValidator(kw::ClassRegistry& registry, std::string_view name_tail, RecordGroupFactory factory) {
  std::string prog_id(kw::class_ids::kRecordGroupPrefix);
  prog_id.append(name_tail);
  registry.Register(std::move(prog_id), [factory = std::move(factory)]() -> kw::ObjectPtr { return factory(); });
}

}  // namespace trf
