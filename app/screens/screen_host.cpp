// Screen lookup, navigation with deactivation and redirects, and the send-off run.
#include "app/screens/screen_host.h"

#include "app/data/trf_database.h"

#include <tuple>

#include "app/screens/operation_guard.h"

#include "ui_shared/shared_procedures/context_keys.h"

namespace trf {
namespace {

// Redirects followed in a row before the host gives up (home -> setup -> home would loop).
constexpr int kMaxRedirects = 3;

// The screen pointer while a host lives: it tells the host's listener when work starts and ends.
class BusyPointer : public kw::Screen {
 public:
  explicit BusyPointer(ScreenEvents& events) : events_(events) {}
  void MousePointer(int16_t pointer) override {
    const bool was_busy = Screen::MousePointer() == kw::kPointerHourglass;
    const bool busy = pointer == kw::kPointerHourglass;
    Screen::MousePointer(pointer);
    if (busy != was_busy) events_.Busy(busy);
  }
  using kw::Screen::MousePointer;

 private:
  ScreenEvents& events_;
};

}  // namespace

ScreenHost::ScreenHost(std::shared_ptr<ScreenContainer> container, ScreenEvents& events)
    : container_(std::move(container)), events_(events), pointer_(std::make_shared<BusyPointer>(events)) {
  container_->SetNavigator([this](const std::string& key, kw::ActiveParams& params) { Show(key, params); });
}

ScreenHost::~ScreenHost() {
  container_->SetNavigator(nullptr);
  current_.reset();
  for (const ScreenPtr& screen : screens_) screen->Unload();
}

void ScreenHost::Add(ScreenPtr screen) {
  screen->Load(events_);
  screens_.push_back(std::move(screen));
}

ScreenForm* ScreenHost::Find(const std::string& name_or_key) const {
  for (const ScreenPtr& screen : screens_)
    if (screen->Name() == name_or_key || screen->Key() == name_or_key) return screen.get();
  return nullptr;
}

bool ScreenHost::Go(const std::string& name_or_key) {
  const ScreenForm* target = Find(name_or_key);
  if (!target) {
    std::string names;
    for (const ScreenPtr& screen : screens_) names += (names.empty() ? "" : ", ") + screen->Name();
    throw ScreenRefusal("no screen \"" + name_or_key + "\"; the screens are: " + names);
  }
  // Already there: showing the screen again must not reload it over the user's unsaved edits.
  if (current_.get() == target) return true;
  kw::ActiveParams params;
  params.FormKey = target->Key();
  redirects_ = 0;
  // Leaving or showing a screen was refused: the person stays where they were.
  RunRefusable([&] { container_->NavigateToForm(kw::Variant::Text(target->Key()), params); },
               [this] {
                 if (!current_) return;
                 container_->CurrentFormKey(current_->Key());
                 current_->Recover();
                 events_.Stayed(*current_);
               });
  return current_.get() == target;
}

void ScreenHost::Perform(const std::function<void(ScreenForm&)>& operation) {
  if (!current_) throw ScreenRefusal("no screen is shown yet");
  ScreenForm& screen = *current_;
  screen.Perform([&] { operation(screen); });
}

bool ScreenHost::Click(const std::string& key) {
  bool clicked = false;
  Perform([&](ScreenForm&) { clicked = container_->ClickCommandButton(key); });
  return clicked;
}

void ScreenHost::Show(const std::string& key, kw::ActiveParams& params) {
  ScreenPtr target;
  for (const ScreenPtr& screen : screens_)
    if (screen->Key() == key) target = screen;
  if (!target) throw ScreenRefusal("no screen with the key \"" + key + "\"");
  const ScreenPtr previous = current_;
  if (previous && previous != target) {
    if (!previous->Leave()) {
      container_->CurrentFormKey(previous->Key());
      events_.Stayed(*previous);
      return;
    }
    current_.reset();
  }
  Enter(target, previous, params);
}

void ScreenHost::Enter(const ScreenPtr& target, const ScreenPtr& previous, kw::ActiveParams& params) {
  // Back where the user was, when the target cannot be shown.
  const auto back = [&] {
    if (!previous || previous == target) return;
    try {
      kw::ActiveParams again;
      if (previous->Enter(again)) current_ = previous;
    } catch (...) {
      Journal(kw::CurrentError());  // the refusal of the target is the one the person reads
    }
  };
  bool entered = false;
  try {
    entered = target->Enter(params);
  } catch (...) {
    back();
    throw;
  }
  if (entered) {
    current_ = target;
    container_->CurrentFormKey(target->Key());
    return;
  }
  if (!params.GotoFormKey.empty() && params.GotoFormKey != target->Key() && redirects_ < kMaxRedirects) {
    ++redirects_;
    kw::ActiveParams redirected;
    redirected.FormKey = params.GotoFormKey;
    ScreenForm* next = Find(params.GotoFormKey);
    events_.Redirected(params.GotoFormKey, next);
    container_->NavigateToForm(kw::Variant::Text(params.GotoFormKey), redirected);
    return;
  }
  // Refused without a way on: back where the user was.
  back();
  events_.CouldNotOpen(*target);
  if (current_) container_->CurrentFormKey(current_->Key());
}

namespace {

// The container's send-off flags on for one run only, however it ends; the run asks the person
// only when `interactive`.
class SendOffRun {
 public:
  explicit SendOffRun(ScreenContainer& container) : container_(container) { container_.SendOffValidationMode(true); }
  ~SendOffRun() {
    container_.SendOffValidationMode(false);
    container_.SetSendOffInteractive(false);
  }
  SendOffRun(const SendOffRun&) = delete;
  SendOffRun& operator=(const SendOffRun&) = delete;

 private:
  ScreenContainer& container_;
};

}  // namespace

bool ScreenHost::SendOff() {
  const SendOffRun run(*container_);
  bool passed = true;
  const auto check_every_screen = [&] {
    for (const ScreenPtr& screen : screens_) {
      container_->SetSendOffInteractive(false);
      if (screen->ValidateForSendoff(true)) continue;
      events_.SendOffStopped(*screen);
      container_->SetSendOffInteractive(true);
      if (current_ != screen) std::ignore = Go(screen->Key());  // where it ended is checked next
      passed = current_ == screen && screen->ValidateForSendoff(false);
      if (!passed) break;
    }
    if (passed) {
      for (const ScreenPtr& screen : screens_) screen->SendOffPassed();
      const std::string month = container_->CurrentH_HomeMonthlyStatsID();
      if (months_ && !month.empty() && !months_->Standing(std::stoll(month)).filing) {
        months_->File(std::stoll(month), *this, LoginName());
        for (const ScreenPtr& screen : screens_) screen->MonthFiled();
      }
    }
  };
  RunRefusable(check_every_screen, [this] {
    if (current_) current_->Recover();
    events_.SendOffResult(false);
  });
  events_.SendOffResult(passed);
  return passed;
}

std::vector<Problem> ScreenHost::Problems() {
  const SendOffRun run(*container_);
  container_->SetSendOffInteractive(false);
  std::vector<Problem> problems;
  RunRefusable([&] {
    for (const ScreenPtr& screen : screens_) screen->CollectProblems(problems);
    const std::string month = container_->CurrentH_HomeMonthlyStatsID();
    if (months_ && !month.empty()) {
      for (const RegionQuestion& question : months_->Questions(std::stoll(month)))
        problems.push_back(RegionProblem(question));
    }
  });
  return problems;
}

Problem ScreenHost::RegionProblem(const RegionQuestion& question) const {
  const QuestionSubject& subject = question.subject;
  std::string message = question.text + " (asked by " + question.asked_by + " on " + StampText(question.asked_at);
  if (!question.replies.empty()) {
    const QuestionReply& last = question.replies.back();
    message += "; replied by " + last.who + " on " + StampText(last.when) + ": " + last.text;
  }
  Problem problem{.record_key = subject.record_key,
                  .record = subject.record.empty() ? "the month" : subject.record,
                  .field = subject.field,
                  .message = message + ")",
                  .region_question = question.number};
  if (const ScreenForm* screen = Find(subject.table.empty() ? "setup" : subject.table)) {
    problem.screen_key = screen->Key();
    problem.screen = screen->Caption();
    problem.tag = screen->FieldTag(subject.field);
  }
  return problem;
}

void ScreenHost::AddToReport(MonthReport& report) {
  for (const ScreenPtr& screen : screens_) screen->Perform([&] { screen->AddToReport(report); });
}

void ScreenHost::Open(const Problem& problem) {
  // A question of the region is asked on a filed month, whose records are put right once it is
  // reopened: until then it opens on TRF Setup, where the month is reopened.
  if (problem.region_question != 0 && container_->CurrentStatStatus() != kw::kStatStatusActive) {
    if (Go("setup")) {
      events_.Notice(*current_, "question " + std::to_string(problem.region_question) +
                                    " from the region is on the filed month: reopen it here to put " + problem.record +
                                    (problem.field.empty() ? "" : ", " + problem.field) +
                                    " right, or answer the question in words");
    }
    return;
  }
  if (!Go(problem.screen_key)) throw ScreenRefusal("stayed where you were: " + problem.screen + " could not be shown");
  Perform([&](ScreenForm& screen) { screen.OpenRecord(problem.record_key, problem.tag); });
}

void ScreenHost::Describe(ScreenView& view) const {
  if (!current_) return;
  current_->Describe(view);
  view.context.data_read_only = data_read_only_;
  for (const CommandButton& button : container_->Bar().Buttons()) {
    if (button.style != kw::kButtonSeparator)
      view.allows.commands.push_back({button.key, button.caption, button.enabled, button.value != 0});
  }
  view.allows.send_off = !view.context.month_id.empty() && view.context.month_status == kw::kStatStatusActive;
  if (data_read_only_) view.allows.add = view.allows.remove = view.allows.save = false;
}

void ScreenHost::ChooseMonth(const HomeChoice& home, const MonthChoice& month) {
  if (!LeaveCurrent()) throw ScreenRefusal("stayed where you were: the current screen could not be left");
  container_->CurrentH_HomesID(std::to_string(home.key));
  container_->CurrentHomeNum(home.number);
  container_->CurrentH_HomeMonthlyStatsID(std::to_string(month.key));
  container_->CurrentStatStatus(static_cast<uint8_t>(month.status));
  container_->CurrentHU_TrfTypesCD(month.trf_type);
  container_->CurrentTrfType(month.trf_type);
  container_->CurrentTRFDate(month.date);
}

bool ScreenHost::LeaveCurrent() {
  if (!current_) return true;
  bool left = false;
  RunRefusable([&] { left = current_->Leave(); }, [this] { current_->Recover(); });
  if (!left) return false;
  current_.reset();
  return true;
}

}  // namespace trf
