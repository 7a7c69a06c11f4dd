// ScreenHost: the application's screens, by form key and by short name, and the one current
// screen. It is the container's navigator: leaving the current screen runs its deactivation (and
// stays when it refuses), showing another runs its activation and follows the redirect the
// library writes into ActiveParams when the home or the month is missing.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/business/month_service.h"
#include "app/data/database.h"
#include "app/screens/screen_events.h"
#include "app/screens/screen_form.h"
#include "app/siblings/screen_container.h"
#include "ui_shared/platform/screen.h"
#include "ui_shared/platform/service.h"

namespace trf {

class ScreenHost : public MonthSheets {
 public:
  // `events` hears what the screens and the host say; while the host lives, the screen pointer in
  // force reports the hourglass to it as Busy.
  ScreenHost(std::shared_ptr<ScreenContainer> container, ScreenEvents& events);
  // Unloads every screen and leaves the container without a navigator.
  ~ScreenHost() override;
  ScreenHost(const ScreenHost&) = delete;
  ScreenHost& operator=(const ScreenHost&) = delete;

  // Loads a screen and makes it reachable by its key and its short name.
  void Add(ScreenPtr screen);
  // Shows a screen, by short name or form key, through the container's NavigateToForm. False when
  // the user stayed where they were or ended elsewhere. A ScreenRefusal for a screen it lacks, and
  // when the stored data refused the step (the person stays where they were).
  [[nodiscard]] bool Go(const std::string& name_or_key);
  // Runs one typed operation of the current screen through its refusal path (ScreenForm::Perform).
  // A ScreenRefusal when no screen is shown yet.
  void Perform(const std::function<void(ScreenForm&)>& operation);
  // Clicks a button of the command bar as the person does, through the current screen's refusal
  // path; false when the bar has no such button available.
  bool Click(const std::string& key);
  // The current screen; nullptr before the first navigation.
  ScreenForm* Current() const { return current_.get(); }
  ScreenForm* Find(const std::string& name_or_key) const;
  const std::vector<ScreenPtr>& Screens() const { return screens_; }
  // What the current screen shows, with the context every screen shares and what the person may do
  // there now (the bar's commands among it); nothing before the first navigation.
  void Describe(ScreenView& view) const;
  // The screens work on a database open read-only: every view says so.
  void SetDataReadOnly(bool read_only) { data_read_only_ = read_only; }
  ScreenContainer& Container() const { return *container_; }

  // Send-off: every screen in turn is checked without messages; one that fails becomes current and
  // is checked again with its messages (interactive), and the run goes on when it then passes.
  // True when every screen passed: each screen hears it, the month is filed with its report (see
  // MonthService::File), and each screen hears that; a ScreenRefusal when the stored data refused a
  // step of it.
  bool SendOff();
  // The month's problem list: every screen's problems in the screens' order, gathered by a send-off
  // pass that asks the person nothing, then the region's open questions on the month, each on its
  // screen, record and field (see RegionProblem). A ScreenRefusal when the stored data refused a
  // step of it.
  std::vector<Problem> Problems() override;
  // Each screen's part of the current month's report, through its refusal path.
  void AddToReport(MonthReport& report) override;
  // The month service the screens work with (filing on a passed send-off, the setup screen's status,
  // the report); set by RegisterScreens.
  void UseMonths(std::shared_ptr<MonthService> months) { months_ = std::move(months); }
  MonthService& Months() const { return *months_; }
  // Shows the screen of `problem` on its record, the focus on its field, through the container's
  // navigation, the list's key and the field's tag. A ScreenRefusal when that cannot be done now.
  void Open(const Problem& problem);
  // Makes `month` of `home` the current month, as choosing them on Our Home and TRF Setup does, by
  // their keys: the current screen is left first (a ScreenRefusal when it refuses to go).
  void ChooseMonth(const HomeChoice& home, const MonthChoice& month);
  // Runs the current screen's leave step (its changes are saved); true when there is no current
  // screen or it let go, and then no screen is current. A ScreenRefusal when the stored data
  // refused it (the screen stays current).
  [[nodiscard]] bool LeaveCurrent();

 private:
  // The container's navigator.
  void Show(const std::string& key, kw::ActiveParams& params);
  // A question of the region as an entry of the problem list: on the screen that shows its record's
  // table (TRF Setup for the month as a whole), its record and field, its text with who asked it and
  // when, and the last reply.
  Problem RegionProblem(const RegionQuestion& question) const;
  // Shows `target` in place of `previous`; the previous screen is shown again when it cannot be.
  void Enter(const ScreenPtr& target, const ScreenPtr& previous, kw::ActiveParams& params);

  std::shared_ptr<ScreenContainer> container_;
  ScreenEvents& events_;
  kw::ScopedService<kw::Screen> pointer_;
  std::vector<ScreenPtr> screens_;
  ScreenPtr current_;
  std::shared_ptr<MonthService> months_;
  int redirects_ = 0;
  bool data_read_only_ = false;
};

// The place where every screen of the application is registered with the host, each working on
// `database` (screen_catalog.cpp).
void RegisterScreens(ScreenHost& host, const std::shared_ptr<Database>& database);

}  // namespace trf
