// NotesScreen: the notes of the current home month in a rich-text box. While the screen is shown
// the RtfController's formatting toolbar stands on the container's command bar (added when the
// screen is activated, taken off when it is left); the box's focus and selection drive the
// buttons, and the buttons format the selection. The notes are stored as RTF for the month, so
// their formatting survives.
#pragma once

#include <memory>
#include <string>

#include "app/screens/screen_form.h"
#include "ui_shared/rtf/rtf_controller.h"
#include "widgets/rich_text_box.h"

namespace trf {

class NotesScreen : public ScreenForm, public kw::RichTextBoxEvents {
 public:
  NotesScreen();
  std::string Help() const override;
  void Describe(ScreenView& view) override;
  // `select <n>`: selects paragraph n.
  void Select(int paragraph) override;
  // `set selection <start> <length>`: selects `length` characters from character `start` (0-based).
  void SetField(const std::string& field, const std::string& value) override;
  // Types over the selection, in its formatting; a backslash followed by "n" breaks the paragraph.
  void TypeText(const std::string& text) override;
  // Stores the notes of the month.
  void SaveScreen() override;

  // Reloads the notes when they are out of date, then puts the toolbar on the bar and gives the
  // box the focus, the buttons showing the formatting at the caret.
  bool EveryOnActivate(kw::ActiveParams& params) override;
  // Stores the notes, takes the box's focus and the toolbar away.
  bool DeactivateLocal() override;
  // Notes are free text: always ready; the screen says so.
  bool ValidateForSendoff(bool blnDisableMessages = false) override;

  // The box's events, handed to the toolbar's controller.
  void GotFocus() override { controller_->GotFocus(); }
  void LostFocus() override { controller_->LostFocus(); }
  void SelChange() override { controller_->SelChange(); }

  const kw::RichTextBoxPtr& Box() const { return box_; }

 protected:
  void OnLoad() override;
  // Shows the stored notes of the current month.
  void Reload() override;

 private:
  // Writes the box's RTF for the month the notes were loaded for.
  void StoreNotes();

  kw::RichTextBoxPtr box_;
  kw::RtfControllerPtr controller_;
  std::string loaded_month_;
};

}  // namespace trf
