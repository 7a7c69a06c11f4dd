// TableBusinessObject: records by position and by key, the current record, edits, the filter and
// access by member name.
#include "app/business/business_object.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

#include "app/business/business_object_parts.h"
#include "ui_shared/platform/numbers.h"

namespace trf {

namespace {

// What KeyFromText answers for a text that names no key; no key lies so far out.
constexpr int64_t kNoKey = INT64_MIN;

// A key given in any other form than plain digits, read by the number reader; beyond 9E15, where
// doubles no longer hold every whole number, a number is no key.
[[gnu::cold, gnu::noinline]] int64_t KeyFromNumberText(const std::string& text) {
  const std::optional<double> number = kw::ParseWholeNumber(text);
  if (!number || *number != std::floor(*number) || std::fabs(*number) > 9.0e15) return kNoKey;
  return static_cast<int64_t>(*number);
}

// A record key given as text: a whole number, blanks around it allowed (" 17" finds 17); kNoKey
// when the text names none. Plain digits (at most 15), the list binding's form, are read in one
// pass, inline in the lookup that the list binding makes once per row; anything else by the number
// reader.
[[gnu::always_inline]] inline int64_t KeyFromText(const std::string& text) {
  if (text.empty() || text.size() > 15) return KeyFromNumberText(text);
  uint64_t key = 0;
  for (const unsigned char c : text) {
    const unsigned digit = c - unsigned{'0'};
    if (digit > 9) return KeyFromNumberText(text);
    key = key * 10 + digit;
  }
  return static_cast<int64_t>(key);
}

// Two field values that hold the same thing (two nulls included).
bool SameValue(const kw::Variant& a, const kw::Variant& b) {
  if (a.IsNull() || b.IsNull()) return a.IsNull() && b.IsNull();
  return a.Type() == b.Type() && kw::VariantEquals(a, b);
}

}  // namespace

TableBusinessObject::TableBusinessObject(std::shared_ptr<Database> database, ClassSpec spec)
    : database_(std::move(database)), spec_(std::move(spec)), layout_(LayoutOf(spec_)) {
  store_ = std::make_unique<Store>(*database_, spec_, *layout_);
}

TableBusinessObject::~TableBusinessObject() = default;

void TableBusinessObject::Fail(int32_t number, const std::string& description) const {
  kw::Raise(number, "KW_I." + spec_.class_name, description);
}

size_t TableBusinessObject::SlotOf(const kw::Variant& index) const {
  if (index.IsText()) return ShownRecordOfKey(index.GetText()).first;
  const int32_t position = index.IsEmpty() ? -1 : index.ToLong();
  if (position == -1) {
    if (current_ == 0) Fail(kw::err::kSubscript, "There is no current record: the object holds no record.");
    return order_.SlotAt(current_);
  }
  if (position < 1 || position > order_.Count()) {
    Fail(kw::err::kSubscript, "No record at position " + std::to_string(position) + "; the object holds " +
                                  std::to_string(order_.Count()) + ".");
  }
  return order_.SlotAt(position);
}

// Inline in its callers, which are all in this file: the list binding's lookup by key, once per row.
[[gnu::always_inline]] inline std::pair<size_t, int32_t> TableBusinessObject::FindShownKey(
    const std::string& text) const {
  const int64_t key = KeyFromText(text);
  const size_t slot = key == kNoKey ? KeySlots::kNone : slots_by_key_.Find(key);
  return {slot, slot == KeySlots::kNone ? 0 : order_.PositionOf(slot)};
}

std::pair<size_t, int32_t> TableBusinessObject::ShownRecordOfKey(const std::string& text) const {
  const std::pair<size_t, int32_t> found = FindShownKey(text);
  if (found.second == 0) FailNoKey(text);
  return found;
}

void TableBusinessObject::FailNoKey(const std::string& text) const {
  Fail(kw::err::kSubscript, "No record with the key \"" + text + "\" is held.");
}

TableBusinessObject::Record& TableBusinessObject::RecordAt(const kw::Variant& index) { return records_[SlotOf(index)]; }

TableBusinessObject::Record& TableBusinessObject::CurrentRecord() { return RecordAt(kw::Variant()); }

std::span<const kw::Variant> TableBusinessObject::ValuesAt(int32_t position) const {
  return records_[SlotOf(kw::Variant::Long(position))].values;
}

bool TableBusinessObject::PassesFilter(const Record& record) const {
  const kw::Variant& parent = record.values[1];
  if (filter_.IsText()) {
    const int64_t key = KeyFromText(filter_.GetText());
    return key != kNoKey ? parent.IsNumber() && parent.ToDouble() == static_cast<double>(key)
                         : parent.IsText() && parent.GetText() == filter_.GetText();
  }
  return kw::VariantEquals(parent, filter_);
}

void TableBusinessObject::RebuildView() {
  std::vector<size_t> visible;
  visible.reserve(records_.size());
  const bool filtered = kw::DiffersFromZero(filter_);
  for (size_t slot = 0; slot < records_.size(); ++slot) {
    // A removed record's slot stays, without values.
    if (records_[slot].values.empty() || (filtered && !PassesFilter(records_[slot]))) continue;
    visible.push_back(slot);
  }
  order_.Assign(std::move(visible), records_.size());
}

void TableBusinessObject::Drop(size_t slot) {
  // The slot stays, empty, so that no other slot moves: only the positions after it do.
  slots_by_key_.Erase(KeyNumber(records_[slot].values[0]));
  records_[slot] = Record();
  if (order_.PositionOf(slot) != 0) order_.Remove(slot);
  current_ = std::min(current_, Count());
  if (current_ == 0 && Count() > 0) current_ = 1;
  settle_pending_ = true;
}

int64_t TableBusinessObject::NextKey() {
  max_key_ = std::max(max_key_ + 1, store_->NextKey());
  return max_key_;
}

void TableBusinessObject::AddNew() {
  Record record;
  record.values.Assign(std::vector<kw::Variant>(fields_.size(), kw::Variant::Null()));
  const int64_t key = NextKey();
  record.values[0] =
      key <= INT32_MAX ? kw::Variant::Long(static_cast<int32_t>(key)) : kw::Variant::Double(static_cast<double>(key));
  const kw::Variant& parent = kw::DiffersFromZero(filter_) ? filter_ : loaded_parent_;
  if (!parent.IsEmpty()) record.values[1] = NormalisedValue(fields_[1], parent);
  record.is_new = true;
  const bool read_by_group =
      std::any_of(fields_.begin(), fields_.end(), [](const FieldSpec& field) { return field.read_by_group; });
  record.group_dirty = read_by_group;
  group_dirty_ = group_dirty_ || read_by_group;
  records_.push_back(std::move(record));
  slots_by_key_.Insert(key, records_.size() - 1);
  order_.Append(records_.size() - 1);
  current_ = Count();
  settle_pending_ = false;
}

void TableBusinessObject::Delete() {
  Record& record = CurrentRecord();
  if (!record.is_new) store_->CheckUnreferenced(record);
  record.Reopen();
  record.deleted = true;
  for (const FieldSpec& field : fields_) {
    if (field.read_by_group) record.group_dirty = group_dirty_ = true;
  }
}

void TableBusinessObject::CancelEdit() {
  if (Count() == 0) return;
  Record& record = CurrentRecord();
  if (record.batch_values) {
    // Edited again after the batch accepted it: back to what the batch accepted.
    record.values.Assign(std::move(*record.batch_values));
    record.batch_values.reset();
    record.in_batch = true;
    record.deleted = false;
    if (record.rules) record.rules->Clear();
    return;
  }
  if (record.is_new) {
    Drop(order_.SlotAt(current_));
    return;
  }
  if (record.in_batch) return;
  if (record.stored) {
    record.values.Assign(std::move(*record.stored));
    record.stored.reset();
  }
  record.deleted = false;
  if (record.rules) record.rules->Clear();
}

void TableBusinessObject::Filter(const kw::Variant& filter) {
  filter_ = filter;
  RebuildView();
  current_ = Count() > 0 ? 1 : 0;
  settle_pending_ = false;
}

kw::Variant TableBusinessObject::FieldValueAt(const kw::Variant& index, int32_t position) {
  if (position < 1 || position > static_cast<int32_t>(fields_.size())) {
    Fail(kw::err::kSubscript, spec_.class_name + " has no field at position " + std::to_string(position) + ".");
  }
  return RecordAt(index).values[static_cast<size_t>(position - 1)];
}

void TableBusinessObject::MakeKeyCurrent(const std::string& key) {
  current_ = ShownRecordOfKey(key).second;
  settle_pending_ = false;
}

kw::Variant TableBusinessObject::CurrentIndex() { return kw::Variant::Long(settle_pending_ ? -3 : current_); }

void TableBusinessObject::CurrentIndex(const kw::Variant& index) {
  if (index.IsText()) return MakeKeyCurrent(index.GetText());
  MakePositionCurrent(index);
}

void TableBusinessObject::MakePositionCurrent(const kw::Variant& index) {
  if (index.IsNumber() && index.ToDouble() == -3) {
    current_ = std::min(std::max(current_, Count() > 0 ? 1 : 0), Count());
    settle_pending_ = false;
    return;
  }
  const size_t slot = index.IsEmpty() ? SlotOf(kw::Variant::Long(0)) : SlotOf(index);
  current_ = order_.PositionOf(slot);
  settle_pending_ = false;
}

bool TableBusinessObject::IsNew() { return Count() > 0 && CurrentRecord().is_new; }

bool TableBusinessObject::IsDirty(const kw::Variant& index) {
  if (index.IsEmpty() && Count() == 0) return false;
  return RecordAt(index).Dirty();
}

bool TableBusinessObject::IsValid(const kw::Variant& index) {
  if (index.IsEmpty() && Count() == 0) return true;
  const Record& record = RecordAt(index);
  return !record.rules || record.rules->Valid();
}

bool TableBusinessObject::GroupDirty(const kw::Variant& index) {
  return index.IsEmpty() ? group_dirty_ : RecordAt(index).group_dirty;
}

void TableBusinessObject::GroupDirty(bool dirty, const kw::Variant& index) {
  if (!index.IsEmpty()) {
    RecordAt(index).group_dirty = dirty;
    group_dirty_ = group_dirty_ || dirty;
    return;
  }
  group_dirty_ = dirty;
  if (!dirty) {
    for (Record& record : records_) record.group_dirty = false;
  }
}

bool TableBusinessObject::Exists(const std::string& key) { return FindShownKey(key).second != 0; }

void TableBusinessObject::MarkChanged(Record& record, const FieldSpec& field) {
  record.Reopen();
  if (!record.is_new && !record.stored)
    record.stored = std::make_unique<std::vector<kw::Variant>>(record.values.Copy());
  if (field.read_by_group) record.group_dirty = group_dirty_ = true;
}

void TableBusinessObject::StoreValue(int32_t record_position, int32_t field_position, const kw::Variant& value) {
  Record& record = RecordAt(kw::Variant::Long(record_position));
  const auto field = static_cast<size_t>(field_position - 1);
  if (SameValue(record.values[field], value)) return;
  MarkChanged(record, fields_[field]);
  record.values[field] = value;
}

void TableBusinessObject::FieldValue(int32_t position, const kw::Variant& value) {
  if (position < 2 || position > static_cast<int32_t>(fields_.size())) {
    Fail(kw::err::kInvalidCall, position == 1
                                    ? "The record key of " + spec_.class_name + " cannot be written."
                                    : spec_.class_name + " has no field at position " + std::to_string(position) + ".");
  }
  Record& record = CurrentRecord();
  const auto field = static_cast<size_t>(position - 1);
  const kw::Variant normalised = NormalisedValue(fields_[field], value);
  if (!SameValue(record.values[field], normalised)) {
    MarkChanged(record, fields_[field]);
    record.values[field] = normalised;
  }
  if (!suspended_) RunFieldRules(record, position - 1);
}

kw::HardRulesPtr TableBusinessObject::HardRules(const kw::Variant& index) {
  if (index.IsEmpty() && Count() == 0) return std::make_shared<HardRuleCollection>(std::make_shared<RuleState>());
  return std::make_shared<HardRuleCollection>(RulesOf(RecordAt(index)));
}

kw::SoftRulesPtr TableBusinessObject::SoftRules(const kw::Variant& index) {
  if (index.IsEmpty() && Count() == 0) return std::make_shared<SoftRuleCollection>(std::make_shared<RuleState>());
  return std::make_shared<SoftRuleCollection>(RulesOf(RecordAt(index)));
}

kw::Variant TableBusinessObject::Get(std::string_view member, const kw::Args& args) {
  if (kw::NoCaseEqual{}(member, "Count")) return kw::Variant::Long(Count());
  if (kw::NoCaseEqual{}(member, "Index")) return CurrentIndex();
  const auto it = positions_by_name_.find(member);
  if (it != positions_by_name_.end()) return FieldValueAt(kw::Variant::Long(-1), it->second);
  return kw::I_LI::Get(member, args);
}

void TableBusinessObject::Let(std::string_view member, const kw::Variant& value, const kw::Args& args) {
  if (kw::NoCaseEqual{}(member, "Index")) return CurrentIndex(value);
  const auto it = positions_by_name_.find(member);
  if (it != positions_by_name_.end()) return FieldValue(it->second, value);
  kw::I_LI::Let(member, value, args);
}

}  // namespace trf
