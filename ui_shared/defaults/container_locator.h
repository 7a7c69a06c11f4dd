// SingleContainerLocator: the container locator of the default siblings. Every SharedProcedures
// creates a locator by name and asks it for the container; this one hands out the container it
// was made with, so that every screen works in the same context.
#pragma once

#include <memory>
#include <string>

#include "ui_shared/contracts/container.h"

namespace kw {

// Hands out the one container it was made with.
class SingleContainerLocator : public ContainerLocator {
 public:
  // A locator of `container`, which it keeps alive.
  explicit SingleContainerLocator(ObjectPtr container) : container_(std::move(container)) {}
  // The type name the runtime reports: "ContainerLocator".
  std::string TypeName() const override { return "ContainerLocator"; }
  ObjectPtr Container() override { return container_; }

 private:
  ObjectPtr container_;
};

}  // namespace kw
