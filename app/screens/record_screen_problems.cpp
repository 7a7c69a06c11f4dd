// The record screens' part of the month's problem list, and opening a record from it.
#include "app/screens/record_screen.h"

#include "app/business/group_validators.h"

#include <tuple>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/text.h"
#include "ui_shared/shared_procedures/list_keys.h"

namespace trf {
namespace {

// The validator's name takes the class name from this character on ("LIResidents" -> "KW01.RGResidents").
constexpr size_t kClassNameTail = 3;

}  // namespace

std::string RecordScreen::RecordName() const {
  if (listed_.empty()) return CurrentKey();
  std::string shown = ShownProperty(std::string(listed_.front()->name));
  if (const LookupChoices* choices = ColumnChoices(0)) {
    if (const std::optional<std::string> name = choices->NameOf(kw::Variant::Text(shown))) return *name;
  }
  return shown;
}

Problem RecordScreen::ProblemOf(int32_t field, int32_t rule, const std::string& message, bool hard) const {
  Problem problem{.screen_key = Key(), .screen = Caption(), .rule = rule, .message = message, .hard = hard};
  const auto& columns = layout_.table->columns;
  if (field >= 0 && static_cast<size_t>(field) < columns.size()) {
    problem.field = std::string(columns[static_cast<size_t>(field)].caption);
    for (size_t i = 0; i < fields_.size(); ++i)
      if (fields_[i].number == field) problem.tag = tags_[i];
  }
  return problem;
}

void RecordScreen::CollectProblems(std::vector<Problem>& problems) {
  if (!records_ || loaded_for_ != Context()) Refresh();
  const kw::Variant current = records_->CurrentIndex();
  for (int32_t position = 1; position <= records_->Count(); ++position) {
    const kw::Variant index = kw::Variant::Long(position);
    records_->CurrentIndex(index);
    records_->Validate();
    // Soft rules the person settled before are settled again from the library's record cache.
    std::ignore = Shared()->DisplayRecordErrors(records_, true, nullptr, 0, 0, false);
    const std::string key = CurrentKey();
    const std::string name = RecordName();
    const auto add = [&](Problem problem) {
      problem.record_key = key;
      problem.record = name;
      problems.push_back(std::move(problem));
    };
    for (const kw::HardRulePtr& rule : records_->HardRules(index)->Rules())
      add(ProblemOf(rule->FieldEnum(), rule->RuleNumber(), rule->Feedback(), true));
    for (const std::shared_ptr<SoftRule>& rule : records_->RulesAt(index).Soft()) {
      if (!rule->IsQuestion() || !rule->Enabled()) continue;
      add(QuestionOf(*rule, rule->Accepted()));
    }
  }
  if (current.ToLong() > 0) records_->CurrentIndex(current);
  SelectCurrentRecord();
  ShowCurrentRecord();
  CollectGroupProblems(problems);
}

void RecordScreen::CollectGroupProblems(std::vector<Problem>& problems) {
  const std::string name =
      std::string(kw::class_ids::kRecordGroupPrefix) + kw::text::Mid(records_->ClassName(), kClassNameTail);
  const ColumnDescription& parent = layout_.table->columns[1];
  const std::optional<std::string> group = ContextKeyOf(parent.lookup.table, *Shared());
  if (!kw::Service<kw::ClassRegistry>::Get().IsRegistered(name) || !group || group->empty()) return;
  auto validator = kw::CreateObjectAs<RecordGroupValidator>(name);
  validator->SendOffValidation(true);
  validator->Validate(*group);
  // The library settles the group's questions from its cache: when the group passes, the person
  // accepted every question it still raises. A broken hard rule it would show in a dialog: the
  // list asks nothing, and such a group does not pass anyway.
  const bool hard_broken = !validator->HardRules()->Rules().empty();
  const bool passes = !hard_broken && Shared()->ValidateRecordGroup(records_, true);
  const auto add = [&](Problem problem) {
    problem.record = "the " + std::string(layout_.table->plural) + " together";
    problems.push_back(std::move(problem));
  };
  for (const kw::HardRulePtr& rule : validator->HardRules()->Rules())
    add(ProblemOf(rule->FieldEnum(), rule->RuleNumber(), rule->Feedback(), true));
  for (const std::shared_ptr<SoftRule>& rule : validator->Rules().Soft()) {
    if (!rule->IsQuestion() || !rule->Enabled()) continue;
    add(QuestionOf(*rule, rule->Accepted() || passes));
  }
}

Problem RecordScreen::QuestionOf(SoftRule& rule, bool accepted) const {
  Problem problem = ProblemOf(rule.FieldEnum(), rule.RuleNumber(), rule.Feedback(), false);
  problem.accepted = accepted;
  problem.accepted_by = rule.AcceptedBy();
  problem.accepted_at = rule.AcceptedAt();
  return problem;
}

std::string RecordScreen::FieldTag(const std::string& caption) const {
  for (size_t i = 0; i < fields_.size() && i < tags_.size(); ++i)
    if (fields_[i].column->caption == caption) return tags_[i];
  return {};
}

void RecordScreen::OpenRecord(const std::string& record_key, const std::string& tag) {
  const kw::widgets::EntryPtr entry =
      list_->View()->Entries().Find(kw::ListKey(kw::kDefaultKeyPrefix, kw::Variant::Text(record_key)));
  if (!record_key.empty()) {
    if (!entry) throw ScreenRefusal(Caption() + " has no record " + record_key + " now");
    ListItemClick(entry);
    if (CurrentKey() != record_key)
      throw ScreenRefusal("the selection stays: the record being left must be put right first");
  }
  if (!tag.empty()) SetFocusTo(tag);
}

}  // namespace trf
