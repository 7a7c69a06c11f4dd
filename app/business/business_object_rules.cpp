// TableBusinessObject: the rules every class shares (kind, required, existing key), the running of
// field and record rules, and the conversion of written values to their field's kind.
#include <algorithm>
#include <cmath>
#include <optional>

#include "app/business/business_object_parts.h"
#include "ui_shared/platform/clock.h"
#include "ui_shared/platform/dates.h"
#include "ui_shared/platform/error.h"
#include "ui_shared/platform/numbers.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/text.h"

namespace trf {

namespace {

// A number written with its thousands grouped as the TRF shows amounts ("2,150.50", "-1,000"),
// without the commas; any other text as it is ("2,5" stays, and is no number).
std::string WithoutGrouping(const std::string& text) {
  const std::string trimmed = kw::text::Trim(text);
  const size_t digits = trimmed.starts_with('-') ? 1 : 0;
  const size_t point = std::min(trimmed.find('.'), trimmed.size());
  if (trimmed.find(',') >= point) return text;
  std::string plain = trimmed.substr(0, digits);
  size_t group = 0;  // digits since the last comma
  bool grouped = false;
  for (size_t i = digits; i < point; ++i) {
    const char c = trimmed[i];
    if (c == ',') {
      if (group == 0 || group > 3 || (grouped && group != 3)) return text;
      grouped = true;
      group = 0;
    } else if (c >= '0' && c <= '9') {
      plain += c;
      ++group;
    } else {
      return text;
    }
  }
  return group == 3 ? plain + trimmed.substr(point) : text;
}

// The number a value holds or reads as (thousands grouped or not); an infinity of its sign when the
// text is too large for a number at all ("1e999"), so that it is refused as out of range rather
// than raising.
std::optional<double> NumberOf(const kw::Variant& value) {
  if (value.IsNumber()) return value.ToDouble();
  if (!value.IsText()) return std::nullopt;
  try {
    return kw::ParseWholeNumber(WithoutGrouping(value.GetText()));
  } catch (const kw::Error& error) {
    if (error.Number() != kw::err::kOverflow) throw;
    const std::string text = kw::text::Trim(value.GetText());
    return text.starts_with('-') ? -HUGE_VAL : HUGE_VAL;
  }
}

// The years a stored date may lie in; anything outside is a typing slip.
constexpr int kFirstPlausibleYear = 1900;
constexpr int kLastPlausibleYear = 2099;
// Days ahead of today from which a date is asked about.
constexpr double kFutureQuestionDays = 31;

bool IsBlank(const kw::Variant& value) {
  return value.IsEmpty() || value.IsNull() || (value.IsText() && kw::text::Trim(value.GetText()).empty());
}

}  // namespace

std::string ShownValue(const kw::Variant& value) {
  if (value.IsText()) return "\"" + value.GetText() + "\"";
  if (value.IsNumber() || value.IsDate() || value.IsBoolean()) return value.ToText();
  return "a value of another kind";
}

kw::Variant NormalisedValue(const FieldSpec& field, const kw::Variant& value) {
  if (IsBlank(value)) return kw::Variant::Null();
  switch (field.holds) {
    case ColumnKind::kWholeNumber: {
      const std::optional<double> number = NumberOf(value);
      if (number && *number == std::floor(*number) && std::fabs(*number) <= INT32_MAX) {
        return kw::Variant::Long(static_cast<int32_t>(*number));
      }
      return value;
    }
    case ColumnKind::kMoney: {
      // An amount beyond the range stays as typed: the kind rule refuses it, and the box and the
      // record show the same text.
      const std::optional<double> number = NumberOf(value);
      const std::optional<Bounds>& bounds = field.column->bounds;
      return number && (!bounds || std::fabs(*number) <= bounds->most) ? kw::Variant::Double(*number) : value;
    }
    case ColumnKind::kDate: {
      if (value.IsDate()) return value;
      if (value.IsNumber()) return kw::Variant::Date(value.ToDouble());
      const std::optional<double> serial = value.IsText() ? kw::dates::Recognize(value.GetText()) : std::nullopt;
      return serial ? kw::Variant::Date(*serial) : value;
    }
    default:
      if (value.IsText()) return value;
      return value.IsNumber() || value.IsDate() || value.IsBoolean() ? kw::Variant::Text(value.ToText()) : value;
  }
}

void TableBusinessObject::CheckFieldKind(int32_t field, std::span<const kw::Variant> values, RuleFindings& findings) {
  const FieldSpec& spec = fields_[static_cast<size_t>(field)];
  const ColumnDescription& column = *spec.column;
  const std::string caption = spec.Caption();
  const kw::Variant& value = values[static_cast<size_t>(field)];
  if (value.IsNull()) {
    if (column.required) findings.Hard(field, kFieldLevel, rule_numbers::kRequired, caption + " must be filled in.");
    return;
  }
  switch (spec.holds) {
    case ColumnKind::kWholeNumber:
      if (!value.IsNumber()) {
        findings.Hard(field, kFieldLevel, rule_numbers::kNotANumber,
                      caption + " must be a whole number; " + ShownValue(value) + " is not one.");
        return;
      }
      break;
    case ColumnKind::kMoney: {
      const std::optional<double> number = NumberOf(value);
      if (!number) {
        findings.Hard(field, kFieldLevel, rule_numbers::kNotANumber,
                      caption + " must be an amount; " + ShownValue(value) + " is not a number.");
        return;
      }
      if (!column.bounds) break;
      const Bounds& bounds = *column.bounds;
      if (*number < 0 && bounds.least >= 0 && *number >= -bounds.most) {
        findings.Hard(field, kFieldLevel, rule_numbers::kNegative, caption + " cannot be negative.");
        return;
      }
      if (!value.IsNumber() || *number > bounds.most || *number < bounds.least) {
        findings.Hard(field, kFieldLevel, rule_numbers::kOutOfRange,
                      caption + " " + ShownValue(value) + " is out of range; amounts go from " +
                          AmountText(bounds.least) + " to " + AmountText(bounds.most) + ".");
        return;
      }
      break;
    }
    case ColumnKind::kDate:
      if (!value.IsDate()) {
        findings.Hard(field, kFieldLevel, rule_numbers::kNotADate,
                      caption + " must be a date; " + ShownValue(value) + " is not a valid date.",
                      "Enter the date as month/day/year, for example 3/5/2004.");
        return;
      }
      if (const int year = kw::dates::CivilOf(value.ToDate()).year;
          year < kFirstPlausibleYear || year > kLastPlausibleYear) {
        findings.Hard(field, kFieldLevel, rule_numbers::kImplausibleDate,
                      caption + " " + ShownValue(value) + " lies outside the years " +
                          std::to_string(kFirstPlausibleYear) + " to " + std::to_string(kLastPlausibleYear) + ".");
        return;
      }
      break;
    default:
      if (!value.IsText()) {
        findings.Hard(field, kFieldLevel, rule_numbers::kNotANumber, caption + " must be a text.");
        return;
      }
      if (column.max_length > 0 && kw::text::Len(value.GetText()) > column.max_length) {
        findings.Hard(field, kFieldLevel, rule_numbers::kTooLong,
                      caption + " is longer than " + std::to_string(column.max_length) + " characters.");
        return;
      }
      break;
  }
  if (!spec.reference_table.empty() && !store_->ReferenceExists(static_cast<size_t>(field), value)) {
    findings.Hard(field, kFieldLevel, rule_numbers::kUnknownKey, caption + " " + ShownValue(value) + " does not exist.",
                  "Choose one of the entries offered; the record it names may have been deleted.");
  }
}

void TableBusinessObject::CheckField(int32_t, std::span<const kw::Variant>, RuleFindings&) {}

void TableBusinessObject::AskAboutFutureDate(int32_t field, std::span<const kw::Variant> values,
                                             RuleFindings& findings) {
  const kw::Variant& value = values[static_cast<size_t>(field)];
  if (!value.IsDate() || findings.HasHard(field)) return;
  if (value.ToDate() - today_ <= kFutureQuestionDays) return;
  findings.Question(field, kFieldLevel, rule_numbers::kFutureDate,
                    fields_[static_cast<size_t>(field)].Caption() + " " + value.ToText() +
                        " lies more than a month in the future. Is it right?",
                    value);
}

void TableBusinessObject::CheckRecord(std::span<const kw::Variant>, RuleFindings&) {}

void TableBusinessObject::ReadToday() { today_ = std::floor(kw::Service<kw::Clock>::Get().Now()); }

void TableBusinessObject::RunFieldRules(Record& record, int32_t field) {
  ReadToday();
  RuleFindings findings;
  CheckFieldKind(field, record.values, findings);
  if (!findings.HasHard(field)) CheckField(field, record.values, findings);
  AskAboutFutureDate(field, record.values, findings);
  RulesOf(record)->Merge(field, kFieldLevel, std::move(findings), send_off_);
}

void TableBusinessObject::RunAllRules(Record& record) {
  ReadToday();
  RuleFindings findings;
  bool well_formed = true;
  for (int32_t field = 0; field < static_cast<int32_t>(fields_.size()); ++field) {
    CheckFieldKind(field, record.values, findings);
    if (findings.HasHard(field)) {
      well_formed = false;
    } else {
      CheckField(field, record.values, findings);
      // A value that passed the kind check is a date only in a date field.
      if (fields_[static_cast<size_t>(field)].holds == ColumnKind::kDate)
        AskAboutFutureDate(field, record.values, findings);
    }
  }
  // Record rules compare fields with each other: they need every field of its own kind.
  if (well_formed) CheckRecord(record.values, findings);
  RulesOf(record)->Merge(-1, -1, std::move(findings), send_off_);
}

const RuleStatePtr& TableBusinessObject::RulesOf(Record& record) {
  if (record.rules) return record.rules;
  record.rules = std::make_shared<RuleState>();
  if (const auto kept = kept_by_key_.find(KeyNumber(record.values[0])); kept != kept_by_key_.end())
    record.rules->Keep(kept->second);
  return record.rules;
}

std::unique_ptr<Statement> TableBusinessObject::KeptAcceptancesQuery(const kw::Variant& parent) {
  if (parent.IsEmpty()) return nullptr;
  return AcceptancesQuery(*database_, *spec_.table, KeyNumber(parent));
}

void TableBusinessObject::ReadKeptAcceptances() { KeepAcceptances(KeptAcceptancesQuery(loaded_parent_).get()); }

void TableBusinessObject::KeepAcceptances(Statement* query) {
  kept_by_key_.clear();
  if (!query) return;
  for (Acceptance& acceptance : ReadAcceptances(*query)) {
    const auto position = positions_by_name_.find(acceptance.field);
    const int32_t field = position == positions_by_name_.end() ? -1 : position->second - 1;
    const std::optional<double> key = kw::ParseWholeNumber(acceptance.record_key);
    if (!key) continue;
    kept_by_key_[static_cast<int64_t>(*key)].push_back(KeptAcceptance{
        field, acceptance.rule, std::move(acceptance.value), std::move(acceptance.who), std::move(acceptance.when)});
  }
}

void TableBusinessObject::StampAcceptances() {
  ReadKeptAcceptances();
  for (Record& record : records_) {
    if (!record.rules || record.values.empty()) continue;
    if (const auto kept = kept_by_key_.find(KeyNumber(record.values[0])); kept != kept_by_key_.end())
      record.rules->Stamp(kept->second);
  }
}

void TableBusinessObject::Validate() {
  if (Count() == 0) return;
  RunAllRules(CurrentRecord());
}

}  // namespace trf
