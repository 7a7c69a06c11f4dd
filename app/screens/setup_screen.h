// The TRF Setup screen: the current home's months with their status. Selecting one makes it the
// current month; the command-bar buttons start a month's TRF (status 1), close it (status 2) and
// reopen it (status 1 again, counted by the reopen counter every screen watches).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/business/business_classes.h"
#include "app/business/month_report.h"
#include "app/business/month_service.h"
#include "app/data/month_filing.h"
#include "app/screens/list_screen.h"
#include "ui_shared/shared_procedures/context_keys.h"

namespace trf {

class TrfSetupScreen : public ListScreen<LIHomeMonths> {
 public:
  TrfSetupScreen(const std::shared_ptr<Database>& database, std::shared_ptr<MonthService> months);
  std::string TypeName() const override { return "FRM_H_TRFSetup"; }

  std::string Purpose() const override;
  // Makes the month of `row` the current month.
  void SelectRow(int row) override;
  // The current month was filed: it shows as closed from now on.
  void MonthFiled() override;
  // Reopens the current month, which was filed, for `reason` (kept on record with who and when);
  // a ScreenRefusal when the current month is not filed or the reason is blank.
  void ReopenFiled(const std::string& reason);
  // The filing in force for the current month: who filed it and when; nothing while it is open.
  std::optional<Filing> CurrentFiling();
  // The month's changes, with its filings and reopenings among them in the order they happened.
  std::vector<Change> History(const std::string& field = "") override;
  // A change of the month in words: its status by name, "filed by maple on March 31, 2004, 10:00
  // UTC", "reopened by birch on April 2, 2004, 09:15 UTC: the fee of Paul Moreau was wrong".
  std::string ChangeLine(const Change& change) override;

 protected:
  bool Chosen(const ScreenContext& context) const override { return !context.month_id.empty(); }
  void OnLoad() override;
  void Reload() override;
  // The status column in words ("active", not its code).
  std::string ShownCell(size_t column, std::string text) const override;

 private:
  // Moves the selected month from status `from` to `to`, saved through the library, and makes it
  // the current month. `action` names the change in messages ("start", "close", "reopen"). A
  // refused save leaves the month as it was (Recover).
  void ChangeStatus(MonthStatus from, MonthStatus to, const std::string& action);
  // Puts the selected month into the container's context.
  void MakeSelectedMonthCurrent();
  void UpdateButtons();
  bool HasSelectedMonth() const;
  // Whether a month other than the selected one has an active TRF: a home works on one at a time.
  bool HasOtherActiveMonth() const;
  uint8_t SelectedStatus() const;
  int64_t SelectedMonth() const;

  std::shared_ptr<MonthService> months_;
};

}  // namespace trf
