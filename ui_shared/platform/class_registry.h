// The class registry: creates objects from their programmatic identifiers ("KW_UIShared.
// SharedProcedures"); 429 when nothing is registered under an identifier.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "ui_shared/platform/object.h"

namespace kw {

// Creates objects by their programmatic identifiers: where the library finds its siblings and a
// program registers them (the library creates its siblings here, by the identifiers in class_ids.h). A replaceable
// service: Service<ClassRegistry> is the registry in force.
class ClassRegistry {
 public:
  // Makes a new object of a class, or hands out a shared one.
  using Factory = std::function<ObjectPtr()>;

  // Registers (or replaces) the factory of `prog_id`; identifiers compare without regard to case.
  void Register(std::string_view prog_id, Factory factory);
  // Forgets the factory of `prog_id`.
  void Unregister(std::string_view prog_id);
  // True when a factory is registered under `prog_id`.
  bool IsRegistered(std::string_view prog_id) const;
  // The factory registered under `prog_id`; empty when none.
  Factory Lookup(std::string_view prog_id) const;

  // Creates a new object; 429 naming `prog_id` when none is registered or the factory gives
  // nothing. Errors of the factory itself pass unchanged.
  ObjectPtr Create(std::string_view prog_id) const;

  // A registry with nothing registered, the default of Service<ClassRegistry>.
  static std::shared_ptr<ClassRegistry> MakeDefault() { return std::make_shared<ClassRegistry>(); }

 private:
  std::map<std::string, Factory, std::less<>> factories_;
};

// Creates an object through the registry in force.
ObjectPtr CreateObject(std::string_view prog_id);

// Creates an object and takes its typed interface `T` (13 when it does not support it).
template <class T>
std::shared_ptr<T> CreateObjectAs(std::string_view prog_id) {
  return As<T>(CreateObject(prog_id));
}

// Registers a factory for the length of a scope and puts back what stood there before (tests).
class ScopedRegistration {
 public:
  // Registers `factory` under `prog_id` until the end of the scope.
  ScopedRegistration(std::string prog_id, ClassRegistry::Factory factory);
  ~ScopedRegistration();
  ScopedRegistration(const ScopedRegistration&) = delete;
  ScopedRegistration& operator=(const ScopedRegistration&) = delete;

 private:
  std::string prog_id_;
  ClassRegistry::Factory previous_;
};

}  // namespace kw
