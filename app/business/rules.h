// Rules of the reference business objects: the hard and soft rule objects, the rule state of one
// record or record group (which rules a run found broken, which soft rules the user settled), and
// the live collections that the library walks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui_shared/contracts/business_objects.h"

namespace trf {

// Rule levels.
inline constexpr int32_t kFieldLevel = 1;
inline constexpr int32_t kRecordLevel = 2;

// A broken hard rule.
class HardRule : public kw::I_HardRule {
 public:
  HardRule(int32_t field, int32_t level, int32_t number, std::string feedback, std::string more)
      : field_(field), level_(level), number_(number), feedback_(std::move(feedback)), more_(std::move(more)) {}
  std::string TypeName() const override { return "HardRule"; }
  int32_t FieldEnum() override { return field_; }
  int32_t RuleLevel() override { return level_; }
  int32_t RuleNumber() override { return number_; }
  std::string Feedback() override { return feedback_; }
  std::string MoreFeedback() override { return more_; }

 private:
  int32_t field_, level_, number_;
  std::string feedback_, more_;
};

// A raised soft rule: broken until the user settles it; a settled rule stays settled while a
// later run finds it with the same value.
class SoftRule : public kw::I_SoftRule {
 public:
  SoftRule(int32_t field, int32_t level, int32_t number, bool question, std::string feedback, std::string more,
           kw::Variant value)
      : field_(field), level_(level), number_(number), question_(question), feedback_(std::move(feedback)),
        more_(std::move(more)), value_(std::move(value)) {}
  std::string TypeName() const override { return "SoftRule"; }
  int32_t FieldEnum() override { return field_; }
  int32_t RuleLevel() override { return level_; }
  int32_t RuleNumber() override { return number_; }
  bool IsQuestion() override { return question_; }
  std::string Feedback() override { return feedback_; }
  std::string MoreFeedback() override { return more_; }
  kw::Variant Value() override { return value_; }
  bool Broken() override { return broken_; }
  void Broken(bool broken) override { broken_ = broken; }
  bool Enabled() override { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  // The same rule of the same field raised for an equal value.
  bool SameFinding(const SoftRule& other) const;
  // A question the person accepted, and whether that is on the change record already.
  bool Accepted() const { return question_ && !broken_; }
  bool OnRecord() const { return on_record_; }
  void PutOnRecord() { on_record_ = true; }
  // Settles the question as accepted by `who` at `when` (UTC), as the change record keeps it.
  void KeepAcceptance(std::string who, std::string when);
  // Who accepted the question and when, once the change record says; empty before.
  const std::string& AcceptedBy() const { return accepted_by_; }
  const std::string& AcceptedAt() const { return accepted_at_; }

 private:
  int32_t field_, level_, number_;
  bool question_;
  std::string feedback_, more_;
  kw::Variant value_;
  bool broken_ = true;
  bool enabled_ = true;
  bool on_record_ = false;
  std::string accepted_by_, accepted_at_;
};

// A question accepted earlier and kept on the change record, as the rules of one record or group
// compare it: the field (-1 for the record's or the group's own rules), the rule, the value accepted
// as text (nothing for none), who accepted it and when.
struct KeptAcceptance {
  int32_t field = -1;
  int32_t rule = 0;
  std::optional<std::string> value;
  std::string who;
  std::string when;
};

// What one run of rules found; merged into a RuleState afterwards.
class RuleFindings {
 public:
  void Hard(int32_t field, int32_t level, int32_t number, std::string feedback, std::string more = "");
  // A soft rule: a question the user accepts or declines, or a notice the user only reads.
  void Question(int32_t field, int32_t level, int32_t number, std::string feedback, kw::Variant value,
                std::string more = "");
  void Notice(int32_t field, int32_t level, int32_t number, std::string feedback, kw::Variant value,
              std::string more = "");
  // Inline: the rules ask it of every field of every record, where as a rule nothing broke.
  bool HasHard(int32_t field) const {
    return std::ranges::any_of(hard, [field](const auto& rule) { return rule->FieldEnum() == field; });
  }

  std::vector<std::shared_ptr<HardRule>> hard;
  std::vector<std::shared_ptr<SoftRule>> soft;
};

// The rules of one record or group as the last runs left them.
class RuleState {
 public:
  // Replaces the rules in scope (field, or -1 for every field; level, or -1 for every level) by
  // `findings`; a soft rule found again with the same value keeps its settled state, and a question
  // found anew that was accepted for the same field and value before (see Keep) is settled as
  // accepted. Notices are disabled during a send-off run: they only inform the user.
  void Merge(int32_t field, int32_t level, RuleFindings findings, bool send_off);
  // Forgets the rules found so far; the kept acceptances stay.
  void Clear();
  // The questions accepted about this record or group on an earlier occasion, as the change record
  // keeps them: a question found with the same field, rule and value is settled by them.
  void Keep(std::vector<KeptAcceptance> kept) { kept_ = std::move(kept); }
  // Keeps `kept` (see Keep) and gives the accepted questions it names their who and when: after they
  // were put on record.
  void Stamp(std::vector<KeptAcceptance> kept);

  bool HardValid(int32_t field, int32_t level) const;
  bool SoftValid(int32_t field, int32_t level) const;
  bool Valid() const { return HardValid(-1, -1) && SoftValid(-1, -1); }

  const std::vector<std::shared_ptr<HardRule>>& Hard() const { return hard_; }
  const std::vector<std::shared_ptr<SoftRule>>& Soft() const { return soft_; }

 private:
  // The kept acceptance that settles `rule`, when there is one.
  const KeptAcceptance* KeptFor(SoftRule& rule) const;

  std::vector<std::shared_ptr<HardRule>> hard_;
  std::vector<std::shared_ptr<SoftRule>> soft_;
  std::vector<KeptAcceptance> kept_;
};

using RuleStatePtr = std::shared_ptr<RuleState>;

// An amount as feedback texts show it: two decimals, thousands grouped ("24,350.00").
std::string AmountText(double amount);
// Whole years from one date serial to a later one (a birthday counts on its day).
int32_t FullYears(double from, double to);

// The broken hard rules of a record or group, as they stand whenever they are asked.
class HardRuleCollection : public kw::I_HardRules {
 public:
  explicit HardRuleCollection(RuleStatePtr state) : state_(std::move(state)) {}
  std::string TypeName() const override { return "HardRules"; }
  std::vector<kw::HardRulePtr> Rules() override;
  bool IsValid(int32_t field_enum, int32_t rule_level, bool third) override;
  std::vector<kw::Variant> Enumerate() override;

 private:
  RuleStatePtr state_;
};

// The raised soft rules of a record or group, as they stand whenever they are asked.
class SoftRuleCollection : public kw::I_SoftRules {
 public:
  explicit SoftRuleCollection(RuleStatePtr state) : state_(std::move(state)) {}
  std::string TypeName() const override { return "SoftRules"; }
  std::vector<kw::SoftRulePtr> Rules() override;
  bool IsValid(int32_t field_enum, int32_t rule_level) override;
  std::vector<kw::Variant> Enumerate() override;

 private:
  RuleStatePtr state_;
};

}  // namespace trf
