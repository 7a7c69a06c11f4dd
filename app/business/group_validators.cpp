// Record-group validators of residents and family groups.
#include "app/business/group_validators.h"

#include <cmath>
#include <optional>
#include <tuple>

#include "app/data/change_record.h"
#include "app/data/transaction.h"

#include "app/data/moment_text.h"
#include "ui_shared/platform/numbers.h"

namespace trf {

namespace {

// Group rules name no field.
constexpr int32_t kNoField = -1;

}  // namespace

kw::Variant RecordGroupValidator::Validate(const std::string& group_key) {
  RuleFindings findings;
  const std::optional<double> key = kw::ParseWholeNumber(group_key);
  if (!key || *key != std::floor(*key)) {
    findings.Hard(kNoField, kRecordLevel, 3500,
                  "No home or month is selected: \"" + group_key + "\" is no record key.");
  } else {
    Check(static_cast<int64_t>(*key), findings);
    state_->Keep(Kept(static_cast<int64_t>(*key)));
  }
  state_->Merge(-1, -1, std::move(findings), send_off_);
  if (key && *key == std::floor(*key)) RecordAcceptances(static_cast<int64_t>(*key));
  return kw::Variant::Boolean(state_->Valid());
}

std::vector<KeptAcceptance> RecordGroupValidator::Kept(int64_t key) {
  std::vector<KeptAcceptance> kept;
  for (Acceptance& acceptance : AcceptancesAbout(*database_, Owner(), key)) {
    if (!acceptance.field.empty()) continue;  // a question about the owner's own fields
    kept.push_back(KeptAcceptance{kNoField, acceptance.rule, std::move(acceptance.value), std::move(acceptance.who),
                                  std::move(acceptance.when)});
  }
  return kept;
}

void RecordGroupValidator::RecordAcceptances(int64_t key) {
  std::vector<std::shared_ptr<SoftRule>> unrecorded;
  for (const std::shared_ptr<SoftRule>& rule : state_->Soft())
    if (rule->Accepted() && !rule->OnRecord()) unrecorded.push_back(rule);
  // A send-off run without messages asks nobody, and a database open read-only keeps nothing: the
  // acceptances then stay with the session.
  if (unrecorded.empty() || send_off_ || database_->ReadOnly()) return;
  const TableDescription& owner = Owner();
  const kw::Variant owner_key = kw::Variant::Double(static_cast<double>(key));
  auto home = Query("SELECT " + std::string(tables::column::kHomesID) + " FROM " + std::string(owner.name) + " WHERE " +
                        std::string(owner.Key().name) + " = ?",
                    {owner_key});
  if (!home->Step()) return;
  const kw::Variant link = home->Column(0);
  home.reset();
  {
    Transaction transaction(*database_);
    AcceptanceRecorder recorder(*database_, owner);
    for (const std::shared_ptr<SoftRule>& rule : unrecorded)
      recorder.Queue(owner_key, link, "", rule->Value(), rule->RuleNumber(), rule->Feedback());
    std::ignore = database_->Collect();
    transaction.Commit();
  }
  for (const std::shared_ptr<SoftRule>& rule : unrecorded) rule->PutOnRecord();
  state_->Stamp(Kept(key));
}

std::unique_ptr<Statement> RecordGroupValidator::Query(const std::string& sql,
                                                       std::initializer_list<kw::Variant> parameters) {
  auto query = database_->Prepare(sql);
  int index = 1;
  for (const kw::Variant& parameter : parameters) query->Bind(index++, parameter);
  return query;
}

void RGResidents::Check(int64_t month_id, RuleFindings& findings) {
  const kw::Variant month_key = kw::Variant::Double(static_cast<double>(month_id));
  auto month = Query(
      "SELECT h.H_HomeName, h.H_Capacity, m.H_HomesID, m.H_StatMonth FROM tbH_HomeMonthlyStats m "
      "JOIN tbH_Homes h ON h.H_HomesID = m.H_HomesID WHERE m.H_HomeMonthlyStatsID = ?",
      {month_key});
  if (!month->Step()) {
    findings.Hard(kNoField, kRecordLevel, 3503, "Month record " + std::to_string(month_id) + " does not exist.");
    return;
  }
  const std::string home = month->Column(0).ToText();
  const int32_t capacity = month->Column(1).ToLong();
  const kw::Variant home_id = month->Column(2);
  const double stat_month = month->Column(3).ToDouble();
  const std::string month_text = MonthOfSerialText(stat_month);

  auto totals = Query(
      "SELECT COUNT(*), COALESCE(SUM(H_MonthlyFee), 0) FROM tbH_Residents WHERE H_HomeMonthlyStatsID = ?", {month_key});
  totals->Step();
  const int32_t residents = totals->Column(0).ToLong();
  const double fees = totals->Column(1).ToDouble();
  if (residents > capacity) {
    findings.Hard(kNoField, kRecordLevel, 3501,
                  home + " lists " + std::to_string(residents) + " residents in " + month_text + " but has room for " +
                      std::to_string(capacity) + ".",
                  "Remove the residents who left, or correct the home's capacity.");
  }

  auto previous = Query(
      "SELECT COALESCE(SUM(r.H_MonthlyFee), 0) FROM tbH_Residents r WHERE r.H_HomeMonthlyStatsID = "
      "(SELECT H_HomeMonthlyStatsID FROM tbH_HomeMonthlyStats WHERE H_HomesID = ? AND H_StatMonth < ? "
      "ORDER BY H_StatMonth DESC LIMIT 1)",
      {home_id, kw::Variant::Double(stat_month)});
  previous->Step();
  const double before = previous->Column(0).ToDouble();
  if (before > 0 && std::fabs(fees - before) > kUnusualChange * before) {
    findings.Question(kNoField, kRecordLevel, 3502,
                      "The residents' fees total " + AmountText(fees) + " in " + month_text + " against " +
                          AmountText(before) + " the month before. Is that right?",
                      kw::Variant::Double(fees));
  }
}

void RGFamilyGroups::Check(int64_t home_id, RuleFindings& findings) {
  const kw::Variant home_key = kw::Variant::Double(static_cast<double>(home_id));
  auto duplicates = Query(
      "SELECT H_GroupName, COUNT(*) FROM tbH_FamilyGroups WHERE H_HomesID = ? GROUP BY H_GroupName "
      "HAVING COUNT(*) > 1 ORDER BY H_GroupName",
      {home_key});
  while (duplicates->Step()) {
    findings.Hard(kNoField, kRecordLevel, 3511,
                  "The name \"" + duplicates->Column(0).ToText() + "\" is given to " +
                      std::to_string(duplicates->Column(1).ToLong()) + " family groups of this home.");
  }
  auto unused = Query(
      "SELECT COUNT(*) FROM tbH_FamilyGroups g WHERE g.H_HomesID = ? AND NOT EXISTS "
      "(SELECT 1 FROM tbH_Residents r WHERE r.H_FamilyGroupsID = g.H_FamilyGroupsID)",
      {home_key});
  unused->Step();
  const int32_t without_residents = unused->Column(0).ToLong();
  if (without_residents > 0) {
    findings.Notice(kNoField, kRecordLevel, 3512,
                    std::to_string(without_residents) + " family group(s) of this home never had a resident.",
                    kw::Variant::Long(without_residents));
  }
}

}  // namespace trf
