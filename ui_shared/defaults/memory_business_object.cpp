// The in-memory business object: its records, the rules they are checked by, and the names the
// library reaches them by.
#include "ui_shared/defaults/memory_business_object.h"

#include <algorithm>
#include <utility>

#include "ui_shared/platform/member_table.h"
#include "ui_shared/platform/text.h"

namespace kw {
namespace {

constexpr int32_t kFieldLevel = 1;
constexpr int32_t kRecordLevel = 2;

// The names of a field kind in the message of the kind rule.
const char* KindWords(FieldKind kind) {
  switch (kind) {
    case FieldKind::kWholeNumber: return "a whole number";
    case FieldKind::kAmount: return "an amount";
    case FieldKind::kDate: return "a date";
    case FieldKind::kText: break;
  }
  return "a text";
}

// The field names of a class, for a message that names what there is: "ID, ParentID, Name".
std::string FieldList(const std::vector<FieldSpec>& fields) {
  std::string list;
  for (const FieldSpec& field : fields) list += (list.empty() ? "" : ", ") + field.name;
  return list;
}

// The place of the field `name` among `fields`; fields.size() when there is none.
size_t FieldPlace(const std::vector<FieldSpec>& fields, std::string_view name) {
  const auto it = std::ranges::find_if(fields, [&](const FieldSpec& f) { return text::EqualsNoCase(f.name, name); });
  return static_cast<size_t>(it - fields.begin());
}

// Runtime equality that also holds between two Nulls: a rule raised by Null stays settled.
bool SameValue(const Variant& a, const Variant& b) { return (a.IsNull() && b.IsNull()) || VariantEquals(a, b); }

// A broken hard rule, as the library reads it.
class BrokenRule : public I_HardRule {
 public:
  BrokenRule(int32_t field_enum, int32_t number, std::string message, std::string detail)
      : field_enum_(field_enum), number_(number), message_(std::move(message)), detail_(std::move(detail)) {}
  std::string TypeName() const override { return "HardRule"; }
  int32_t FieldEnum() override { return field_enum_; }
  int32_t RuleLevel() override { return field_enum_ < 0 ? kRecordLevel : kFieldLevel; }
  int32_t RuleNumber() override { return number_; }
  std::string Feedback() override { return message_; }
  std::string MoreFeedback() override { return detail_; }

 private:
  int32_t field_enum_;
  int32_t number_;
  std::string message_;
  std::string detail_;
};

// The broken hard rules of a record.
class BrokenRules : public I_HardRules {
 public:
  std::string TypeName() const override { return "HardRules"; }
  std::vector<HardRulePtr> Rules() override { return rules; }
  bool IsValid(int32_t field, int32_t level, bool) override {
    return std::ranges::none_of(rules, [&](const HardRulePtr& rule) {
      return (field == -1 || rule->FieldEnum() == field) && (level == -1 || rule->RuleLevel() == level);
    });
  }
  std::vector<HardRulePtr> rules;
};

}  // namespace

// A question or notice raised on a record, settled (Broken false) by the person.
struct MemoryBusinessObject::Question : I_SoftRule {
  Question(const RuleSpec& spec, int32_t field_enum, Variant raised_by)
      : rule(spec), field(field_enum), value(std::move(raised_by)) {}
  std::string TypeName() const override { return "SoftRule"; }
  int32_t FieldEnum() override { return field; }
  int32_t RuleLevel() override { return field < 0 ? kRecordLevel : kFieldLevel; }
  int32_t RuleNumber() override { return rule.number; }
  bool IsQuestion() override { return rule.kind == RuleKind::kQuestion; }
  std::string Feedback() override { return rule.message; }
  std::string MoreFeedback() override { return rule.detail; }
  Variant Value() override { return value; }
  bool Broken() override { return broken; }
  void Broken(bool is_broken) override { broken = is_broken; }
  bool Enabled() override { return true; }

  const RuleSpec& rule;
  int32_t field;
  Variant value;
  bool broken = true;
};

namespace {
// The questions and notices raised on a record, settled ones included.
class RaisedRules : public I_SoftRules {
 public:
  std::string TypeName() const override { return "SoftRules"; }
  std::vector<SoftRulePtr> Rules() override { return rules; }
  bool IsValid(int32_t field, int32_t level) override {
    return std::ranges::none_of(rules, [&](const SoftRulePtr& rule) {
      return (field == -1 || rule->FieldEnum() == field) && (level == -1 || rule->RuleLevel() == level) &&
             rule->Broken() && rule->Enabled();
    });
  }
  std::vector<SoftRulePtr> rules;
};
}  // namespace

// One record: its values by position - 1, what the last save stored, and its raised questions.
struct MemoryBusinessObject::Record {
  std::vector<Variant> values;
  std::vector<Variant> stored;  // empty while the record was never stored
  bool is_new = false;
  bool dirty = false;
  bool deleted = false;
  std::vector<std::shared_ptr<Question>> questions;  // by rule, nothing where none is raised
};

const Variant& RecordValues::operator[](std::string_view name) const {
  const size_t place = FieldPlace(fields_, name);
  if (place == fields_.size())
    Raise(err::kSubscript, "", "No field \"" + std::string(name) + "\"; the fields are " + FieldList(fields_) + ".");
  return values_[place];
}

bool RecordValues::Blank(std::string_view name) const {
  const Variant& value = (*this)[name];
  return value.IsNull() || value.IsEmpty() || (value.IsText() && text::Trim(value.ToText()).empty());
}

MemoryBusinessObject::MemoryBusinessObject(std::string class_name, std::vector<FieldSpec> fields,
                                           std::vector<RuleSpec> rules, int16_t class_number)
    : class_name_(std::move(class_name)), class_number_(class_number), rules_(std::move(rules)) {
  fields_ = {{std::string(kKeyField), FieldKind::kWholeNumber}, {std::string(kParentField), FieldKind::kText}};
  for (FieldSpec& field : fields) {
    if (FieldPlace(fields_, field.name) != fields_.size())
      Refuse(err::kInvalidCall, "Two fields of " + class_name_ + " are called \"" + field.name + "\".");
    fields_.push_back(std::move(field));
  }
  for (const RuleSpec& rule : rules_) {
    if (!rule.field.empty() && FieldPlace(fields_, rule.field) == fields_.size())
      Refuse(err::kInvalidCall, "Rule " + std::to_string(rule.number) + " is about the field \"" + rule.field +
                                    "\", which " + class_name_ + " lacks; its fields are " + FieldList(fields_) + ".");
  }
}

void MemoryBusinessObject::AddStored(const std::vector<std::string>& texts, const std::string& parent) {
  if (texts.size() + 2 > fields_.size())
    Refuse(err::kInvalidCall, std::to_string(texts.size()) + " values for the " + std::to_string(fields_.size() - 2) +
                                  " fields of " + class_name_ + ".");
  auto record = std::make_shared<Record>();
  record->values.assign(fields_.size(), Variant::Null());
  record->values[0] = Variant::Long(next_key_++);
  record->values[1] = parent.empty() ? Variant::Null() : Variant::Text(parent);
  for (size_t i = 0; i < texts.size(); ++i) {
    const auto position = static_cast<int32_t>(i + 3);
    record->values[i + 2] = Converted(position, texts[i]);
    if (fields_[i + 2].kind != FieldKind::kText && record->values[i + 2].IsText())
      Refuse(err::kTypeMismatch, class_name_ + "." + fields_[i + 2].name + " takes " + KindWords(fields_[i + 2].kind) +
                                     "; \"" + texts[i] + "\" is none.");
  }
  record->stored = record->values;
  record->questions.resize(rules_.size());
  RaiseSoftRules(*record);
  records_.push_back(std::move(record));
  RebuildView();
  if (current_ == 0 && Count() > 0) current_ = 1;
}

int32_t MemoryBusinessObject::PositionOf(std::string_view name) const {
  const size_t place = FieldPlace(fields_, name);
  if (place == fields_.size())
    Refuse(err::kSubscript,
           class_name_ + " has no field \"" + std::string(name) + "\"; its fields are " + FieldList(fields_) + ".");
  return static_cast<int32_t>(place + 1);
}

void MemoryBusinessObject::AddNew() {
  auto record = std::make_shared<Record>();
  record->values.assign(fields_.size(), Variant::Null());
  record->values[0] = Variant::Long(next_key_++);
  record->is_new = record->dirty = true;
  record->questions.resize(rules_.size());
  RaiseSoftRules(*record);
  records_.push_back(std::move(record));
  RebuildView();
  current_ = Count();
}

bool MemoryBusinessObject::Save(bool force) {
  Record* record = Find(Variant());
  if (!record || !record->dirty) return true;
  if (record->deleted) {
    std::erase_if(records_, [&](const std::shared_ptr<Record>& r) { return r.get() == record; });
    RebuildView();
    current_ = std::min(current_, Count());
    return true;
  }
  if (!force) {
    RaiseSoftRules(*record);
    if (!IsValid()) return false;
  }
  record->stored = record->values;
  record->is_new = record->dirty = false;
  return true;
}

void MemoryBusinessObject::SuspendValidation(bool) {}

void MemoryBusinessObject::CancelEdit() {
  Record* record = Find(Variant());
  if (!record || !record->dirty) return;
  if (record->is_new) {
    std::erase_if(records_, [&](const std::shared_ptr<Record>& r) { return r.get() == record; });
    RebuildView();
    current_ = std::min(current_, Count());
    return;
  }
  record->values = record->stored;
  record->dirty = record->deleted = false;
  RaiseSoftRules(*record);
}

int32_t MemoryBusinessObject::Count() { return static_cast<int32_t>(view_.size()); }

void MemoryBusinessObject::Delete() {
  Record& record = At(Variant());
  for (const RuleSpec& rule : rules_) {
    if (rule.kind == RuleKind::kRemoval && IsBroken(rule, record))
      Refuse(rule.number, rule.message + (rule.detail.empty() ? "" : " " + rule.detail) + " Nothing was removed.");
  }
  record.deleted = record.dirty = true;
}

void MemoryBusinessObject::Filter(const Variant& filter) {
  filter_ = filter;
  RebuildView();
  current_ = Count() > 0 ? 1 : 0;
}

Variant MemoryBusinessObject::FieldValueAt(const Variant& index, int32_t position) {
  const Record& record = At(index);
  if (position < 1 || position > static_cast<int32_t>(fields_.size()))
    Refuse(err::kSubscript, class_name_ + " has no field at position " + std::to_string(position) + "; it has " +
                                std::to_string(fields_.size()) + " (" + FieldList(fields_) + ").");
  return record.values[static_cast<size_t>(position - 1)];
}

HardRulesPtr MemoryBusinessObject::HardRules(const Variant& index) {
  auto broken = std::make_shared<BrokenRules>();
  const Record* record = Find(index);
  if (!record) return broken;
  for (size_t i = 2; i < fields_.size(); ++i) {
    const FieldSpec& field = fields_[i];
    if (field.kind == FieldKind::kText || !record->values[i].IsText()) continue;
    broken->rules.push_back(std::make_shared<BrokenRule>(static_cast<int32_t>(i), kRuleFieldKind,
                                                         field.name + " takes " + KindWords(field.kind) + ".",
                                                         "\"" + record->values[i].ToText() + "\" is none."));
  }
  for (const RuleSpec& rule : rules_) {
    if (rule.kind == RuleKind::kHard && IsBroken(rule, *record))
      broken->rules.push_back(std::make_shared<BrokenRule>(FieldEnumOf(rule), rule.number, rule.message, rule.detail));
  }
  return broken;
}

Variant MemoryBusinessObject::CurrentIndex() { return Variant::Long(current_); }

void MemoryBusinessObject::CurrentIndex(const Variant& index) {
  if (index.IsText()) {
    const std::string key = index.ToText();
    for (size_t i = 0; i < view_.size(); ++i) {
      if (records_[view_[i]]->values[0].ToText() == key) {
        current_ = static_cast<int32_t>(i + 1);
        return;
      }
    }
    Refuse(err::kSubscript, class_name_ + " holds no record with the key " + key + ".");
  }
  const int32_t position = index.ToLong();
  if (position < 1 || position > Count())
    Refuse(err::kSubscript,
           class_name_ + " has no record " + std::to_string(position) + "; it holds " + std::to_string(Count()) + ".");
  current_ = position;
}

bool MemoryBusinessObject::IsNew() {
  const Record* record = Find(Variant());
  return record && record->is_new;
}

bool MemoryBusinessObject::IsDirty(const Variant& index) {
  const Record* record = Find(index);
  return record && record->dirty;
}

bool MemoryBusinessObject::IsValid(const Variant& index) {
  return HardRules(index)->IsValid(-1, -1, false) && SoftRules(index)->IsValid(-1, -1);
}

bool MemoryBusinessObject::GroupDirty(const Variant&) { return false; }

void MemoryBusinessObject::GroupDirty(bool, const Variant&) {}

bool MemoryBusinessObject::Exists(const std::string& key) {
  return std::ranges::any_of(view_, [&](size_t place) { return records_[place]->values[0].ToText() == key; });
}

void MemoryBusinessObject::SendOffValidation(bool) {}

void MemoryBusinessObject::FieldValue(int32_t position, const Variant& value) {
  Record& record = At(Variant());
  if (position < 1 || position > static_cast<int32_t>(fields_.size()))
    Refuse(err::kSubscript, class_name_ + " has no field at position " + std::to_string(position) + "; it has " +
                                std::to_string(fields_.size()) + " (" + FieldList(fields_) + ").");
  record.values[static_cast<size_t>(position - 1)] = value.IsText() ? Converted(position, value.ToText()) : value;
  record.dirty = true;
  RaiseSoftRules(record);
}

SoftRulesPtr MemoryBusinessObject::SoftRules(const Variant& index) {
  auto raised = std::make_shared<RaisedRules>();
  if (const Record* record = Find(index)) {
    for (const std::shared_ptr<Question>& question : record->questions)
      if (question) raised->rules.push_back(question);
  }
  return raised;
}

void MemoryBusinessObject::Validate() {
  if (Record* record = Find(Variant())) RaiseSoftRules(*record);
}

Variant MemoryBusinessObject::Get(std::string_view member, const Args& args) {
  if (text::EqualsNoCase(member, "Count")) return Variant::Long(Count());
  if (text::EqualsNoCase(member, "Index")) return CurrentIndex();
  const size_t place = FieldPlace(fields_, member);
  if (place == fields_.size()) return I_LI::Get(member, args);
  const Variant& value = At(Variant()).values[place];
  return value.IsNull() ? Variant() : value;
}

void MemoryBusinessObject::Let(std::string_view member, const Variant& value, const Args& args) {
  if (text::EqualsNoCase(member, "Index")) return CurrentIndex(value);
  const size_t place = FieldPlace(fields_, member);
  if (place == fields_.size()) return I_LI::Let(member, value, args);
  FieldValue(static_cast<int32_t>(place + 1), value);
}

MemoryBusinessObject::Record* MemoryBusinessObject::Find(const Variant& index) {
  const bool current = index.IsEmpty() || (index.IsNumber() && index.ToLong() == -1);
  const int32_t position = current ? current_ : index.ToLong();
  if (position < 1 || position > Count()) return nullptr;
  return records_[view_[static_cast<size_t>(position - 1)]].get();
}

MemoryBusinessObject::Record& MemoryBusinessObject::At(const Variant& index) {
  if (Record* record = Find(index)) return *record;
  const bool current = index.IsEmpty() || (index.IsNumber() && index.ToLong() == -1);
  if (current)
    Refuse(err::kSubscript, class_name_ + " has no current record; it holds " + std::to_string(Count()) + ".");
  Refuse(err::kSubscript,
         class_name_ + " has no record " + index.ToText() + "; it holds " + std::to_string(Count()) + ".");
}

void MemoryBusinessObject::RaiseSoftRules(Record& record) {
  for (size_t i = 0; i < rules_.size(); ++i) {
    const RuleSpec& rule = rules_[i];
    if (rule.kind != RuleKind::kQuestion && rule.kind != RuleKind::kNotice) continue;
    std::shared_ptr<Question>& question = record.questions[i];
    if (!IsBroken(rule, record)) {
      question = nullptr;
      continue;
    }
    const int32_t field = FieldEnumOf(rule);
    const Variant value = field < 0 ? Variant() : record.values[static_cast<size_t>(field)];
    if (!question || !SameValue(question->value, value)) question = std::make_shared<Question>(rule, field, value);
  }
}

Variant MemoryBusinessObject::Converted(int32_t position, const std::string& typed) const {
  if (text::Trim(typed).empty()) return Variant::Null();
  Variant as_typed = Variant::Text(typed);
  try {
    switch (fields_[static_cast<size_t>(position - 1)].kind) {
      case FieldKind::kWholeNumber: return Variant::Long(as_typed.ToLong());
      case FieldKind::kAmount: return Variant::Currency(as_typed.ToCurrency());
      case FieldKind::kDate: return Variant::Date(as_typed.ToDate());
      case FieldKind::kText: break;
    }
  } catch (const Error&) {
    // Kept as typed: the field's kind rule refuses it and says why.
  }
  return as_typed;
}

bool MemoryBusinessObject::IsBroken(const RuleSpec& rule, const Record& record) const {
  if (!rule.broken) return false;
  try {
    return rule.broken(RecordValues(fields_, record.values));
  } catch (const Error& e) {
    if (e.Number() == err::kTypeMismatch || e.Number() == err::kInvalidNull || e.Number() == err::kOverflow)
      return false;
    throw;
  }
}

int32_t MemoryBusinessObject::FieldEnumOf(const RuleSpec& rule) const {
  return rule.field.empty() ? -1 : static_cast<int32_t>(FieldPlace(fields_, rule.field));
}

void MemoryBusinessObject::RebuildView() {
  view_.clear();
  const bool all = filter_.IsEmpty() || (filter_.IsNumber() && filter_.ToDouble() == 0);
  for (size_t i = 0; i < records_.size(); ++i) {
    const Variant& parent = records_[i]->values[1];
    if (all || (!parent.IsNull() && parent.ToText() == filter_.ToText())) view_.push_back(i);
  }
}

void MemoryBusinessObject::Refuse(int32_t number, const std::string& description) const {
  Raise(number, "KW_I." + class_name_, description);
}

}  // namespace kw
