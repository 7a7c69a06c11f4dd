// Record-group validators: rules over all records of a class for one home or one home month,
// checked with SQL over the stored records. The library creates them by the name "KW01.RG"
// followed by the business object's class name from its third character.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/business/rules.h"
#include "app/data/database.h"
#include "app/data/trf_tables.h"
#include "ui_shared/contracts/business_objects.h"

namespace trf {

// The common part: the rule state of the group, the send-off flag, the database.
class RecordGroupValidator : public kw::I_RecordGroup {
 public:
  explicit RecordGroupValidator(std::shared_ptr<Database> database) : database_(std::move(database)) {}
  kw::HardRulesPtr HardRules() override { return std::make_shared<HardRuleCollection>(state_); }
  kw::SoftRulesPtr SoftRules() override { return std::make_shared<SoftRuleCollection>(state_); }
  bool IsValid() override { return state_->Valid(); }
  // The group's rules as the last run left them, typed: with who accepted a question and when.
  const RuleState& Rules() const { return *state_; }
  void SendOffValidation(bool sending_off) override { send_off_ = sending_off; }
  // Checks the group of `group_key`; answers whether it is valid. A key that is no record key
  // breaks a hard rule. A question accepted about the group before, for the value it has now, is
  // settled as accepted. Outside a send-off run (where a person may just have answered), the
  // questions accepted since are put on the change record, about the record that owns the group.
  kw::Variant Validate(const std::string& group_key) override;

 protected:
  // The group's rules for the record `key` of the parent table (a home or a month record).
  virtual void Check(int64_t key, RuleFindings& findings) = 0;
  // The table of the record that owns the group, about which its accepted questions are kept.
  virtual const TableDescription& Owner() const = 0;
  // Prepares `sql` with its parameters bound in order.
  std::unique_ptr<Statement> Query(const std::string& sql, std::initializer_list<kw::Variant> parameters);

 private:
  // The questions accepted about the group of `key` that the change record keeps.
  std::vector<KeptAcceptance> Kept(int64_t key);
  // Puts the questions accepted about the group of `key` and not yet on record there, in one transaction.
  void RecordAcceptances(int64_t key);

  std::shared_ptr<Database> database_;
  RuleStatePtr state_ = std::make_shared<RuleState>();
  bool send_off_ = false;
};

// The residents of a home month: no more than the home has room for (hard); a total of fees far
// from the month before's (a question).
class RGResidents : public RecordGroupValidator {
 public:
  using RecordGroupValidator::RecordGroupValidator;
  std::string TypeName() const override { return "RGResidents"; }
  // A change of the fees total beyond this share of the previous total is asked about.
  static constexpr double kUnusualChange = 0.25;

 protected:
  void Check(int64_t month_id, RuleFindings& findings) override;
  const TableDescription& Owner() const override { return tables::kHomeMonths; }
};

// The family groups of a home: names are unique (hard); groups that never had a resident are
// noted (a notice).
class RGFamilyGroups : public RecordGroupValidator {
 public:
  using RecordGroupValidator::RecordGroupValidator;
  std::string TypeName() const override { return "RGFamilyGroups"; }

 protected:
  void Check(int64_t home_id, RuleFindings& findings) override;
  const TableDescription& Owner() const override { return tables::kHomes; }
};

}  // namespace trf
