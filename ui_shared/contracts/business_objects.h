// The business objects as the library sees them: `I_LI` holds the records of one class, one of
// them current, with that class's hard and soft rules; `I_RecordGroup` validates the records of a
// home or home month together; `FamilyGroups` is the family-groups object's fee assessment.
// Optional indexes are Empty when omitted, which means the current record.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui_shared/platform/object.h"

namespace kw {

// A broken hard rule: a rule that must hold.
class I_HardRule : public virtual Object {
 public:
  // The field number of the field the rule is about (its position - 1).
  virtual int32_t FieldEnum() = 0;
  virtual int32_t RuleLevel() = 0;  // 1 field, 2 record
  // The rule's number, shown with its message.
  virtual int32_t RuleNumber() = 0;
  // The message that says what is wrong.
  virtual std::string Feedback() = 0;
  // A further explanation, shown as the message's detail.
  virtual std::string MoreFeedback() = 0;
};

// A soft rule: a notice or a question the user settles.
class I_SoftRule : public virtual Object {
 public:
  // The field number of the field the rule is about (its position - 1).
  virtual int32_t FieldEnum() = 0;
  // 1 for a rule of one field, 2 for a rule of the whole record.
  virtual int32_t RuleLevel() = 0;
  // The rule's number, shown with its message.
  virtual int32_t RuleNumber() = 0;
  // True for a question the user accepts or declines; false for a notice the user only reads.
  virtual bool IsQuestion() = 0;
  // The message or question.
  virtual std::string Feedback() = 0;
  // A further explanation, shown as the detail.
  virtual std::string MoreFeedback() = 0;
  // The value that raised the rule; an accepted rule is not asked again while the value stays the
  // same.
  virtual Variant Value() = 0;
  // True while the user has not settled the rule.
  virtual bool Broken() = 0;
  virtual void Broken(bool broken) = 0;  // written false to settle the rule
  // False for a rule switched off; only enabled rules are shown.
  virtual bool Enabled() = 0;
};

// A shared reference to a broken hard rule.
using HardRulePtr = std::shared_ptr<I_HardRule>;
// A shared reference to a soft rule.
using SoftRulePtr = std::shared_ptr<I_SoftRule>;

// The broken hard rules of a record or group, in a stable order.
class I_HardRules : public virtual Object {
 public:
  // The broken hard rules.
  virtual std::vector<HardRulePtr> Rules() = 0;
  // True when nothing is broken for field `field_enum` (-1 any) at `rule_level` (-1 any); the
  // third argument is always false.
  virtual bool IsValid(int32_t field_enum, int32_t rule_level, bool third) = 0;
};

// The soft rules of a record or group, in a stable order.
class I_SoftRules : public virtual Object {
 public:
  // The soft rules, settled ones included.
  virtual std::vector<SoftRulePtr> Rules() = 0;
  // True when no enabled soft rule is still broken for field `field_enum` (-1 any) at `rule_level`
  // (-1 any).
  virtual bool IsValid(int32_t field_enum, int32_t rule_level) = 0;
};

// A shared reference to the broken hard rules of a record or group.
using HardRulesPtr = std::shared_ptr<I_HardRules>;
// A shared reference to the soft rules of a record or group.
using SoftRulesPtr = std::shared_ptr<I_SoftRules>;

// A business object: the records of one class. Fields are addressed by position, field number
// + 1; position 1 is the record key and position 2 the parent id.
class I_LI : public virtual Object {
 public:
  // Appends an empty record and makes it current.
  virtual void AddNew() = 0;
  // Stores pending changes; with false, false means the rules refused the record.
  [[nodiscard]] virtual bool Save(bool force) = 0;
  // Written false before the library runs the rules, so that they are not held back.
  virtual void SuspendValidation(bool suspend) = 0;
  // Drops the pending edits of the current record.
  virtual void CancelEdit() = 0;
  // The class number, which control tags carry (CreateTag).
  virtual int16_t ClassEnum() = 0;
  // The class name; from its third character on it names the class's record-group validator.
  virtual std::string ClassName() = 0;
  // The number of records (within the filter).
  virtual int32_t Count() = 0;
  // Marks the current record deleted; the next Save removes it.
  virtual void Delete() = 0;
  virtual Variant Filter() = 0;  // 0 = none
  // Shows only the records of one parent (0 shows every record).
  virtual void Filter(const Variant& filter) = 0;
  // The value at `position` of record `index` (-1 = the current record).
  virtual Variant FieldValueAt(const Variant& index, int32_t position) = 0;
  // The broken hard rules of a record.
  virtual HardRulesPtr HardRules(const Variant& index = Variant()) = 0;
  // Read: the 1-based position of the current record. Write: a position or a record key makes
  // that record current; -3 settles on the record at the current position after a deletion.
  virtual Variant CurrentIndex() = 0;
  virtual void CurrentIndex(const Variant& index) = 0;
  // True for a current record that was never stored.
  virtual bool IsNew() = 0;
  // True when a record has changes no Save accepted yet.
  virtual bool IsDirty(const Variant& index = Variant()) = 0;
  // True when a record breaks no hard rule and every enabled soft rule is settled.
  virtual bool IsValid(const Variant& index = Variant()) = 0;
  // True when changes touched what the class's record-group rules read, so that they need checking
  // again.
  virtual bool GroupDirty(const Variant& index = Variant()) = 0;
  // Marks the record group as needing a check, or (false) as checked.
  virtual void GroupDirty(bool dirty, const Variant& index = Variant()) = 0;
  // True when a record with the record key `key` is held.
  virtual bool Exists(const std::string& key) = 0;
  virtual int32_t SaveMode() = 0;  // 4: changes are kept until SaveBatch
  // Tells the rules that a send-off validation run is in progress (set while Validate runs).
  virtual void SendOffValidation(bool sending_off) = 0;
  // Writes a field of the current record and runs the rules it triggers.
  virtual void FieldValue(int32_t position, const Variant& value) = 0;
  // The soft rules of a record.
  virtual SoftRulesPtr SoftRules(const Variant& index = Variant()) = 0;
  // Writes every held change at once (save mode 4).
  virtual void SaveBatch() = 0;
  // Runs every rule of the current record.
  virtual void Validate() = 0;
};

// A shared reference to a business object.
using LIPtr = std::shared_ptr<I_LI>;

// Validates the records of a class together, for a home or a home month.
class I_RecordGroup : public virtual Object {
 public:
  // The broken hard rules of the group.
  virtual HardRulesPtr HardRules() = 0;
  // True when the group breaks no hard rule and every enabled soft rule is settled.
  virtual bool IsValid() = 0;
  // Tells the rules that a send-off validation run is in progress.
  virtual void SendOffValidation(bool sending_off) = 0;
  // The soft rules of the group.
  virtual SoftRulesPtr SoftRules() = 0;
  // Checks the group of `group_key` (a home id or a home-month id); the result is not used.
  virtual Variant Validate(const std::string& group_key) = 0;
};

// The family-groups business object's fee assessment.
class FamilyGroups : public virtual Object {
 public:
  // Tells the assessment that a send-off validation run is in progress.
  virtual void SendOffValidation(bool sending_off) = 0;
  // Prepares the assessment; run before and after the assessment proper.
  virtual void AssessPrepare() = 0;
  // The state of the assessment, for the object's own use.
  virtual Variant AssessState() = 0;
  // Assesses the mailing fees of the family groups (`assessment` says which); with
  // `force_am_info_soft_rule` the notice of the annual mailing fee is raised even where it did not change.
  virtual void AssessMMLOandAMMailingFees(int32_t assessment, bool force_am_info_soft_rule) = 0;
};

}  // namespace kw
