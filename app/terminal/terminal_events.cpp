// The screens' events as transcript lines.
#include "app/terminal/terminal_events.h"

#include "app/screens/screen_form.h"

namespace trf {

void TerminalEvents::Notice(const ScreenForm&, const std::string& text) { transcript_.Line(text); }

void TerminalEvents::Stayed(const ScreenForm& screen) { transcript_.Line("stayed on " + screen.Caption()); }

void TerminalEvents::Redirected(const std::string& form_key, const ScreenForm* target) {
  if (!target) return transcript_.Line("redirected to " + form_key);
  transcript_.Line("redirected to " +
                   (transcript_.Verbose() ? form_key + " (" + target->Caption() + ")" : target->Caption()));
}

void TerminalEvents::CouldNotOpen(const ScreenForm& target) { transcript_.Line("could not open " + target.Caption()); }

void TerminalEvents::SendOffStopped(const ScreenForm& screen) {
  transcript_.Line("send-off stopped on " + screen.Caption());
}

void TerminalEvents::SendOffResult(bool passed) { transcript_.Line(passed ? "send-off passed" : "send-off refused"); }

void TerminalEvents::Busy(bool busy) {
  if (busy && transcript_.Verbose()) transcript_.Line("[busy]");
}

}  // namespace trf
