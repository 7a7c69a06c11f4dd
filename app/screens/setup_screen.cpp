// The TRF Setup screen over LIHomeMonths.
#include "app/screens/setup_screen.h"

#include "ui_shared/platform/dates.h"
#include "ui_shared/platform/numbers.h"

namespace trf {

namespace column = tables::column;

TrfSetupScreen::TrfSetupScreen(const std::shared_ptr<Database>& database, std::shared_ptr<MonthService> months)
    : ListScreen(std::string(kw::kMonthSetupFormKey), "setup", "TRF Setup", kw::icIsMonth, database),
      months_(std::move(months)) {}

namespace {
// The list's columns: the month, its TRF type, its status.
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
        throw ScreenRefusal("this month was filed by " + filing->filed_by + " on " + filing->filed_at +
                            " UTC: reopening it needs a reason, which is kept on record");
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
  Say("current month: " + kw::dates::ToText(shared.CurrentTRFDate()) + ", TRF " + MonthStatusText(SelectedStatus()));
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
  Say("TRF reopened for " + records()->Get(column::kStatMonth).ToText() + ": " + reason);
}

void TrfSetupScreen::ChangeStatus(MonthStatus from, MonthStatus to, const std::string& action) {
  if (!HasSelectedMonth()) throw ScreenRefusal("no month is selected");
  if (SelectedStatus() != from)
    throw ScreenRefusal("cannot " + action + " a TRF that is " + MonthStatusText(SelectedStatus()));
  if (to == kMonthActive && HasOtherActiveMonth())
    throw ScreenRefusal("the home already has an active TRF; close it before you " + action + " another");
  records()->FieldValue(LIHomeMonths::kStatStatus, kw::Variant::Long(to));
  if (!Shared()->OnSave(records())) throw ScreenRefusal("the month was left as it was: it must be put right first");
  Say("TRF " + MonthStatusText(to) + " for " + records()->Get(column::kStatMonth).ToText());
  const std::string id = records()->Get(column::kHomeMonthlyStatsID).ToText();
  Rebuild(id);
  MakeSelectedMonthCurrent();
  UpdateButtons();
}

}  // namespace trf
