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

ObjectPtr ClassRegistry::Create(std::string_view prog_id) const {
  const auto it = factories_.find(text::Lower(prog_id));
  if (it == factories_.end() || !it->second) Raise(err::kCannotCreate);
  ObjectPtr object = it->second();
  if (!object) Raise(err::kCannotCreate);
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
