// The container locator the library creates by name: it hands out the application's one container.
#pragma once

#include <memory>
#include <string>

#include "app/siblings/screen_container.h"
#include "ui_shared/contracts/container.h"

namespace trf {

class AppContainerLocator : public kw::ContainerLocator {
 public:
  explicit AppContainerLocator(std::shared_ptr<ScreenContainer> container) : container_(std::move(container)) {}
  std::string TypeName() const override { return "ContainerLocator"; }
  kw::ObjectPtr Container() override { return container_; }

 private:
  std::shared_ptr<ScreenContainer> container_;
};

}  // namespace trf
