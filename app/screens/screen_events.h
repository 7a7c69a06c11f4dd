// ScreenEvents: what screens and their host tell the front end that shows them. The terminal writes
// each event as a transcript line; a desktop front end shows a status message or a dialog. Nothing
// here is formatted for one front end: the texts are sentences for a person.
#pragma once

#include <string>

namespace trf {

class ScreenForm;

class ScreenEvents {
 public:
  virtual ~ScreenEvents() = default;

  // A short message of `screen` to the person: "record saved", "current home: 1 Maple House".
  virtual void Notice(const ScreenForm& screen, const std::string& text) = 0;
  // Leaving `screen` was refused (its changes could not be kept): the person stays on it.
  virtual void Stayed(const ScreenForm& screen) = 0;
  // Opening another screen needs the home or the month first: the library sends the person to the
  // screen of `form_key` (`target`, nullptr when the host has no such screen).
  virtual void Redirected(const std::string& form_key, const ScreenForm* target) = 0;
  // `target` could not be opened; the person stays where they were.
  virtual void CouldNotOpen(const ScreenForm& target) = 0;
  // The send-off check stopped on `screen`, which is now checked again with its messages.
  virtual void SendOffStopped(const ScreenForm& screen) = 0;
  // The send-off check is over: every screen passed, or one refused.
  virtual void SendOffResult(bool passed) = 0;
  // Work that takes time has started (the pointer became the hourglass) or ended.
  virtual void Busy(bool busy) = 0;
  // The person left the field `field` (the word it goes by; `caption` for a person) and its checks
  // passed or refused its value. By default a notice that names the field by its word: "fee refused".
  virtual void FieldChecked(const ScreenForm& screen, const std::string& field, const std::string& /*caption*/,
                            bool passed) {
    Notice(screen, field + (passed ? " accepted" : " refused"));
  }

  // ---- What changed on a screen, so that a front end redraws only that. Rows are 0-based rows of
  // the screen's list, read afterwards through ScreenForm::ListRows and ListCell. A front end that
  // draws everything anew after each operation needs none of these. ----

  // The list was read afresh: any row of it may have changed.
  virtual void ListReset(const ScreenForm& /*screen*/) {}
  virtual void RowsInserted(const ScreenForm& /*screen*/, int /*first*/, int /*count*/) {}
  virtual void RowsRemoved(const ScreenForm& /*screen*/, int /*first*/, int /*count*/) {}
  virtual void RowsChanged(const ScreenForm& /*screen*/, int /*first*/, int /*count*/) {}
  // The list's selection is now on `row` (-1: none).
  virtual void SelectionMoved(const ScreenForm& /*screen*/, int /*row*/) {}
  // The fields show other values or states: another record, a check that ran, the focus that moved.
  virtual void FieldsChanged(const ScreenForm& /*screen*/) {}
};

// The listener that hears nothing: for a screen that is not loaded, and for a host without a
// front end (a report made from the command line).
class NoScreenEvents final : public ScreenEvents {
 public:
  void Notice(const ScreenForm&, const std::string&) override {}
  void Stayed(const ScreenForm&) override {}
  void Redirected(const std::string&, const ScreenForm*) override {}
  void CouldNotOpen(const ScreenForm&) override {}
  void SendOffStopped(const ScreenForm&) override {}
  void SendOffResult(bool) override {}
  void Busy(bool) override {}
};

}  // namespace trf
