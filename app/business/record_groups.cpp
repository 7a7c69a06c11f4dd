// Registration of record-group validators by name.
#include "app/business/record_groups.h"

#include <string>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"

namespace trf {

void RegisterRecordGroupValidator(std::string_view name_tail, RecordGroupFactory factory) {
  std::string prog_id(kw::class_ids::kRecordGroupPrefix);
  prog_id.append(name_tail);
  kw::Service<kw::ClassRegistry>::Get().Register(std::move(prog_id),
                                                  [factory = std::move(factory)]() -> kw::ObjectPtr { return factory(); });
}

}  // namespace trf
