// What a screen may offer beyond the typed operations every screen has: editing formatted notes and
// setting up the months. A front end asks a screen for each (ScreenForm::NotesEditing,
// ScreenForm::MonthSetup) and offers what it gets, never reaching a screen by its class.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/data/month_filing.h"

namespace trf {

// Formatted notes edited as a person does in a rich-text box: a selection, typing over it, pasting.
class NotesEditing {
 public:
  // Selects paragraph `paragraph` (1-based).
  virtual void SelectParagraph(int paragraph) = 0;
  // Selects `length` characters from character `start` (0-based).
  virtual void SetSelection(int32_t start, int32_t length) = 0;
  // Types `text` over the selection, in its formatting; a line feed in it breaks the paragraph.
  virtual void InsertText(const std::string& text) = 0;
  // Pastes rich text over the selection, its formatting kept; the caret ends after it.
  virtual void InsertRtf(const std::string& rtf) = 0;

 protected:
  ~NotesEditing() = default;
};

// The months of the current home set up: a filed month reopened for a reason.
class MonthSetup {
 public:
  // Reopens the current month, which was filed, for `reason` (kept on record with who and when);
  // a ScreenRefusal when the current month is not filed or the reason is blank.
  virtual void ReopenFiled(const std::string& reason) = 0;
  // The filing in force for the current month: who filed it and when; nothing while it is open.
  virtual std::optional<Filing> CurrentFiling() = 0;

 protected:
  ~MonthSetup() = default;
};

}  // namespace trf
