// The volunteers of a home: records, their rules, and the names the library reaches them by.
#include "volunteers.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace first_screen {
namespace {

// The names of the fields, in position order, as a list's column table names them.
constexpr std::array<std::string_view, 4> kFieldNames = {"VolunteerID", "HomeID", "Name", "HoursPerWeek"};

bool SameName(std::string_view a, std::string_view b) { return kw::NoCaseEqual{}(a, b); }

// The broken hard rules of a record, as the library walks them.
class BrokenHardRules : public kw::I_HardRules {
 public:
  std::string TypeName() const override { return "HardRules"; }
  std::vector<kw::HardRulePtr> Rules() override { return rules; }
  bool IsValid(int32_t field, int32_t level, bool) override {
    return std::ranges::none_of(rules, [&](const kw::HardRulePtr& rule) {
      return (field == -1 || rule->FieldEnum() == field) && (level == -1 || rule->RuleLevel() == level);
    });
  }
  std::vector<kw::HardRulePtr> rules;
};

// The raised soft rules of a record; valid while none of them is still broken.
class RaisedSoftRules : public kw::I_SoftRules {
 public:
  std::string TypeName() const override { return "SoftRules"; }
  std::vector<kw::SoftRulePtr> Rules() override { return rules; }
  bool IsValid(int32_t field, int32_t level) override {
    return std::ranges::none_of(rules, [&](const kw::SoftRulePtr& rule) {
      return (field == -1 || rule->FieldEnum() == field) && (level == -1 || rule->RuleLevel() == level) &&
             rule->Broken() && rule->Enabled();
    });
  }
  std::vector<kw::SoftRulePtr> rules;
};

}  // namespace

void Volunteers::Load(const std::string& home, const std::string& name, int32_t hours) {
  Record record;
  record.values = {kw::Variant::Long(next_key_++), kw::Variant::Text(home), kw::Variant::Text(name),
                   kw::Variant::Long(hours)};
  record.stored = record.values;
  records_.push_back(std::move(record));
  if (current_ == 0) current_ = 1;
}

void Volunteers::AddNew() {
  Record record;
  record.values = {kw::Variant::Long(next_key_++), kw::Variant::Null(), kw::Variant::Null(), kw::Variant::Long(0)};
  record.is_new = record.dirty = true;
  records_.push_back(std::move(record));
  current_ = Count();
}

bool Volunteers::Save(bool force) {
  Record& record = Current();
  if (!record.dirty) return true;
  if (!force) {
    CheckRules(record);
    if (!IsValid()) return false;
  }
  record.stored = record.values;
  record.is_new = record.dirty = false;
  return true;
}

void Volunteers::CancelEdit() {
  Record& record = Current();
  if (!record.dirty) return;
  if (record.is_new) return Delete();
  record.values = record.stored;
  record.dirty = false;
  CheckRules(record);
}

void Volunteers::Delete() {
  records_.erase(records_.begin() + (&Current() - records_.data()));
  current_ = std::min(current_, Count());
}

kw::Variant Volunteers::FieldValueAt(const kw::Variant& index, int32_t position) {
  return At(index).values.at(static_cast<size_t>(position - 1));
}

kw::HardRulesPtr Volunteers::HardRules(const kw::Variant& index) {
  auto broken = std::make_shared<BrokenHardRules>();
  if (At(index).name_missing) broken->rules.push_back(std::make_shared<NameRequired>());
  return broken;
}

kw::SoftRulesPtr Volunteers::SoftRules(const kw::Variant& index) {
  auto raised = std::make_shared<RaisedSoftRules>();
  if (const auto& long_week = At(index).long_week) raised->rules.push_back(long_week);
  return raised;
}

void Volunteers::CurrentIndex(const kw::Variant& index) {
  current_ = index.IsText() ? PositionOf(index.ToText()) : index.ToLong();
}

bool Volunteers::IsValid(const kw::Variant& index) {
  return HardRules(index)->IsValid(-1, -1, false) && SoftRules(index)->IsValid(-1, -1);
}

void Volunteers::FieldValue(int32_t position, const kw::Variant& value) {
  Record& record = Current();
  // Hours arrive as typed; the record keeps them as a number.
  record.values.at(static_cast<size_t>(position - 1)) =
      position == kHours && value.IsText() ? kw::Variant::Long(value.ToLong()) : value;
  record.dirty = true;
  CheckRules(record);
}

void Volunteers::CheckRules(Record& record) {
  const kw::Variant& name = record.values[kName - 1];
  record.name_missing = name.IsNull() || name.ToText().empty();
  const kw::Variant& hours = record.values[kHours - 1];
  if (hours.ToLong() <= 40) {
    record.long_week = nullptr;
  } else if (!record.long_week || record.long_week->Value().ToLong() != hours.ToLong()) {
    record.long_week = std::make_shared<LongWeek>(hours);  // a new question for new hours
  }
}

kw::Variant Volunteers::Get(std::string_view member, const kw::Args& args) {
  if (SameName(member, "Count")) return kw::Variant::Long(Count());
  if (SameName(member, "Index")) return CurrentIndex();
  for (size_t i = 0; i < kFieldNames.size(); ++i)
    if (SameName(member, kFieldNames[i])) return Current().values[i];
  return I_LI::Get(member, args);
}

void Volunteers::Let(std::string_view member, const kw::Variant& value, const kw::Args& args) {
  if (SameName(member, "Index")) return CurrentIndex(value);
  I_LI::Let(member, value, args);
}

Volunteers::Record& Volunteers::At(const kw::Variant& index) {
  const int32_t position = index.IsEmpty() || index.ToLong() == -1 ? current_ : index.ToLong();
  if (position < 1 || position > Count()) kw::Raise(kw::err::kSubscript);
  return records_[static_cast<size_t>(position - 1)];
}

int32_t Volunteers::PositionOf(const std::string& key) const {
  for (size_t i = 0; i < records_.size(); ++i)
    if (records_[i].values[kKey - 1].ToText() == key) return static_cast<int32_t>(i + 1);
  return 0;
}

}  // namespace first_screen
