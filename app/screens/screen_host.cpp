// Screen lookup, navigation with deactivation and redirects, and the send-off run.
#include "app/screens/screen_host.h"

namespace trf {
namespace {

// Redirects followed in a row before the host gives up (home -> setup -> home would loop).
constexpr int kMaxRedirects = 3;

}  // namespace

ScreenHost::ScreenHost(std::shared_ptr<ScreenContainer> container, Transcript& transcript)
    : container_(std::move(container)), transcript_(transcript) {
  container_->SetNavigator([this](const std::string& key, kw::ActiveParams& params) { Show(key, params); });
}

ScreenHost::~ScreenHost() {
  container_->SetNavigator(nullptr);
  current_.reset();
  for (const ScreenPtr& screen : screens_) screen->Unload();
}

void ScreenHost::Add(ScreenPtr screen) {
  screen->Load(transcript_);
  screens_.push_back(std::move(screen));
}

ScreenForm* ScreenHost::Find(const std::string& name_or_key) const {
  for (const ScreenPtr& screen : screens_)
    if (screen->Name() == name_or_key || screen->Key() == name_or_key) return screen.get();
  return nullptr;
}

ScreenForm& ScreenHost::RequireCurrent() const {
  if (!current_) throw ScreenCommandError("no screen is shown yet; try: go home");
  return *current_;
}

bool ScreenHost::Go(const std::string& name_or_key) {
  const ScreenForm* target = Find(name_or_key);
  if (!target) {
    std::string names;
    for (const ScreenPtr& screen : screens_) names += (names.empty() ? "" : ", ") + screen->Name();
    throw ScreenCommandError("no screen \"" + name_or_key + "\"; the screens are: " + names);
  }
  // Already there: showing the screen again must not reload it over the user's unsaved edits.
  if (current_.get() == target) return true;
  kw::ActiveParams params;
  params.FormKey = target->Key();
  redirects_ = 0;
  container_->NavigateToForm(kw::Variant::Text(target->Key()), params);
  return current_.get() == target;
}

void ScreenHost::Show(const std::string& key, kw::ActiveParams& params) {
  ScreenPtr target;
  for (const ScreenPtr& screen : screens_)
    if (screen->Key() == key) target = screen;
  if (!target) throw ScreenCommandError("no screen with the key \"" + key + "\"");
  const ScreenPtr previous = current_;
  if (previous && previous != target) {
    if (!previous->Leave()) {
      container_->CurrentFormKey(previous->Key());
      transcript_.Line("stayed on " + previous->Title());
      return;
    }
    current_.reset();
  }
  if (target->Enter(params)) {
    current_ = target;
    container_->CurrentFormKey(target->Key());
    return;
  }
  if (!params.GotoFormKey.empty() && params.GotoFormKey != key && redirects_ < kMaxRedirects) {
    ++redirects_;
    kw::ActiveParams redirected;
    redirected.FormKey = params.GotoFormKey;
    ScreenForm* next = Find(params.GotoFormKey);
    transcript_.Line("redirected to " + params.GotoFormKey + (next ? " (" + next->Title() + ")" : std::string()));
    container_->NavigateToForm(kw::Variant::Text(params.GotoFormKey), redirected);
    return;
  }
  // Refused without a way on: back where the user was.
  if (previous && previous != target) {
    kw::ActiveParams again;
    if (previous->Enter(again)) current_ = previous;
  }
  transcript_.Line("could not open " + target->Title());
  if (current_) container_->CurrentFormKey(current_->Key());
}

bool ScreenHost::SendOff() {
  // The container's send-off flags are on for the run only, however it ends.
  struct SendOffRun {
    explicit SendOffRun(ScreenContainer& c) : container(c) { container.SendOffValidationMode(true); }
    ~SendOffRun() {
      container.SendOffValidationMode(false);
      container.SetSendOffInteractive(false);
    }
    SendOffRun(const SendOffRun&) = delete;
    SendOffRun& operator=(const SendOffRun&) = delete;
    ScreenContainer& container;
  } run(*container_);
  bool passed = true;
  for (const ScreenPtr& screen : screens_) {
    container_->SetSendOffInteractive(false);
    if (screen->ValidateForSendoff(true)) continue;
    transcript_.Line("send-off stopped on " + screen->Title());
    container_->SetSendOffInteractive(true);
    if (current_ != screen) Go(screen->Key());
    passed = current_ == screen && screen->ValidateForSendoff(false);
    if (!passed) break;
  }
  transcript_.Line(passed ? "send-off passed" : "send-off refused");
  return passed;
}

}  // namespace trf
