// Drawing the rich-text box in a QTextEdit and forwarding the person's edits.
#include "app/desktop/notes_editor.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>

#include "app/desktop/html_to_rtf.h"
#include "app/desktop/qt_colors.h"

namespace trf::desktop {
namespace {

namespace rt = kw::rich_text;

// The editor counts UTF-16 units, the box code points; the two differ past a character beyond the
// basic plane.
int ToUtf16(const QString& plain, int32_t code_points) {
  int at = 0;
  for (int32_t n = 0; n < code_points && at < plain.size(); ++n) at += plain.at(at).isHighSurrogate() ? 2 : 1;
  return at;
}

int32_t ToCodePoints(const QString& plain, int utf16) {
  int32_t points = 0;
  for (int at = 0; at < utf16 && at < plain.size(); at += plain.at(at).isHighSurrogate() ? 2 : 1) ++points;
  return points;
}

QTextCharFormat QtFormat(const rt::CharFormat& format) {
  QTextCharFormat qt;
  qt.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
  qt.setFontItalic(format.italic);
  qt.setFontUnderline(format.underline);
  qt.setForeground(ToQColor(format.color));
  return qt;
}

Qt::Alignment QtAlignment(int16_t alignment) {
  if (alignment == rt::kAlignCenter) return Qt::AlignHCenter;
  if (alignment == rt::kAlignRight) return Qt::AlignRight;
  return Qt::AlignLeft;
}

bool SameParagraph(const rt::Paragraph& a, const rt::Paragraph& b) {
  if (!(a.format == b.format) || a.runs.size() != b.runs.size()) return false;
  for (size_t r = 0; r < a.runs.size(); ++r)
    if (a.runs[r].text != b.runs[r].text || !(a.runs[r].format == b.runs[r].format)) return false;
  return true;
}

// The clipboard's names for RTF.
const QStringList kRtfTypes = {QStringLiteral("text/rtf"), QStringLiteral("application/rtf")};

template <class T>
QString Phrase(const std::optional<T>& value, const std::function<QString(T)>& name) {
  return value ? name(*value) : QObject::tr("mixed");
}

}  // namespace

NotesEditor::NotesEditor(Actions actions, QWidget* parent) : QTextEdit(parent), actions_(std::move(actions)) {
  setObjectName("notes");
  setAccessibleName(tr("Notes of the month"));
  setTabChangesFocus(true);
  setUndoRedoEnabled(false);
  setAcceptDrops(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  connect(this, &QTextEdit::cursorPositionChanged, this, [this] { ForwardSelection(); });
  connect(this, &QTextEdit::selectionChanged, this, [this] { ForwardSelection(); });
}

void NotesEditor::Show(kw::RichTextBoxPtr shown) {
  const bool another_box = shown != box_;
  box_ = std::move(shown);
  const kw::RichTextBox& box = *box_;
  Render(box.Document().Paragraphs(), another_box);
  // The box's selection is the one the screen knows: moving to it again is no move.
  sent_start_ = box.SelStart();
  sent_length_ = box.SelLength();
  const QString plain = toPlainText();
  const int anchor = ToUtf16(plain, box.SelStart());
  const int position = ToUtf16(plain, box.SelStart() + box.SelLength());
  QTextCursor cursor = textCursor();
  if (std::min(cursor.anchor(), cursor.position()) == anchor &&
      std::max(cursor.anchor(), cursor.position()) == position)
    return;
  rendering_ = true;
  cursor.setPosition(anchor);
  cursor.setPosition(position, QTextCursor::KeepAnchor);
  setTextCursor(cursor);
  rendering_ = false;
}

void NotesEditor::Render(const std::vector<rt::Paragraph>& paragraphs, bool everything) {
  if (paragraphs.empty()) {  // an empty box is one empty paragraph, as the document's one block
    Render({rt::Paragraph{}}, everything);
    return;
  }
  const int blocks = document()->blockCount();
  const int wanted = static_cast<int>(paragraphs.size());
  if (everything || static_cast<int>(drawn_.size()) != blocks) drawn_.clear();
  const int drawn = static_cast<int>(drawn_.size());
  // The paragraphs alike at the start and at the end stay as they are drawn; the rest is replaced.
  int first = 0;
  while (first < drawn && first < wanted && SameParagraph(drawn_[first], paragraphs[first])) ++first;
  int alike_at_end = 0;
  while (alike_at_end < drawn - first && alike_at_end < wanted - first &&
         SameParagraph(drawn_[drawn - 1 - alike_at_end], paragraphs[wanted - 1 - alike_at_end]))
    ++alike_at_end;
  if (!drawn_.empty() && first == drawn && first == wanted) return;
  int old_end = drawn_.empty() ? blocks : drawn - alike_at_end;
  int new_end = wanted - alike_at_end;
  // Both ranges hold a block at least, so that the replaced text has a place: a paragraph put in
  // or taken out takes its neighbour along.
  while (old_end == first || new_end == first) {
    if (old_end < blocks && new_end < wanted) {
      ++old_end;
      ++new_end;
    } else {
      --first;
    }
  }
  rendering_ = true;
  QTextCursor cursor(document());
  cursor.beginEditBlock();
  const QTextBlock last = document()->findBlockByNumber(old_end - 1);
  cursor.setPosition(document()->findBlockByNumber(first).position());
  cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  for (int p = first; p < new_end; ++p) {
    const rt::Paragraph& paragraph = paragraphs[static_cast<size_t>(p)];
    QTextBlockFormat block;
    block.setAlignment(QtAlignment(paragraph.format.alignment));
    if (p > first) cursor.insertBlock(block);
    cursor.setBlockFormat(block);
    if (paragraph.format.bullet) {
      QTextListFormat bullets;
      bullets.setStyle(QTextListFormat::ListDisc);
      cursor.createList(bullets);
    }
    for (const rt::Run& run : paragraph.runs)
      cursor.insertText(QString::fromUcs4(run.text.data(), static_cast<qsizetype>(run.text.size())),
                        QtFormat(run.format));
    ++paragraphs_drawn_;
  }
  cursor.endEditBlock();
  rendering_ = false;
  drawn_ = paragraphs;
}

void NotesEditor::ForwardSelection() {
  if (rendering_) return;
  const QTextCursor cursor = textCursor();
  const QString plain = toPlainText();
  const int32_t start = ToCodePoints(plain, std::min(cursor.anchor(), cursor.position()));
  const int32_t end = ToCodePoints(plain, std::max(cursor.anchor(), cursor.position()));
  if (start == sent_start_ && end - start == sent_length_) return;
  sent_start_ = start;
  sent_length_ = end - start;
  actions_.select(start, end - start);
}

void NotesEditor::Type(const QString& text) {
  ForwardSelection();
  actions_.type(text.toStdString());
}

bool NotesEditor::SelectForDeletion(bool forward) {
  QTextCursor cursor = textCursor();
  if (!cursor.hasSelection()) {
    if (!cursor.movePosition(forward ? QTextCursor::NextCharacter : QTextCursor::PreviousCharacter,
                             QTextCursor::KeepAnchor))
      return false;
    setTextCursor(cursor);
  }
  return true;
}

void NotesEditor::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) return;
  if (event->matches(QKeySequence::Cut)) {
    copy();
    if (textCursor().hasSelection()) Type(QString());
    return;
  }
  if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
    if (SelectForDeletion(event->key() == Qt::Key_Delete)) Type(QString());
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Type(QStringLiteral("\n"));
    return;
  }
  const QString text = event->text();
  const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (!command && !text.isEmpty() && text.at(0).isPrint()) {
    Type(text);
    return;
  }
  // Moving the caret and selecting are the editor's own; anything else that changed the text
  // (a key this editor does not forward) is undone by drawing the box again.
  const int revision = document()->revision();
  QTextEdit::keyPressEvent(event);
  if (document()->revision() != revision && box_) {
    drawn_.clear();
    Show(box_);
  }
}

void NotesEditor::insertFromMimeData(const QMimeData* source) {
  for (const QString& type : kRtfTypes) {
    if (!source->hasFormat(type)) continue;
    ForwardSelection();
    actions_.paste_rtf(source->data(type).toStdString());
    return;
  }
  if (source->hasHtml()) {
    ForwardSelection();
    actions_.paste_rtf(RtfOfHtml(source->html()));
  } else if (source->hasText()) {
    Type(source->text());
  }
}

QMimeData* NotesEditor::createMimeDataFromSelection() const {
  QMimeData* copied = QTextEdit::createMimeDataFromSelection();
  if (box_ && box_->SelLength() > 0) {
    const QByteArray rtf = QByteArray::fromStdString(SelectionRtf(*box_));
    for (const QString& type : kRtfTypes) copied->setData(type, rtf);
  }
  return copied;
}

void NotesEditor::inputMethodEvent(QInputMethodEvent* event) {
  // Composing over a selection replaces it: the box deletes it first.
  if (!event->preeditString().isEmpty() && textCursor().hasSelection()) Type(QString());
  // The text being composed is drawn by the editor beside the caret; only what the input method
  // commits goes into the box, over the characters it replaces.
  QInputMethodEvent composing(event->preeditString(), event->attributes());
  QTextEdit::inputMethodEvent(&composing);
  if (event->commitString().isEmpty()) return;
  if (event->replacementLength() > 0) {
    QTextCursor cursor = textCursor();
    cursor.setPosition(cursor.position() + event->replacementStart());
    cursor.setPosition(cursor.position() + event->replacementLength(), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
  }
  Type(event->commitString());
  event->accept();
}

std::string SelectionRtf(const kw::RichTextBox& box) {
  kw::RichTextBox copy;
  copy.TextRTF(box.TextRTF());
  const int32_t end = box.SelStart() + box.SelLength();
  copy.SelStart(end);
  copy.SelLength(static_cast<int32_t>(copy.Document().Length()) - end);
  copy.SelText("");
  copy.SelStart(0);
  copy.SelLength(box.SelStart());
  copy.SelText("");
  return copy.TextRTF();
}

QString ColourName(const QColor& colour) {
  for (const QString& name : QColor::colorNames())
    if (QColor(name) == colour) return name;
  return colour.name();
}

QString SelectionSummary(const kw::RichTextBox& box, bool swatch) {
  const std::function<QString(bool)> on_off = [](bool on) { return on ? QObject::tr("on") : QObject::tr("off"); };
  const std::function<QString(int16_t)> side = [](int16_t alignment) {
    if (alignment == rt::kAlignCenter) return QObject::tr("centre");
    if (alignment == rt::kAlignRight) return QObject::tr("right");
    return QObject::tr("left");
  };
  // A colour by its name, after a swatch of it when the summary is drawn.
  const std::function<QString(uint32_t)> colour = [swatch](uint32_t value) {
    const QColor shown = ToQColor(value);
    return swatch ? QStringLiteral("<span style=\"background-color:%1; color:%1\">&#9608;&#9608;</span> %2")
                        .arg(shown.name(), ColourName(shown))
                  : ColourName(shown);
  };
  return QObject::tr("Selection: bold %1, italic %2, underline %3, colour %4, alignment %5, bullets %6")
      .arg(Phrase(box.SelBold(), on_off), Phrase(box.SelItalic(), on_off), Phrase(box.SelUnderline(), on_off),
           Phrase(box.SelColor(), colour), Phrase(box.SelAlignment(), side), Phrase(box.SelBullet(), on_off));
}

}  // namespace trf::desktop
