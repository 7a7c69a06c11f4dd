// FakeLI, its rules and FakeRecordGroup: business-object doubles that answer the rules a test gives them.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/doubles/call_log.h"
#include "ui_shared/contracts/business_objects.h"

namespace kw::testing {

class FakeHardRule : public I_HardRule {
 public:
  FakeHardRule(int32_t field, int32_t level, int32_t number, std::string text, std::string detail = "")
      : field_enum(field), rule_level(level), rule_number(number), feedback(std::move(text)), more(std::move(detail)) {}
  std::string TypeName() const override { return "HardRule"; }
  int32_t FieldEnum() override { return field_enum; }
  int32_t RuleLevel() override { return rule_level; }
  int32_t RuleNumber() override { return rule_number; }
  std::string Feedback() override { return feedback; }
  std::string MoreFeedback() override { return more; }

  int32_t field_enum, rule_level, rule_number;
  std::string feedback, more;
};

class FakeSoftRule : public I_SoftRule {
 public:
  FakeSoftRule(int32_t field, int32_t level, int32_t number, bool question, std::string text, Variant rule_value)
      : field_enum(field), rule_level(level), rule_number(number), is_question(question), feedback(std::move(text)),
        value(std::move(rule_value)) {}
  std::string TypeName() const override { return "SoftRule"; }
  int32_t FieldEnum() override { return field_enum; }
  int32_t RuleLevel() override { return rule_level; }
  int32_t RuleNumber() override { return rule_number; }
  bool IsQuestion() override { return is_question; }
  std::string Feedback() override { return feedback; }
  std::string MoreFeedback() override { return more; }
  Variant Value() override { return value; }
  bool Broken() override { return broken; }
  void Broken(bool b) override { broken = b; }
  bool Enabled() override { return enabled; }

  int32_t field_enum, rule_level, rule_number;
  bool is_question;
  std::string feedback, more;
  Variant value;
  bool broken = true, enabled = true;
};

class FakeHardRules : public I_HardRules {
 public:
  std::string TypeName() const override { return "HardRules"; }
  std::vector<HardRulePtr> Rules() override { return {rules.begin(), rules.end()}; }
  bool IsValid(int32_t field_enum, int32_t rule_level, bool) override {
    return std::ranges::none_of(rules, [&](const auto& r) {
      return (field_enum == -1 || r->field_enum == field_enum) && (rule_level == -1 || r->rule_level == rule_level);
    });
  }
  std::vector<std::shared_ptr<FakeHardRule>> rules;
};

class FakeSoftRules : public I_SoftRules {
 public:
  std::string TypeName() const override { return "SoftRules"; }
  std::vector<SoftRulePtr> Rules() override { return {rules.begin(), rules.end()}; }
  // Answers for every field and level (all the library asks): broken means Broken and Enabled.
  bool IsValid(int32_t, int32_t) override {
    return std::ranges::none_of(rules, [](const auto& r) { return r->broken && r->enabled; });
  }
  std::vector<std::shared_ptr<FakeSoftRule>> rules;
};

class FakeLI : public I_LI, public RecordingDouble {
 public:
  // `positions` is the number of fields per record, key at position 1 and parent id at 2.
  FakeLI(std::shared_ptr<CallLog> log, int16_t class_enum = 3, std::string class_name = "LIResidents",
         int positions = 4);
  std::string TypeName() const override { return "FakeLI"; }

  // Appends a stored record (neither new nor dirty) with the given values by position.
  void AddRecord(std::vector<Variant> values);
  // Gives a property name to a position, for access by member name.
  void NameProperty(const std::string& name, int32_t position) { properties_[name] = position; }
  int32_t Current() const { return current_; }
  const std::vector<Variant>& Record(int32_t position) const {
    return records_.at(static_cast<size_t>(position - 1)).values;
  }

  void AddNew() override;
  bool Save(bool force) override;
  void SuspendValidation(bool suspend) override { Hit("Let SuspendValidation", suspend); }
  void CancelEdit() override;
  int16_t ClassEnum() override { return Got("ClassEnum", class_enum); }
  std::string ClassName() override { return Got("ClassName", class_name); }
  int32_t Count() override { return static_cast<int32_t>(records_.size()); }
  void Delete() override;
  Variant Filter() override { return Got("Filter", filter); }
  void Filter(const Variant& value) override { Put("Filter", filter, value); }
  Variant FieldValueAt(const Variant& index, int32_t position) override;
  HardRulesPtr HardRules(const Variant& = Variant()) override { return Got("HardRules", hard_rules); }
  Variant CurrentIndex() override { return Got("CurrentIndex", Variant::Long(reported_position.value_or(current_))); }
  void CurrentIndex(const Variant& index) override;
  bool IsNew() override;
  bool IsDirty(const Variant& index = Variant()) override;
  bool IsValid(const Variant& index = Variant()) override;
  bool GroupDirty(const Variant& = Variant()) override { return Got("GroupDirty", group_dirty); }
  void GroupDirty(bool dirty, const Variant& = Variant()) override { Put("GroupDirty", group_dirty, dirty); }
  bool Exists(const std::string& key) override;
  int32_t SaveMode() override { return Got("SaveMode", save_mode); }
  void SendOffValidation(bool sending_off) override { Hit("Let SendOffValidation", sending_off); }
  void FieldValue(int32_t position, const Variant& value) override;
  SoftRulesPtr SoftRules(const Variant& = Variant()) override { return Got("SoftRules", soft_rules); }
  void SaveBatch() override { Hit("SaveBatch"); }
  void Validate() override {
    Hit("Validate");
    if (on_validate) on_validate(*this);
  }

  // Late binding: "Count" and the named properties of the current record read, "Index" written.
  Variant Get(std::string_view member, const Args& args = {}) override;
  void Let(std::string_view member, const Variant& value, const Args& args = {}) override;

  int16_t class_enum;
  std::string class_name;
  int32_t save_mode = 0;
  Variant filter = Variant::Long(0);
  bool group_dirty = false;
  std::deque<bool> save_answers;  // answers of Save(false); true when empty
  std::shared_ptr<FakeHardRules> hard_rules = std::make_shared<FakeHardRules>();
  std::shared_ptr<FakeSoftRules> soft_rules = std::make_shared<FakeSoftRules>();
  std::optional<bool> is_valid;                                    // overrides the computed IsValid
  std::function<void(FakeLI&)> on_validate;                        // runs inside Validate
  std::function<void(FakeLI&, int32_t, const Variant&)> on_field;  // runs inside FieldValue
  int32_t next_key = 100;
  std::optional<int32_t> reported_position;  // what CurrentIndex answers instead of the real position

 private:
  struct Row {
    std::vector<Variant> values;
    bool is_new = false;
    bool dirty = false;
  };
  Row& CurrentRow();
  int32_t PositionOf(const Variant& index) const;
  // The position of the record whose key equals `key`, as text or as a whole number; 0 when none.
  int32_t PositionOfKey(const std::string& key) const;

  int positions_;
  std::vector<Row> records_;
  int32_t current_ = 0;
  std::map<std::string, int32_t> properties_;
};

// A record-group validator double that runs an optional hook inside Validate.
class FakeRecordGroup : public I_RecordGroup, public RecordingDouble {
 public:
  explicit FakeRecordGroup(std::shared_ptr<CallLog> log) : RecordingDouble(std::move(log), "Group") {}
  std::string TypeName() const override { return "FakeRecordGroup"; }

  HardRulesPtr HardRules() override { return Got("HardRules", hard_rules); }
  // Valid while no hard rule is held and no enabled soft rule is broken.
  bool IsValid() override { return Got("IsValid", hard_rules->rules.empty() && soft_rules->IsValid(-1, -1)); }
  void SendOffValidation(bool sending_off) override { Hit("Let SendOffValidation", sending_off); }
  SoftRulesPtr SoftRules() override { return Got("SoftRules", soft_rules); }
  Variant Validate(const std::string& group_key) override {
    Hit("Validate", group_key);
    if (on_validate) on_validate(*this);
    return Variant::Boolean(true);
  }

  std::shared_ptr<FakeHardRules> hard_rules = std::make_shared<FakeHardRules>();
  std::shared_ptr<FakeSoftRules> soft_rules = std::make_shared<FakeSoftRules>();
  std::function<void(FakeRecordGroup&)> on_validate;
};

}  // namespace kw::testing
