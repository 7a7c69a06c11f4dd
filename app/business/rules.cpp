// Rule objects, rule state and rule collections.
#include "app/business/rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ui_shared/platform/dates.h"

#include "ui_shared/platform/text.h"

namespace trf {

namespace {

bool InScope(int32_t rule_field, int32_t rule_level, int32_t field, int32_t level) {
  return (field == -1 || rule_field == field) && (level == -1 || rule_level == level);
}

// The text a rule's value is compared by: what the user saw, blanks around it removed.
std::string ValueText(const kw::Variant& value) {
  return value.IsNull() ? std::string() : kw::text::Trim(value.ToText());
}

}  // namespace

bool SoftRule::SameFinding(const SoftRule& other) const {
  return number_ == other.number_ && field_ == other.field_ && level_ == other.level_ &&
         value_.IsNull() == other.value_.IsNull() && ValueText(value_) == ValueText(other.value_);
}

void SoftRule::KeepAcceptance(std::string who, std::string when) {
  broken_ = false;
  on_record_ = true;
  accepted_by_ = std::move(who);
  accepted_at_ = std::move(when);
}

void RuleFindings::Hard(int32_t field, int32_t level, int32_t number, std::string feedback, std::string more) {
  hard.push_back(std::make_shared<HardRule>(field, level, number, std::move(feedback), std::move(more)));
}

void RuleFindings::Question(int32_t field, int32_t level, int32_t number, std::string feedback, kw::Variant value,
                            std::string more) {
  soft.push_back(
      std::make_shared<SoftRule>(field, level, number, true, std::move(feedback), std::move(more), std::move(value)));
}

void RuleFindings::Notice(int32_t field, int32_t level, int32_t number, std::string feedback, kw::Variant value,
                          std::string more) {
  soft.push_back(
      std::make_shared<SoftRule>(field, level, number, false, std::move(feedback), std::move(more), std::move(value)));
}

void RuleState::Merge(int32_t field, int32_t level, RuleFindings findings, bool send_off) {
  std::erase_if(hard_, [&](const auto& rule) { return InScope(rule->FieldEnum(), rule->RuleLevel(), field, level); });
  std::vector<std::shared_ptr<SoftRule>> kept;
  for (auto& rule : soft_) {
    if (!InScope(rule->FieldEnum(), rule->RuleLevel(), field, level)) kept.push_back(rule);
  }
  for (auto& found : findings.soft) {
    const auto earlier = std::find_if(soft_.begin(), soft_.end(), [&](const auto& rule) {
      return InScope(rule->FieldEnum(), rule->RuleLevel(), field, level) && rule->SameFinding(*found);
    });
    auto& rule = earlier == soft_.end() ? found : *earlier;
    if (earlier == soft_.end() && rule->IsQuestion()) {
      if (const KeptAcceptance* accepted = KeptFor(*rule)) rule->KeepAcceptance(accepted->who, accepted->when);
    }
    rule->SetEnabled(rule->IsQuestion() || !send_off);
    kept.push_back(rule);
  }
  soft_ = std::move(kept);
  for (auto& rule : findings.hard) hard_.push_back(std::move(rule));
}

const KeptAcceptance* RuleState::KeptFor(SoftRule& rule) const {
  const kw::Variant value = rule.Value();
  const std::optional<std::string> text = value.IsNull() ? std::nullopt : std::optional(ValueText(value));
  // The latest acceptance speaks: they are kept oldest first.
  const auto found = std::find_if(kept_.rbegin(), kept_.rend(), [&](const KeptAcceptance& kept) {
    return kept.field == rule.FieldEnum() && kept.rule == rule.RuleNumber() &&
           kept.value.has_value() == text.has_value() && (!text || kw::text::Trim(*kept.value) == *text);
  });
  if (found != kept_.rend()) return &*found;
  return nullptr;
}

void RuleState::Stamp(std::vector<KeptAcceptance> kept) {
  kept_ = std::move(kept);
  for (const auto& rule : soft_) {
    if (!rule->Accepted() || !rule->AcceptedBy().empty()) continue;
    if (const KeptAcceptance* entry = KeptFor(*rule)) rule->KeepAcceptance(entry->who, entry->when);
  }
}

void RuleState::Clear() {
  hard_.clear();
  soft_.clear();
}

bool RuleState::HardValid(int32_t field, int32_t level) const {
  return std::none_of(hard_.begin(), hard_.end(),
                      [&](const auto& rule) { return InScope(rule->FieldEnum(), rule->RuleLevel(), field, level); });
}

bool RuleState::SoftValid(int32_t field, int32_t level) const {
  return std::none_of(soft_.begin(), soft_.end(), [&](const auto& rule) {
    return rule->Broken() && rule->Enabled() && InScope(rule->FieldEnum(), rule->RuleLevel(), field, level);
  });
}

std::vector<kw::HardRulePtr> HardRuleCollection::Rules() { return {state_->Hard().begin(), state_->Hard().end()}; }

bool HardRuleCollection::IsValid(int32_t field_enum, int32_t rule_level, bool) {
  return state_->HardValid(field_enum, rule_level);
}

std::vector<kw::Variant> HardRuleCollection::Enumerate() {
  std::vector<kw::Variant> items;
  for (const auto& rule : state_->Hard()) items.push_back(kw::Variant::Object(rule));
  return items;
}

std::vector<kw::SoftRulePtr> SoftRuleCollection::Rules() { return {state_->Soft().begin(), state_->Soft().end()}; }

bool SoftRuleCollection::IsValid(int32_t field_enum, int32_t rule_level) {
  return state_->SoftValid(field_enum, rule_level);
}

std::vector<kw::Variant> SoftRuleCollection::Enumerate() {
  std::vector<kw::Variant> items;
  for (const auto& rule : state_->Soft()) items.push_back(kw::Variant::Object(rule));
  return items;
}

std::string AmountText(double amount) {
  char digits[64];
  std::snprintf(digits, sizeof digits, "%.2f", std::fabs(amount));
  std::string whole(digits, std::string(digits).find('.'));
  const std::string cents = std::string(digits).substr(whole.size());
  for (size_t i = whole.size(); i > 3; i -= 3) whole.insert(i - 3, ",");
  return (amount < 0 ? "-" : "") + whole + cents;
}

int32_t FullYears(double from, double to) {
  const kw::dates::Civil a = kw::dates::CivilOf(from);
  const kw::dates::Civil b = kw::dates::CivilOf(to);
  int32_t years = b.year - a.year;
  if (b.month < a.month || (b.month == a.month && b.day < a.day)) --years;
  return years;
}

}  // namespace trf
