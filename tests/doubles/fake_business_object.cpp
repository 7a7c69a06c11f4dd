// In-memory business-object double.
#include "tests/doubles/fake_business_object.h"

#include "ui_shared/platform/numbers.h"

namespace kw::testing {

FakeLI::FakeLI(std::shared_ptr<CallLog> log, int16_t class_enum_, std::string class_name_, int positions)
    : RecordingDouble(std::move(log), "LI"), class_enum(class_enum_), class_name(std::move(class_name_)),
      positions_(positions) {}

void FakeLI::AddRecord(std::vector<Variant> values) {
  values.resize(static_cast<size_t>(positions_));
  records_.push_back(Row{std::move(values), false, false});
  if (current_ == 0) current_ = 1;
}

FakeLI::Row& FakeLI::CurrentRow() {
  if (current_ < 1 || current_ > static_cast<int32_t>(records_.size())) Raise(err::kSubscript);
  return records_[static_cast<size_t>(current_ - 1)];
}

int32_t FakeLI::PositionOf(const Variant& index) const {
  if (index.IsEmpty()) return current_;
  const int32_t i = index.ToLong();
  return i == -1 ? current_ : i;
}

void FakeLI::AddNew() {
  Hit("AddNew");
  std::vector<Variant> values(static_cast<size_t>(positions_));
  values[0] = Variant::Long(next_key++);
  records_.push_back(Row{std::move(values), true, true});
  current_ = static_cast<int32_t>(records_.size());
}

bool FakeLI::Save(bool force) {
  Hit("Save", force);
  bool ok = true;
  if (!force && !save_answers.empty()) {
    ok = save_answers.front();
    save_answers.pop_front();
  }
  if (ok && current_ > 0 && current_ <= Count()) {
    CurrentRow().dirty = false;
    CurrentRow().is_new = false;
  }
  return ok;
}

void FakeLI::CancelEdit() {
  Hit("CancelEdit");
  if (CurrentRow().is_new) {
    records_.erase(records_.begin() + (current_ - 1));
    if (current_ > Count()) current_ = Count();
  } else {
    CurrentRow().dirty = false;
  }
}

void FakeLI::Delete() {
  Hit("Delete");
  records_.erase(records_.begin() + (current_ - 1));
  if (current_ > Count()) current_ = Count();
}

Variant FakeLI::FieldValueAt(const Variant& index, int32_t position) {
  Hit("FieldValueAt", index, position);
  const int32_t row = PositionOf(index);
  if (row < 1 || row > Count() || position < 1 || position > positions_) Raise(err::kSubscript);
  return records_[static_cast<size_t>(row - 1)].values[static_cast<size_t>(position - 1)];
}

int32_t FakeLI::PositionOfKey(const std::string& key) const {
  const auto number = ParseWholeNumber(key);
  for (size_t i = 0; i < records_.size(); ++i) {
    const Variant& k = records_[i].values[0];
    if (VariantEquals(k, Variant::Text(key)) || (number && k.IsNumber() && k.ToDouble() == *number))
      return static_cast<int32_t>(i) + 1;
  }
  return 0;
}

void FakeLI::CurrentIndex(const Variant& index) {
  Hit("Let CurrentIndex", index);
  if (index.IsText()) {
    const int32_t found = PositionOfKey(index.GetText());
    if (found == 0) Raise(err::kInvalidCall);
    current_ = found;
    return;
  }
  const int32_t i = index.ToLong();
  if (i == -3) return;  // the position a deletion left is already within the records
  if (i < 1 || i > Count()) Raise(err::kSubscript);
  current_ = i;
}

bool FakeLI::IsNew() {
  Hit("Get IsNew");
  return current_ > 0 && current_ <= Count() && CurrentRow().is_new;
}

bool FakeLI::IsDirty(const Variant& index) {
  Hit("IsDirty", index);
  const int32_t row = PositionOf(index);
  return row > 0 && row <= Count() && records_[static_cast<size_t>(row - 1)].dirty;
}

bool FakeLI::IsValid(const Variant& index) {
  Hit("IsValid", index);
  if (is_valid) return *is_valid;
  return hard_rules->rules.empty() && soft_rules->IsValid(-1, -1);
}

bool FakeLI::Exists(const std::string& key) {
  Hit("Exists", key);
  return PositionOfKey(key) != 0;
}

void FakeLI::FieldValue(int32_t position, const Variant& value) {
  Hit("FieldValue", position, value);
  if (position < 1 || position > positions_) Raise(err::kSubscript);
  CurrentRow().values[static_cast<size_t>(position - 1)] = value;
  CurrentRow().dirty = true;
  if (on_field) on_field(*this, position, value);
}

Variant FakeLI::Get(std::string_view member, const Args& args) {
  const std::string name(member);
  if (name == "Count") return Variant::Long(Count());
  const auto it = properties_.find(name);
  if (it == properties_.end()) return Object::Get(member, args);
  return CurrentRow().values[static_cast<size_t>(it->second - 1)];
}

void FakeLI::Let(std::string_view member, const Variant& value, const Args& args) {
  if (member != "Index") return Object::Let(member, value, args);
  Hit("Let Index", value);
  const int32_t i = value.ToLong();
  if (i < 1 || i > Count()) Raise(err::kSubscript);
  current_ = i;
}

}  // namespace kw::testing
