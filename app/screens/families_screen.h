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
  FamilyGroupsScreen();
  std::string Help() const override;
  void Describe(ScreenView& view) override;
  // Types `text` into the assessment combo box, which completes it from its list.
  void TypeText(const std::string& text) override;

  const std::shared_ptr<kw::widgets::ComboBox>& AssessmentKind() const { return kind_; }

 protected:
  void OnLoad() override;
  std::shared_ptr<TableBusinessObject> LoadRecords() override;

 private:
  // Assesses the fees of the kind the combo box shows, stores them and reports them per group.
  void AssessFees();

  std::shared_ptr<kw::widgets::ComboBox> kind_;
};

}  // namespace trf
