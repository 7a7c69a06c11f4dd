// Class registry and scoped registrations.
#include "ui_shared/platform/class_registry.h"

#include "ui_shared/platform/service.h"
#include "ui_shared/platform/text.h"

namespace kw {

void ClassRegistry::Register(std::string_view prog_id, Factory factory) {
  factories_[text::Lower(prog_id)] = std::move(factory);
}

void ClassRegistry::Unregister(std::string_view prog_id) { factories_.erase(text::Lower(prog_id)); }

bool ClassRegistry::IsRegistered(std::string_view prog_id) const { return factories_.contains(text::Lower(prog_id)); }

namespace {
// Raises 429 for `prog_id`, saying why the registry made nothing.
[[noreturn]] void CannotCreate(std::string_view prog_id, std::string_view why) {
  Raise(err::kCannotCreate, "",
        std::string(StandardDescription(err::kCannotCreate)) + ": " + std::string(why) + " \"" + std::string(prog_id) +
            "\"");
}
}  // namespace

ObjectPtr ClassRegistry::Create(std::string_view prog_id) const {
  const auto it = factories_.find(text::Lower(prog_id));
  if (it == factories_.end() || !it->second) CannotCreate(prog_id, "no class is registered as");
  ObjectPtr object = it->second();
  if (!object) CannotCreate(prog_id, "nothing was made by the factory of");
  return object;
}

ClassRegistry::Factory ClassRegistry::Lookup(std::string_view prog_id) const {
  const auto it = factories_.find(text::Lower(prog_id));
  return it == factories_.end() ? Factory() : it->second;
}

ObjectPtr CreateObject(std::string_view prog_id) { return Service<ClassRegistry>::Get().Create(prog_id); }

ScopedRegistration::ScopedRegistration(std::string prog_id, ClassRegistry::Factory factory)
    : prog_id_(std::move(prog_id)) {
  ClassRegistry& registry = Service<ClassRegistry>::Get();
  previous_ = registry.Lookup(prog_id_);
  registry.Register(prog_id_, std::move(factory));
}

ScopedRegistration::~ScopedRegistration() {
  ClassRegistry& registry = Service<ClassRegistry>::Get();
  if (previous_) {
    registry.Register(prog_id_, std::move(previous_));
  } else {
    registry.Unregister(prog_id_);
  }
}

}  // namespace kw
