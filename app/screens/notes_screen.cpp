// The notes screen: rich text, its toolbar and its storage.
#include "app/screens/notes_screen.h"

#include "app/business/rule_numbers.h"
#include "app/data/monthly_notes.h"
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/error.h"

namespace trf {

NotesScreen::NotesScreen(std::shared_ptr<Database> database)
    : ScreenForm("KW_UI01____FRM_H_Notes", "notes", "Notes", kw::icDependsOnMonth), database_(std::move(database)) {}

std::string NotesScreen::Purpose() const {
  return "Notes of the month, in rich text with the formatting toolbar. Leaving the screen stores the notes.";
}

void NotesScreen::OnLoad() {
  box_ = std::make_shared<kw::RichTextBox>();
  box_->Listener(std::dynamic_pointer_cast<kw::RichTextBoxEvents>(shared_from_this()));
  controller_ = kw::CreateObjectAs<kw::RtfController>(kw::class_ids::kRtfController);
  controller_->RtfControl(box_);
}

void NotesScreen::Reload() {
  loaded_month_ = Shared()->CurrentH_HomeMonthlyStatsID();
  const StoredNotes stored = MonthlyNotes(database_).Read(loaded_month_);
  box_->TextRTF(stored.rtf);
  stored_rtf_ = box_->TextRTF();
  stored_version_ = stored.version;
}

bool NotesScreen::EveryOnActivate(kw::ActiveParams& params) {
  ScreenForm::EveryOnActivate(params);
  controller_->AddRemoveCommandButtons(false);
  box_->SetFocus();
  controller_->SelChange();
  return true;
}

void NotesScreen::StoreNotes() {
  const std::string rtf = box_->TextRTF();
  if (loaded_month_.empty() || rtf == stored_rtf_) return;
  if (!MonthlyNotes(database_).Store(loaded_month_, rtf, stored_version_))
    kw::Raise(rule_numbers::kRecordChanged, Key(),
              "The notes of this month were changed in the database after they were read here (by another "
              "session or program). Nothing was saved and your text is still here: copy what you want to keep, "
              "then read the stored notes afresh.");
  stored_rtf_ = rtf;
  ++stored_version_;
}

bool NotesScreen::DeactivateLocal() {
  StoreNotes();
  box_->KillFocus();
  controller_->AddRemoveCommandButtons(true);
  return true;
}

void NotesScreen::SaveScreen() {
  StoreNotes();
  Say("notes saved");
}

bool NotesScreen::ValidateForSendoff(bool) {
  Say(Title() + ": ready for send-off (free text, nothing to check)");
  return true;
}

void NotesScreen::UndoEdits() {
  Reload();
  controller_->SelChange();
  Say("the unsaved edits were discarded");
}

void NotesScreen::Describe(ScreenView& view) {
  ScreenForm::Describe(view);
  view.rich_text = box_;
  view.allows.save = !database_->ReadOnly() && !loaded_month_.empty() && box_->TextRTF() != stored_rtf_;
  view.allows.undo = true;
}

void NotesScreen::SelectParagraph(int paragraph) {
  const kw::rich_text::Document& document = box_->Document();
  if (paragraph < 1 || static_cast<size_t>(paragraph) > document.ParagraphCount())
    throw ScreenRefusal("there is no paragraph " + std::to_string(paragraph) + "; the notes have " +
                        std::to_string(document.ParagraphCount()));
  // Positions count characters, as the box does: a paragraph starts after the break before it.
  size_t start = 0;
  for (int p = 1; p < paragraph; ++p) {
    while (document.At(start) != kw::rich_text::kParagraphBreak) ++start;
    ++start;
  }
  size_t end = start;
  while (end < document.Length() && document.At(end) != kw::rich_text::kParagraphBreak) ++end;
  box_->SelStart(static_cast<int32_t>(start));
  box_->SelLength(static_cast<int32_t>(end - start));
}

void NotesScreen::SetSelection(int32_t start, int32_t length) {
  if (start < 0 || length < 0) throw ScreenRefusal("a selection starts at 0 or later and is 0 or more long");
  box_->SelStart(start);
  box_->SelLength(length);
}

void NotesScreen::InsertText(const std::string& text) { box_->SelText(text); }

void NotesScreen::InsertRtf(const std::string& rtf) {
  kw::RichTextBox pasted;
  pasted.TextRTF(rtf);
  const std::vector<kw::rich_text::Paragraph> paragraphs = pasted.Document().Paragraphs();
  const int32_t start = box_->SelStart();
  box_->SelText(pasted.Text());
  int32_t at = start;
  for (const kw::rich_text::Paragraph& paragraph : paragraphs) {
    const int32_t paragraph_start = at;
    for (const kw::rich_text::Run& run : paragraph.runs) {
      SetSelection(at, static_cast<int32_t>(run.text.size()));
      box_->SelBold(run.format.bold);
      box_->SelItalic(run.format.italic);
      box_->SelUnderline(run.format.underline);
      box_->SelColor(run.format.color);
      at += static_cast<int32_t>(run.text.size());
    }
    if (paragraphs.size() > 1) {
      SetSelection(paragraph_start, at - paragraph_start);
      box_->SelAlignment(paragraph.format.alignment);
      box_->SelBullet(paragraph.format.bullet);
    }
    ++at;  // the paragraph break
  }
  SetSelection(at - 1, 0);
}

}  // namespace trf
