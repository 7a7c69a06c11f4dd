// The TRF Setup screen over LIHomeMonths.
#include "app/screens/setup_screen.h"

#include <algorithm>
#include "ui_shared/platform/dates.h"

#include "ui_shared/platform/numbers.h"
#include "ui_shared/platform/text.h"

namespace trf {

namespace column = tables::column;

TrfSetupScreen::TrfSetupScreen(const std::shared_ptr<Database>& database, std::shared_ptr<MonthService> months)
    : ListScreen(std::string(kw::kMonthSetupFormKey), "setup", "TRF Setup", kw::icIsMonth, database),
      months_(std::move(months)) {}

namespace {
// The list's columns: the month, its TRF type, its status.
constexpr size_t kMonthColumn = 0;
constexpr size_t kStatusColumn = 2;
}  // namespace

void TrfSetupScreen::OnLoad() {
  kw::SharedProcedures& shared = *Shared();
  shared.LVColumnInfo(column::kStatMonth, "Month", 80);
  shared.LVColumnInfo(column::kTrfTypesCD, "TRF type", 60, true);
  BindList(column::kHomeMonthlyStatsID, shared.LVColumnInfo(column::kStatStatus, "Status", 50, true));
  AddButton("StartTrf", "Start TRF", [this](int16_t) { ChangeStatus(kMonthNotStarted, kMonthActive, "start"); });
  AddButton("CloseTrf", "Close TRF", [this](int16_t) { ChangeStatus(kMonthActive, kMonthClosed, "close"); });
  AddButton("ReopenTrf", "Reopen TRF", [this](int16_t) {
    if (HasSelectedMonth()) {
      if (const auto filing = FilingOf(records()->Connection(), SelectedMonth())) {
        throw ScreenRefusal("this month was filed by " + filing->filed_by + " on " + StampText(filing->filed_at) +
                            ": reopening it needs a reason, which is kept on record");
      }
    }
    ChangeStatus(kMonthClosed, kMonthActive, "reopen");
    Shared()->TrfReopened(Shared()->TrfReopened() + 1);
  });
}

void TrfSetupScreen::Reload() {
  records()->Load(kw::Variant::Long(kw::Variant::Text(Shared()->CurrentH_HomesID()).ToLong()));
  const std::string current = Shared()->CurrentH_HomeMonthlyStatsID();
  Rebuild(current);
  // The current month as stored now: another desk may have closed or reopened it.
  if (!current.empty() && HasSelectedMonth() && records()->Get(column::kHomeMonthlyStatsID).ToText() == current)
    Shared()->CurrentStatStatus(SelectedStatus());
  UpdateButtons();
}

bool TrfSetupScreen::HasSelectedMonth() const {
  // The list keeps a row selected for its own sake: a month is selected once the person chose it.
  const std::string chosen = Shared()->CurrentH_HomeMonthlyStatsID();
  return list().SelectedItem() != nullptr && records()->Count() > 0 && !chosen.empty() &&
         records()->Get(column::kHomeMonthlyStatsID).ToText() == chosen;
}

uint8_t TrfSetupScreen::SelectedStatus() const {
  return static_cast<uint8_t>(records()->Get(column::kStatStatus).ToLong());
}

bool TrfSetupScreen::HasOtherActiveMonth() const {
  const kw::Variant current = records()->CurrentIndex();
  for (int32_t p = 1; p <= records()->Count(); ++p) {
    if (p == current.ToLong()) continue;
    if (records()->FieldValueAt(kw::Variant::Long(p), LIHomeMonths::kStatStatus).ToLong() == kMonthActive) return true;
  }
  return false;
}

void TrfSetupScreen::UpdateButtons() {
  const bool selected = HasSelectedMonth() && !records()->Connection().ReadOnly();
  const uint8_t status = selected ? SelectedStatus() : uint8_t{0};
  EnableButton("StartTrf", selected && status == kMonthNotStarted);
  EnableButton("CloseTrf", selected && status == kMonthActive);
  EnableButton("ReopenTrf", selected && status == kMonthClosed);
}

std::string TrfSetupScreen::Purpose() const {
  return "TRF Setup: the home's months. Selecting one makes it the current month; the buttons start, close or "
         "reopen the selected month's TRF.";
}

std::string TrfSetupScreen::ShownCell(size_t column, std::string text) const {
  if (column == kMonthColumn) {
    const std::optional<double> month = kw::dates::Recognize(text);
    return month ? MonthOfSerialText(*month) : text;
  }
  if (column != kStatusColumn) return text;
  const std::optional<double> status = kw::ParseWholeNumber(text);
  return status ? MonthStatusText(static_cast<int32_t>(*status)) : text;
}

void TrfSetupScreen::SelectRow(int row) {
  if (list().Click(*Shared(), row)) MakeSelectedMonthCurrent();
  AnnounceSelection();
  UpdateButtons();
}

void TrfSetupScreen::MakeSelectedMonthCurrent() {
  kw::SharedProcedures& shared = *Shared();
  shared.CurrentH_HomeMonthlyStatsID(records()->Get(column::kHomeMonthlyStatsID).ToText());
  shared.CurrentStatStatus(SelectedStatus());
  shared.CurrentHU_TrfTypesCD(records()->Get(column::kTrfTypesCD).ToText());
  shared.CurrentTrfType(records()->Get(column::kTrfTypesCD).ToText());
  shared.CurrentTRFDate(records()->Get(column::kStatMonth).ToDate());
  Say("current month: " + MonthOfSerialText(shared.CurrentTRFDate()) + ", TRF " + MonthStatusText(SelectedStatus()));
}

int64_t TrfSetupScreen::SelectedMonth() const {
  return static_cast<int64_t>(records()->Get(column::kHomeMonthlyStatsID).ToDouble());
}

void TrfSetupScreen::MonthFiled() {
  Shared()->CurrentStatStatus(kMonthClosed);
  Reload();
  Say("the TRF is filed: the month stays as it was filed until it is reopened with a reason");
}

std::optional<Filing> TrfSetupScreen::CurrentFiling() {
  const std::string month = Shared()->CurrentH_HomeMonthlyStatsID();
  if (month.empty()) return std::nullopt;
  return FilingOf(records()->Connection(), static_cast<int64_t>(kw::Variant::Text(month).ToDouble()));
}

void TrfSetupScreen::ReopenFiled(const std::string& reason) {
  const std::string month = Shared()->CurrentH_HomeMonthlyStatsID();
  const auto id = static_cast<int64_t>(kw::Variant::Text(month).ToDouble());
  if (!CurrentFiling()) throw ScreenRefusal("select a filed month to reopen it");
  records()->CurrentIndex(kw::Variant::Text(month));
  if (HasOtherActiveMonth())
    throw ScreenRefusal("the home already has an active TRF; close it before you reopen another");
  months_->Reopen(id, reason);
  Shared()->TrfReopened(Shared()->TrfReopened() + 1);
  Reload();
  records()->CurrentIndex(kw::Variant::Text(month));
  MakeSelectedMonthCurrent();
  UpdateButtons();
  Say("TRF reopened for " + MonthOfSerialText(records()->Get(column::kStatMonth).ToDouble()) + ": " + reason);
}

namespace {
// How the month's history marks a filing and a reopening among the changes of its record: by the
// filings' columns that tell them.
constexpr const char* kFiled = "H_FiledAt";
constexpr const char* kReopened = "H_ReopenedAt";
}  // namespace

std::vector<Change> TrfSetupScreen::History(const std::string& field) {
  std::vector<Change> changes = ScreenForm::History(field);
  if (!field.empty() || records()->Count() == 0 || records()->IsNew()) return changes;
  for (const FilingEvent& filing : FilingsOfMonth(records()->Connection(), SelectedMonth())) {
    const auto event = [&](const std::string& who, const std::string& when, const char* what, std::string why) {
      Change change;
      change.who = who;
      change.when = when;
      change.field = what;
      change.message = std::move(why);
      changes.push_back(std::move(change));
    };
    event(filing.filed_by, filing.filed_at, kFiled, "");
    if (!filing.reopened_at.empty()) event(filing.reopened_by, filing.reopened_at, kReopened, filing.reason);
  }
  // Stamps of one form sort as they happened. Within one second a filing follows the closing
  // stamped with it, and a reopening comes before the month is active again.
  const auto step = [](const Change& change) {
    if (change.field == kFiled) return 1;
    if (change.field == kReopened) return 2;
    return kw::text::Lower(change.field) == kw::text::Lower(column::kStatStatus) && !change.new_value.IsNull() &&
                   kw::Variant::Text(change.new_value.ToText()).ToLong() == kMonthActive
               ? 3
               : 0;
  };
  std::stable_sort(changes.begin(), changes.end(), [&](const Change& a, const Change& b) {
    return a.when != b.when ? a.when < b.when : step(a) < step(b);
  });
  return changes;
}

std::string TrfSetupScreen::ChangeLine(const Change& change) {
  if (change.field == kFiled) return "filed" + ByWhom(change);
  if (change.field == kReopened) return "reopened" + ByWhom(change) + ": " + change.message;
  if (kw::text::Lower(change.field) != kw::text::Lower(column::kStatStatus)) return ScreenForm::ChangeLine(change);
  const auto status = [](const kw::Variant& value) {
    return value.IsNull() ? std::string("(empty)") : MonthStatusText(kw::Variant::Text(value.ToText()).ToLong());
  };
  return "Status " + status(change.old_value) + " -> " + status(change.new_value) + ByWhom(change);
}

void TrfSetupScreen::ChangeStatus(MonthStatus from, MonthStatus to, const std::string& action) {
  if (!HasSelectedMonth()) throw ScreenRefusal("no month is selected");
  if (SelectedStatus() != from)
    throw ScreenRefusal("cannot " + action + " a TRF that is " + MonthStatusText(SelectedStatus()));
  if (to == kMonthActive && HasOtherActiveMonth())
    throw ScreenRefusal("the home already has an active TRF; close it before you " + action + " another");
  const std::string id = records()->Get(column::kHomeMonthlyStatsID).ToText();
  if (from == kMonthNotStarted) {
    months_->Start(SelectedMonth());  // with its expense lines, in one transaction
    Reload();
    records()->CurrentIndex(kw::Variant::Text(id));
  } else {
    records()->FieldValue(LIHomeMonths::kStatStatus, kw::Variant::Long(to));
    if (!Shared()->OnSave(records())) throw ScreenRefusal("the month was left as it was: it must be put right first");
  }
  Say("TRF " + MonthStatusText(to) + " for " + MonthOfSerialText(records()->Get(column::kStatMonth).ToDouble()));
  Rebuild(id);
  MakeSelectedMonthCurrent();
  UpdateButtons();
}

}  // namespace trf
