// RichTextBox: a headless rich-text box. It holds formatted text (runs of bold, italic,
// underlined and coloured characters in paragraphs with an alignment and a bullet), a selection
// counted in characters (code points), and the focus; it tells its form of focus and selection
// changes, answers window messages through its hwnd, and gives and takes its content as RTF so
// that formatting survives a save. Forms and the library reach it by member name (Text, TextRTF,
// SelStart, SelLength, SelText, SelBold, SelItalic, SelUnderline, SelAlignment, SelBullet,
// SelColor, hwnd, SetFocus); the program's front end uses the typed members below.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ui_shared/platform/object.h"
#include "ui_shared/platform/windows.h"
#include "widgets/rich_text_document.h"

namespace kw {

// What a rich-text box tells the form that listens to it.
class RichTextBoxEvents {
 public:
  virtual ~RichTextBoxEvents() = default;
  // The box got the focus.
  virtual void GotFocus() {}
  // The box lost the focus.
  virtual void LostFocus() {}
  // The selection moved or the text under it changed.
  virtual void SelChange() {}
};

// The headless rich-text box: formatted content, selection, focus and window.
class RichTextBox : public LateBound<RichTextBox> {
 public:
  // Messages the box's window answers: the focus coming and going, and the text length.
  static constexpr uint32_t kSetFocusMessage = 0x0007;
  // Sent when the box loses the focus.
  static constexpr uint32_t kKillFocusMessage = 0x0008;
  // Answers the length of the text, in characters.
  static constexpr uint32_t kGetTextLengthMessage = 0x000E;

  // Creates the box's window in the WindowTable in force; the window goes with the box.
  RichTextBox();
  ~RichTextBox() override;
  RichTextBox(const RichTextBox&) = delete;
  RichTextBox& operator=(const RichTextBox&) = delete;

  std::string TypeName() const override { return "RichTextBox"; }
  // The members reached by name: Text, TextRTF, the selection and its formats, hwnd and SetFocus.
  static const MemberTable<RichTextBox>& Members();

  // The form that hears the box's events; the box does not keep it alive.
  void Listener(std::weak_ptr<RichTextBoxEvents> listener) { listener_ = std::move(listener); }

  // The plain text, paragraphs separated by "\n", a line break inside a paragraph being "\v" (one
  // character, as everywhere positions count). Setting it ("\r\n" and "\r" break paragraphs too)
  // drops all formatting and puts the caret at the start.
  std::string Text() const { return document_.Text(); }
  void Text(std::string_view text);
  // The content as RTF. Setting text that is no RTF sets it as plain text.
  std::string TextRTF() const;
  void TextRTF(std::string_view rtf);

  // The selection: its first character (0-based) and its length. A start beyond the text goes
  // to the end and empties the selection; a length beyond the text stops at its end; negative
  // values raise 5.
  int32_t SelStart() const { return static_cast<int32_t>(sel_start_); }
  void SelStart(int32_t start);
  // The number of selected characters.
  int32_t SelLength() const { return static_cast<int32_t>(sel_length_); }
  // Selects `length` characters from the start; 5 when negative.
  void SelLength(int32_t length);
  // The selected text; setting it replaces the selection as typing does, in the selection's
  // format, and leaves the caret after the new text.
  std::string SelText() const { return document_.Text(sel_start_, sel_length_); }
  void SelText(std::string_view text);

  // The selection's formatting; nothing when the selection is mixed. With an empty selection
  // the character formats are those that typing will use, the paragraph formats those of the
  // caret's paragraph. Setting one applies it to the whole selection (with an empty selection:
  // to what is typed next, and to the caret's paragraph). An alignment other than 0, 1 or 2
  // raises 5.
  std::optional<bool> SelBold() const;
  void SelBold(bool on);
  // Italic type in the selection; nothing when mixed.
  std::optional<bool> SelItalic() const;
  // Makes the selection italic or not.
  void SelItalic(bool on);
  // Underlined type in the selection; nothing when mixed.
  std::optional<bool> SelUnderline() const;
  // Makes the selection underlined or not.
  void SelUnderline(bool on);
  // The colour of the selection; nothing when mixed.
  std::optional<uint32_t> SelColor() const;
  // A fixed colour keeps its 0x00BBGGRR bytes only; a system colour reference stays as it is.
  void SelColor(uint32_t color);
  // The alignment of the selected paragraphs (kAlignLeft, kAlignRight, kAlignCenter); nothing when
  // mixed.
  std::optional<int16_t> SelAlignment() const;
  // Aligns the selected paragraphs; 5 for another number.
  void SelAlignment(int16_t alignment);
  // Bullets on the selected paragraphs; nothing when mixed.
  std::optional<bool> SelBullet() const;
  // Puts bullets on the selected paragraphs or takes them off.
  void SelBullet(bool on);

  // The box's window.
  Hwnd hwnd() const { return hwnd_; }
  // True while the box has the focus.
  bool Focused() const { return focused_; }
  // Gives the box the focus or takes it away, telling the listener when that changes anything.
  void SetFocus();
  // Takes the focus away, telling the listener.
  void KillFocus();

  // The formatted content.
  const rich_text::Document& Document() const { return document_; }

 private:
  template <class T>
  std::optional<T> CommonCharFormat(T rich_text::CharFormat::*field) const;
  template <class T>
  void ApplyCharFormat(T rich_text::CharFormat::*field, T value);
  template <class T>
  std::optional<T> CommonParagraphFormat(T rich_text::ParagraphFormat::*field) const;
  template <class T>
  void ApplyParagraphFormat(T rich_text::ParagraphFormat::*field, T value);

  // The format that typing at the selection uses.
  rich_text::CharFormat TypingFormat() const;
  // Moves the selection, forgets a pending typing format and tells the listener.
  void Select(size_t start, size_t length);
  int64_t Answer(const WindowMessage& message);

  rich_text::Document document_;
  size_t sel_start_ = 0;
  size_t sel_length_ = 0;
  // A format set on an empty selection, used by the next typing there.
  std::optional<rich_text::CharFormat> pending_format_;
  bool focused_ = false;
  std::weak_ptr<RichTextBoxEvents> listener_;
  Hwnd hwnd_ = 0;
};

// A shared reference to a rich-text box.
using RichTextBoxPtr = std::shared_ptr<RichTextBox>;

}  // namespace kw
