// NotesEditor: the notes as a rich-text editor. It draws the headless rich-text box (its runs,
// paragraph alignments, bullets and selection), and hands what the person does back to the screen:
// every move of the caret or the selection, every typed, composed (input method), pasted or deleted
// text. The box stays the source of truth: the editor never changes its own text; it draws again
// only the paragraphs of the box that changed since it last drew them. Rich text pasted from other
// programs goes through the box's RTF reader; a copy puts RTF and plain text on the clipboard.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <QColor>
#include <QTextEdit>

#include "widgets/rich_text_box.h"

namespace trf::desktop {

class NotesEditor : public QTextEdit {
 public:
  // What the editor hands on: a selection in characters, and text typed over the selection ("\n"
  // breaks the paragraph, "" deletes the selection).
  struct Actions {
    std::function<void(int32_t start, int32_t length)> select;
    std::function<void(const std::string& text)> type;
    std::function<void(const std::string& rtf)> paste_rtf;
  };
  NotesEditor(Actions actions, QWidget* parent);

  // Draws the box: the paragraphs that changed since the last drawing, and its selection.
  void Show(kw::RichTextBoxPtr shown);
  // How many paragraphs were drawn since the editor was made: a measure of the work of a change.
  int ParagraphsDrawn() const { return paragraphs_drawn_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  QMimeData* createMimeDataFromSelection() const override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  // Draws the paragraphs of `paragraphs` that differ from those drawn last (all of them when
  // `everything`), in place of the blocks that showed the old ones.
  void Render(const std::vector<kw::rich_text::Paragraph>& paragraphs, bool everything);
  // Hands the editor's selection to the screen when it moved.
  void ForwardSelection();
  void Type(const QString& text);
  // The selection to delete for Backspace (`forward` false) or Delete: the selection, else one
  // character beside the caret; false when there is nothing to delete.
  bool SelectForDeletion(bool forward);

  Actions actions_;
  kw::RichTextBoxPtr box_;
  // The paragraphs as last drawn, one per block of the document.
  std::vector<kw::rich_text::Paragraph> drawn_;
  int paragraphs_drawn_ = 0;
  bool rendering_ = false;
  int32_t sent_start_ = -1;
  int32_t sent_length_ = -1;
};

// How the selection is formatted, a property to a phrase: "Selection: bold mixed, italic off, ...,
// colour black, ..."; with `swatch`, as rich text with a swatch of the colour before its name.
QString SelectionSummary(const kw::RichTextBox& box, bool swatch = false);
// The name of a colour ("black", "firebrick"), or its hexadecimal code when it has none.
QString ColourName(const QColor& colour);
// The selection of `box` as RTF of its own, formats kept.
std::string SelectionRtf(const kw::RichTextBox& box);

}  // namespace trf::desktop
