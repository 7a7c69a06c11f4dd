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
  virtual int32_t FieldEnum() = 0;
  virtual int32_t RuleLevel() = 0;  // 1 field, 2 record
  virtual int32_t RuleNumber() = 0;
  virtual std::string Feedback() = 0;
  virtual std::string MoreFeedback() = 0;
};

// A soft rule: a notice or a question the user settles.
class I_SoftRule : public virtual Object {
 public:
  virtual int32_t FieldEnum() = 0;
  virtual int32_t RuleLevel() = 0;
  virtual int32_t RuleNumber() = 0;
  virtual bool IsQuestion() = 0;
  virtual std::string Feedback() = 0;
  virtual std::string MoreFeedback() = 0;
  virtual Variant Value() = 0;
  virtual bool Broken() = 0;
  virtual void Broken(bool broken) = 0;  // written false to settle the rule
  virtual bool Enabled() = 0;
};

using HardRulePtr = std::shared_ptr<I_HardRule>;
using SoftRulePtr = std::shared_ptr<I_SoftRule>;

// The broken hard rules of a record or group, in a stable order.
class I_HardRules : public virtual Object {
 public:
  virtual std::vector<HardRulePtr> Rules() = 0;
  // True when nothing is broken for field `field_enum` (-1 any) at `rule_level` (-1 any); the
  // third argument is always false.
  virtual bool IsValid(int32_t field_enum, int32_t rule_level, bool third) = 0;
};

// The soft rules of a record or group, in a stable order.
class I_SoftRules : public virtual Object {
 public:
  virtual std::vector<SoftRulePtr> Rules() = 0;
  virtual bool IsValid(int32_t field_enum, int32_t rule_level) = 0;
};

using HardRulesPtr = std::shared_ptr<I_HardRules>;
using SoftRulesPtr = std::shared_ptr<I_SoftRules>;

// A business object: the records of one class. Fields are addressed by position, field number
// + 1; position 1 is the record key and position 2 the parent id.
class I_LI : public virtual Object {
 public:
  virtual void AddNew() = 0;
  // Stores pending changes; with false, false means the rules refused the record.
  [[nodiscard]] virtual bool Save(bool force) = 0;
  virtual void SuspendValidation(bool suspend) = 0;
  virtual void CancelEdit() = 0;
  virtual int16_t ClassEnum() = 0;
  virtual std::string ClassName() = 0;
  virtual int32_t Count() = 0;
  virtual void Delete() = 0;
  virtual Variant Filter() = 0;  // 0 = none
  virtual void Filter(const Variant& filter) = 0;
  // The value at `position` of record `index` (-1 = the current record).
  virtual Variant FieldValueAt(const Variant& index, int32_t position) = 0;
  virtual HardRulesPtr HardRules(const Variant& index = Variant()) = 0;
  // Read: the 1-based position of the current record. Write: a position or a record key makes
  // that record current; -3 settles on the record at the current position after a deletion.
  virtual Variant CurrentIndex() = 0;
  virtual void CurrentIndex(const Variant& index) = 0;
  virtual bool IsNew() = 0;
  virtual bool IsDirty(const Variant& index = Variant()) = 0;
  virtual bool IsValid(const Variant& index = Variant()) = 0;
  virtual bool GroupDirty(const Variant& index = Variant()) = 0;
  virtual void GroupDirty(bool dirty, const Variant& index = Variant()) = 0;
  virtual bool Exists(const std::string& key) = 0;
  virtual int32_t SaveMode() = 0;  // 4: changes are kept until SaveBatch
  virtual void SendOffValidation(bool sending_off) = 0;
  // Writes a field of the current record and runs the rules it triggers.
  virtual void FieldValue(int32_t position, const Variant& value) = 0;
  virtual SoftRulesPtr SoftRules(const Variant& index = Variant()) = 0;
  virtual void SaveBatch() = 0;
  virtual void Validate() = 0;
};

using LIPtr = std::shared_ptr<I_LI>;

// Validates the records of a class together, for a home or a home month.
class I_RecordGroup : public virtual Object {
 public:
  virtual HardRulesPtr HardRules() = 0;
  virtual bool IsValid() = 0;
  virtual void SendOffValidation(bool sending_off) = 0;
  virtual SoftRulesPtr SoftRules() = 0;
  // Checks the group of `group_key` (a home id or a home-month id); the result is not used.
  virtual Variant Validate(const std::string& group_key) = 0;
};

// The family-groups business object's fee assessment.
class FamilyGroups : public virtual Object {
 public:
  virtual void SendOffValidation(bool sending_off) = 0;
  virtual void AssessPrepare() = 0;
  virtual Variant AssessState() = 0;
  virtual void AssessMMLOandAMMailingFees(int32_t assessment, bool force_am_info_soft_rule) = 0;
};

}  // namespace kw
