// TerminalEvents: what the screens and their host say, written as transcript lines ("stayed on
// Residents", "redirected to Our Home"; with --verbose the form key and "[busy]" too), the lines
// scripts and the tour expect.
#pragma once

#include "app/screens/screen_events.h"
#include "app/terminal/transcript.h"

namespace trf {

class TerminalEvents : public ScreenEvents {
 public:
  explicit TerminalEvents(Transcript& transcript) : transcript_(transcript) {}
  void Notice(const ScreenForm& screen, const std::string& text) override;
  void Stayed(const ScreenForm& screen) override;
  void Redirected(const std::string& form_key, const ScreenForm* target) override;
  void CouldNotOpen(const ScreenForm& target) override;
  void SendOffStopped(const ScreenForm& screen) override;
  void SendOffResult(bool passed) override;
  void Busy(bool busy) override;

 private:
  Transcript& transcript_;
};

}  // namespace trf
