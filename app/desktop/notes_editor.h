// NotesEditor: the notes as a rich-text editor. It draws the headless rich-text box (its runs,
// paragraph alignments, bullets and selection), and hands what the person does back to the screen:
// every move of the caret or the selection, and every typed, pasted or deleted text. The box stays
// the source of truth: the editor never changes its own text, it shows the box again.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

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
  };
  NotesEditor(Actions actions, QWidget* parent);

  // Draws the box: its content when it changed since the last drawing, and its selection.
  void Show(kw::RichTextBoxPtr shown);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  void Render(const kw::RichTextBox& box);
  // Hands the editor's selection to the screen when it moved.
  void ForwardSelection();
  void Type(const QString& text);
  // The selection to delete for Backspace (`forward` false) or Delete: the selection, else one
  // character beside the caret; false when there is nothing to delete.
  bool SelectForDeletion(bool forward);

  Actions actions_;
  kw::RichTextBoxPtr box_;
  std::string shown_rtf_;
  bool rendering_ = false;
  int32_t sent_start_ = -1;
  int32_t sent_length_ = -1;
};

// How the selection is formatted, a property to a phrase: "Bold: mixed, Italic: off, ...".
QString SelectionSummary(const kw::RichTextBox& box);

}  // namespace trf::desktop
