// The notes screen: rich text, its toolbar and its storage.
#include "app/screens/notes_screen.h"

#include <charconv>
#include <cstdio>

#include "app/data/monthly_notes.h"
#include "app/siblings/siblings.h"
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"

namespace trf {
namespace {

// The notes store of the application's database.
MonthlyNotes Notes() { return MonthlyNotes(kw::Service<AppDatabase>::Get().database); }

// The formats of a run as the screen names them: "bold, italic, colour #C80000"; "" for plain.
std::string FormatNames(const kw::rich_text::CharFormat& format) {
  std::string names;
  auto add = [&names](const std::string& name) { names += (names.empty() ? "" : ", ") + name; };
  if (format.bold) add("bold");
  if (format.italic) add("italic");
  if (format.underline) add("underline");
  if (format.color != 0) {
    char colour[8];
    std::snprintf(colour, sizeof colour, "%02X%02X%02X", format.color & 0xFFu, (format.color >> 8) & 0xFFu,
                  (format.color >> 16) & 0xFFu);
    add(std::string("colour #") + colour);
  }
  return names;
}

// One paragraph of the document as a line: a bullet, the runs with their formats in brackets
// ("plain [bold: word]"), and the alignment when it is not left.
std::string ParagraphLine(const kw::rich_text::Document& document, size_t first, size_t end, size_t paragraph) {
  const kw::rich_text::ParagraphFormat& format = document.FormatOfParagraph(paragraph);
  std::string line = format.bullet ? "  * " : "    ";
  size_t run = first;
  while (run < end) {
    size_t next = run + 1;
    while (next < end && document.FormatAt(next) == document.FormatAt(run)) ++next;
    const std::string text = document.Text(run, next - run);
    const std::string names = FormatNames(document.FormatAt(run));
    line += names.empty() ? text : "[" + names + ": " + text + "]";
    run = next;
  }
  if (format.alignment == kw::rich_text::kAlignCenter) line += "   (centred)";
  if (format.alignment == kw::rich_text::kAlignRight) line += "   (right)";
  return line;
}

// A whole number of `text` from 0; a ScreenCommandError naming `what` otherwise.
int32_t ParseCount(const std::string& text, const std::string& what) {
  int32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || number < 0)
    throw ScreenCommandError(what + " must be a whole number from 0, not \"" + text + "\"");
  return number;
}

}  // namespace

NotesScreen::NotesScreen() : ScreenForm("KW_UI01____FRM_H_Notes", "notes", "Notes", kw::icDependsOnMonth) {}

std::string NotesScreen::Help() const {
  return "Notes of the month: type <text> (over the selection; \\n in the text breaks the paragraph); select <n> (paragraph n); set selection <start> "
         "<length>; click BoldClick|ItalicClick|UnderlineClick|ColorChangeClick|AlignLeftClick|AlignCenterClick|"
         "AlignRightClick|BulletsClick; save. Leaving the screen stores the notes.";
}

void NotesScreen::OnLoad() {
  box_ = std::make_shared<kw::RichTextBox>();
  box_->Listener(std::dynamic_pointer_cast<kw::RichTextBoxEvents>(shared_from_this()));
  controller_ = kw::CreateObjectAs<kw::RtfController>(kw::class_ids::kRtfController);
  controller_->RtfControl(box_);
}

void NotesScreen::Reload() {
  loaded_month_ = Shared()->CurrentH_HomeMonthlyStatsID();
  box_->TextRTF(Notes().Load(loaded_month_));
}

bool NotesScreen::EveryOnActivate(kw::ActiveParams& params) {
  ScreenForm::EveryOnActivate(params);
  controller_->AddRemoveCommandButtons(false);
  box_->SetFocus();
  controller_->SelChange();
  return true;
}

void NotesScreen::StoreNotes() {
  if (!loaded_month_.empty()) Notes().Store(loaded_month_, box_->TextRTF());
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

void NotesScreen::Describe(ScreenView& view) {
  const kw::rich_text::Document& document = box_->Document();
  view.lines.push_back("selection: start " + std::to_string(box_->SelStart()) + ", length " +
                       std::to_string(box_->SelLength()) + " \"" + box_->SelText() + "\"");
  if (document.Length() == 0) {
    view.lines.push_back("    (no notes yet)");
    return;
  }
  size_t first = 0;
  size_t paragraph = 0;
  for (size_t i = 0; i <= document.Length(); ++i) {
    if (i < document.Length() && document.At(i) != kw::rich_text::kParagraphBreak) continue;
    view.lines.push_back(ParagraphLine(document, first, i, paragraph++));
    first = i + 1;
  }
}

void NotesScreen::Select(int paragraph) {
  const kw::rich_text::Document& document = box_->Document();
  if (static_cast<size_t>(paragraph) > document.ParagraphCount())
    throw ScreenCommandError("no paragraph " + std::to_string(paragraph) + "; the notes have " +
                             std::to_string(document.ParagraphCount()));
  size_t start = 0;
  for (int p = 1; p < paragraph; ++p) start = document.Text().find('\n', start) + 1;
  size_t end = start;
  while (end < document.Length() && document.At(end) != kw::rich_text::kParagraphBreak) ++end;
  box_->SelStart(static_cast<int32_t>(start));
  box_->SelLength(static_cast<int32_t>(end - start));
}

void NotesScreen::SetField(const std::string& field, const std::string& value) {
  if (field != "selection")
    throw ScreenCommandError("the notes have one field, \"selection\": set selection <start> <length>");
  const size_t blank = value.find(' ');
  if (blank == std::string::npos) throw ScreenCommandError("set selection takes a start and a length: set selection 6 4");
  const int32_t start = ParseCount(value.substr(0, blank), "the start");
  const int32_t length = ParseCount(value.substr(blank + 1), "the length");
  box_->SelStart(start);
  box_->SelLength(length);
}

void NotesScreen::TypeText(const std::string& text) {
  // A command line holds no line break: a backslash followed by "n" stands for one.
  std::string typed = text;
  for (size_t at = typed.find("\\n"); at != std::string::npos; at = typed.find("\\n", at + 1))
    typed.replace(at, 2, "\n");
  box_->SelText(typed);
}

}  // namespace trf
