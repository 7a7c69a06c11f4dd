// The Our Home screen: the homes in a list; selecting one makes it the current home of every
// screen (and clears the month, which belongs to the home before).
#pragma once

#include <memory>

#include "app/business/business_classes.h"
#include "app/screens/list_screen.h"
#include "ui_shared/shared_procedures/context_keys.h"

namespace trf {

class HomeScreen : public ListScreen<LIHomes> {
 public:
  explicit HomeScreen(const std::shared_ptr<Database>& database);
  std::string TypeName() const override { return "FRM_H_OurHome"; }

  std::string Purpose() const override;
  // Makes the home of `row` the current home of every screen.
  void SelectRow(int row) override;

 protected:
  bool Chosen(const ScreenContext& context) const override { return !context.home_num.empty(); }
  void OnLoad() override;
  void Reload() override;
};

}  // namespace trf
