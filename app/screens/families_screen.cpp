// The family-groups screen: layout, assessment kind and the fee assessment.
#include "app/screens/families_screen.h"

#include "app/business/business_classes.h"
#include "app/business/rules.h"
#include "app/data/class_numbers.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/windows.h"

namespace trf {
namespace {

// The kinds of assessment in the order of MailingFeeAssessment.
const std::vector<std::string> kAssessmentKinds = {"All fees", "Mail-out fee only", "Annual fee only", "Clear fees"};

// A fee as the assessment report shows it: "-" when the assessment left it unset.
std::string FeeText(const kw::Variant& fee) { return fee.IsNull() ? "-" : AmountText(fee.ToDouble()); }

}  // namespace

FamilyGroupsScreen::FamilyGroupsScreen(std::shared_ptr<Database> database)
    : RecordScreen("KW_UI01____FRM_H_FamilyGroups", "families", "Family Groups", kw::icDependsOnHome,
                   RecordScreenLayout{.class_number = classes::kFamilyGroups,
                                      .table = &tables::kFamilyGroups,
                                      .new_entry_text = "(new family group)"},
                   std::move(database)) {}

std::string FamilyGroupsScreen::Purpose() const {
  return "Family groups of the home, with their mailing fees; choose a kind of assessment and assess the fees.";
}

void FamilyGroupsScreen::OnLoad() {
  RecordScreen::OnLoad();
  kind_ = kw::widgets::ComboBox::Make(kAssessmentKinds);
  kind_->OnChange([this] { Shared()->AutoFillCombo(kind_); });
  AddButton("AssessFeesClick", "Assess fees", [this](int16_t) { AssessFees(); });
}

std::shared_ptr<TableBusinessObject> FamilyGroupsScreen::LoadRecords() {
  auto groups = std::make_shared<LIFamilyGroups>(Data());
  groups->Load(ParentId(Shared()->CurrentH_HomesID()));
  return groups;
}

void FamilyGroupsScreen::Describe(ScreenView& view) {
  RecordScreen::Describe(view);
  view.choice = ScreenChoice{"assessment", kind_->Text(), kAssessmentKinds};
}

void FamilyGroupsScreen::Choose(const std::string& text) {
  kind_->Type(text);
  // An exact match is selected by a posted message: let it arrive.
  kw::Service<kw::EventPump>::Get().DoEvents();
  if (kind_->Text().empty()) Say("no kind of assessment begins with \"" + text + "\"");
}

void FamilyGroupsScreen::AssessFees() {
  const int32_t kind = kind_->Find(kind_->Text(), -1, true);
  if (kind < 0) throw ScreenRefusal("choose the kind of assessment first: all, mail-out, annual or clear");
  TableBusinessObject& groups = *Records();
  const kw::Variant current = groups.CurrentIndex();
  try {
    Shared()->AssessMMLOandAMMailingFees(Records(), kind, false);
    groups.SaveBatch();
  } catch (...) {
    Reload();  // what is stored, without the half of an assessment
    throw;
  }
  for (int32_t position = 1; position <= groups.Count(); ++position) {
    const kw::Variant index = kw::Variant::Long(position);
    Say(groups.FieldValueAt(index, LIFamilyGroups::kGroupName).ToText() + ": mail-out fee " +
        FeeText(groups.FieldValueAt(index, LIFamilyGroups::kMMLOFee)) + ", annual fee " +
        FeeText(groups.FieldValueAt(index, LIFamilyGroups::kAMFee)));
  }
  if (current.ToLong() > 0) groups.CurrentIndex(current);
  ShowCurrentRecord();
  Say("assessed: " + kAssessmentKinds[static_cast<size_t>(kind)]);
}

}  // namespace trf
