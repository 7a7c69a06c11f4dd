// NotesScreen: the notes of the current home month in a rich-text box. While the screen is shown
// the RtfController's formatting toolbar stands on the container's command bar (added when the
// screen is activated, taken off when it is left); the box's focus and selection drive the
// buttons, and the buttons format the selection. The notes are stored as RTF for the month, so
// their formatting survives.
#pragma once

#include <memory>
#include <string>

#include "app/data/database.h"
#include "app/screens/screen_form.h"
#include "ui_shared/rtf/rtf_controller.h"
#include "widgets/rich_text_box.h"

namespace trf {

class NotesScreen : public ScreenForm, public NotesEditing, public kw::RichTextBoxEvents {
 public:
  explicit NotesScreen(std::shared_ptr<Database> database);
  std::string Purpose() const override;
  // The context and the rich-text box.
  void Describe(ScreenView& view) override;
  NotesEditing* Notes() override { return this; }
  void SelectParagraph(int paragraph) override;
  void SetSelection(int32_t start, int32_t length) override;
  void InsertText(const std::string& text) override;
  // `rtf` goes through the box's RTF reader, and its text comes in with its own character formats
  // (and, when it holds more than one paragraph, their alignment and bullets).
  void InsertRtf(const std::string& rtf) override;
  // Stores the notes of the month; refused when someone else stored theirs since they were read.
  void SaveScreen() override;
  // Shows the stored notes again, dropping what was typed since they were last stored.
  void UndoEdits() override;

  // Reloads the notes when they are out of date, then puts the toolbar on the bar and gives the
  // box the focus, the buttons showing the formatting at the caret.
  bool EveryOnActivate(kw::ActiveParams& params) override;
  // Stores the notes, takes the box's focus and the toolbar away; the screen stays when the notes
  // could not be stored.
  bool DeactivateLocal() override;
  // The notes of the current month, paragraph by paragraph with their formatting
  // (notes_screen_report.cpp).
  void AddToReport(MonthReport& report) override;
  // Notes are free text: always ready; the screen says so.
  bool ValidateForSendoff(bool quiet = false) override;

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
  // Writes the box's RTF for the month the notes were loaded for, when it changed since it was
  // read or stored; raises rule_numbers::kRecordChanged, writing nothing, when the stored notes
  // changed in the meantime.
  void StoreNotes();

  std::shared_ptr<Database> database_;
  kw::RichTextBoxPtr box_;
  kw::RtfControllerPtr controller_;
  std::string loaded_month_;
  // The notes as last read or stored (as the box writes them), and the version of their row.
  std::string stored_rtf_;
  int64_t stored_version_ = 0;
};

}  // namespace trf
