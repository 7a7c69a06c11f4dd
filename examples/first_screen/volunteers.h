// Volunteers: the example's business object, the volunteers of a home kept in memory. It answers
// the library's business-object contract: records addressed by position, one of them current,
// changes kept until saved, one hard rule (a volunteer has a name) and one soft rule (more than 40
// hours a week is asked about).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui_shared/contracts/business_objects.h"

namespace first_screen {

// The fields by position (field number + 1): the key first, the parent (the home) second.
enum Position : int32_t { kKey = 1, kHome = 2, kName = 3, kHours = 4 };

// The numbers of the two rules, as the feedback dialog shows them.
inline constexpr int32_t kNameRequired = 9001;
inline constexpr int32_t kLongWeek = 9002;

// The hard rule, broken while a volunteer has no name.
class NameRequired : public kw::I_HardRule {
 public:
  std::string TypeName() const override { return "HardRule"; }
  int32_t FieldEnum() override { return kName - 1; }
  int32_t RuleLevel() override { return 1; }  // a field's rule
  int32_t RuleNumber() override { return kNameRequired; }
  std::string Feedback() override { return "A volunteer needs a name."; }
  std::string MoreFeedback() override { return "Type the name the home knows the volunteer by."; }
};

// The soft rule, a question for more than 40 hours a week. Once the user accepts the answer it
// stays settled for that number of hours.
class LongWeek : public kw::I_SoftRule {
 public:
  explicit LongWeek(kw::Variant hours) : hours_(std::move(hours)) {}
  std::string TypeName() const override { return "SoftRule"; }
  int32_t FieldEnum() override { return kHours - 1; }
  int32_t RuleLevel() override { return 1; }
  int32_t RuleNumber() override { return kLongWeek; }
  bool IsQuestion() override { return true; }
  std::string Feedback() override { return "More than 40 hours a week: is that right?"; }
  std::string MoreFeedback() override { return "Volunteers rarely give more than a working week."; }
  kw::Variant Value() override { return hours_; }
  bool Broken() override { return broken_; }
  void Broken(bool broken) override { broken_ = broken; }
  bool Enabled() override { return true; }

 private:
  kw::Variant hours_;
  bool broken_ = true;
};

// The volunteers of one home.
class Volunteers : public kw::I_LI {
 public:
  std::string TypeName() const override { return "LIVolunteers"; }

  // Adds a stored volunteer, as loading from a database would.
  void Load(const std::string& home, const std::string& name, int32_t hours);

  // ---- The business-object contract ----
  void AddNew() override;
  bool Save(bool force) override;
  void SuspendValidation(bool) override {}
  void CancelEdit() override;
  int16_t ClassEnum() override { return 40; }
  std::string ClassName() override { return "LIVolunteers"; }
  int32_t Count() override { return static_cast<int32_t>(records_.size()); }
  void Delete() override;
  kw::Variant Filter() override { return kw::Variant::Long(0); }
  void Filter(const kw::Variant&) override {}
  kw::Variant FieldValueAt(const kw::Variant& index, int32_t position) override;
  kw::HardRulesPtr HardRules(const kw::Variant& index = kw::Variant()) override;
  kw::Variant CurrentIndex() override { return kw::Variant::Long(current_); }
  void CurrentIndex(const kw::Variant& index) override;
  bool IsNew() override { return Current().is_new; }
  bool IsDirty(const kw::Variant& index = kw::Variant()) override { return At(index).dirty; }
  bool IsValid(const kw::Variant& index = kw::Variant()) override;
  bool GroupDirty(const kw::Variant& = kw::Variant()) override { return false; }
  void GroupDirty(bool, const kw::Variant& = kw::Variant()) override {}
  bool Exists(const std::string& key) override { return PositionOf(key) != 0; }
  int32_t SaveMode() override { return 0; }  // every Save stores at once
  void SendOffValidation(bool) override {}
  void FieldValue(int32_t position, const kw::Variant& value) override;
  kw::SoftRulesPtr SoftRules(const kw::Variant& index = kw::Variant()) override;
  void SaveBatch() override {}
  void Validate() override { CheckRules(Current()); }

  // Reached by name, as the library fills a list: "Count", "Index" and the fields' names.
  kw::Variant Get(std::string_view member, const kw::Args& args = kw::kNoArgs) override;
  void Let(std::string_view member, const kw::Variant& value, const kw::Args& args = kw::kNoArgs) override;

 private:
  struct Record {
    std::vector<kw::Variant> values;  // by position - 1
    std::vector<kw::Variant> stored;  // what the last save kept
    bool is_new = false;
    bool dirty = false;
    bool name_missing = false;
    std::shared_ptr<LongWeek> long_week;  // nothing while the hours raise no question
  };

  // The record of an index (Empty or -1: the current one).
  Record& At(const kw::Variant& index);
  Record& Current() { return At(kw::Variant()); }
  // The 1-based position of the record with `key`; 0 when there is none.
  int32_t PositionOf(const std::string& key) const;
  // Runs both rules over a record.
  void CheckRules(Record& record);

  std::vector<Record> records_;
  int32_t current_ = 0;
  int32_t next_key_ = 1;
};

}  // namespace first_screen
