// FamilyGroupsScreen: the family groups of the current home, with their mailing fees. A combo box
// picks the kind of assessment (typing completes it from the list through AutoFillCombo), and the
// command-bar button "AssessFeesClick" runs the library's AssessMMLOandAMMailingFees over the
// groups, stores the fees and shows them.
#pragma once

#include <memory>
#include <string>

#include "app/screens/record_screen.h"
#include "widgets/combo_box.h"

namespace trf {

class FamilyGroupsScreen : public RecordScreen {
 public:
  explicit FamilyGroupsScreen(std::shared_ptr<Database> database);
  std::string Purpose() const override;
  void Describe(ScreenView& view) override;
  // Chooses the kind of fee assessment: `text` is typed into the assessment combo box, which
  // completes it from its list.
  void Choose(const std::string& text) override;
  // Assesses the fees of the chosen kind, stores them in one transaction and reports them per
  // group. When the store is refused, nothing of the assessment stays: the stored fees are shown.
  void AssessFees();

 protected:
  void OnLoad() override;
  std::shared_ptr<TableBusinessObject> LoadRecords() override;

 private:
  std::shared_ptr<kw::widgets::ComboBox> kind_;
};

}  // namespace trf
