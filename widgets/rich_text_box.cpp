// The headless rich-text box: selection, formatting of the selection, events, window and members.
#include "widgets/rich_text_box.h"

#include <algorithm>

#include "ui_shared/platform/control_members.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/system_colors.h"
#include "widgets/rich_text_rtf.h"

namespace kw {

using rich_text::CharFormat;
using rich_text::ParagraphFormat;

RichTextBox::RichTextBox()
    : hwnd_(Service<WindowTable>::Get().Create("RichTextBox", [this](const WindowMessage& m) { return Answer(m); })) {}

RichTextBox::~RichTextBox() { Service<WindowTable>::Get().Destroy(hwnd_); }

int64_t RichTextBox::Answer(const WindowMessage& message) {
  switch (message.msg) {
    case kSetFocusMessage: SetFocus(); return 0;
    case kKillFocusMessage: KillFocus(); return 0;
    case kGetTextLengthMessage: return static_cast<int64_t>(document_.Length());
    default: return 0;
  }
}

void RichTextBox::SetFocus() {
  if (focused_) return;
  focused_ = true;
  if (auto listener = listener_.lock()) listener->GotFocus();
}

void RichTextBox::KillFocus() {
  if (!focused_) return;
  focused_ = false;
  if (auto listener = listener_.lock()) listener->LostFocus();
}

void RichTextBox::Select(size_t start, size_t length) {
  sel_start_ = start;
  sel_length_ = length;
  pending_format_.reset();
  if (auto listener = listener_.lock()) listener->SelChange();
}

void RichTextBox::Text(std::string_view text) {
  document_ = rich_text::Document();
  document_.Replace(0, 0, text, CharFormat{});
  Select(0, 0);
}

std::string RichTextBox::TextRTF() const { return rich_text::WriteRtf(document_); }

void RichTextBox::TextRTF(std::string_view rtf) {
  if (!rich_text::LooksLikeRtf(rtf)) return Text(rtf);
  document_ = rich_text::ReadRtf(rtf);
  Select(0, 0);
}

void RichTextBox::SelStart(int32_t start) {
  if (start < 0) Raise(err::kInvalidCall);
  Select(std::min(static_cast<size_t>(start), document_.Length()), 0);
}

void RichTextBox::SelLength(int32_t length) {
  if (length < 0) Raise(err::kInvalidCall);
  Select(sel_start_, std::min(static_cast<size_t>(length), document_.Length() - sel_start_));
}

void RichTextBox::SelText(std::string_view text) {
  const size_t kept = document_.Length() - sel_length_;
  document_.Replace(sel_start_, sel_length_, text, TypingFormat());
  Select(sel_start_ + (document_.Length() - kept), 0);
}

CharFormat RichTextBox::TypingFormat() const {
  if (pending_format_) return *pending_format_;
  if (document_.Length() == 0) return CharFormat{};
  if (sel_length_ == 0 && sel_start_ > 0) return document_.FormatAt(sel_start_ - 1);
  return document_.FormatAt(std::min(sel_start_, document_.Length() - 1));
}

// Paragraph breaks carry a format but are not looked at: a selection that ends past a paragraph's
// end is judged by its characters.
template <class T>
std::optional<T> RichTextBox::CommonCharFormat(T CharFormat::*field) const {
  std::optional<T> common;
  for (size_t i = sel_start_; i < sel_start_ + sel_length_; ++i) {
    if (document_.At(i) == rich_text::kParagraphBreak) continue;
    const T value = document_.FormatAt(i).*field;
    if (common && *common != value) return std::nullopt;
    common = value;
  }
  return common ? common : TypingFormat().*field;
}

template <class T>
void RichTextBox::ApplyCharFormat(T CharFormat::*field, T value) {
  if (sel_length_ == 0) {
    pending_format_ = TypingFormat();
    pending_format_.value().*field = value;
    return;
  }
  for (size_t i = sel_start_; i < sel_start_ + sel_length_; ++i) document_.FormatAt(i).*field = value;
}

template <class T>
std::optional<T> RichTextBox::CommonParagraphFormat(T ParagraphFormat::*field) const {
  const size_t last = document_.ParagraphAt(sel_start_ + (sel_length_ ? sel_length_ - 1 : 0));
  const T first_value = document_.FormatOfParagraph(document_.ParagraphAt(sel_start_)).*field;
  for (size_t p = document_.ParagraphAt(sel_start_) + 1; p <= last; ++p)
    if (document_.FormatOfParagraph(p).*field != first_value) return std::nullopt;
  return first_value;
}

template <class T>
void RichTextBox::ApplyParagraphFormat(T ParagraphFormat::*field, T value) {
  const size_t last = document_.ParagraphAt(sel_start_ + (sel_length_ ? sel_length_ - 1 : 0));
  for (size_t p = document_.ParagraphAt(sel_start_); p <= last; ++p) document_.FormatOfParagraph(p).*field = value;
}

std::optional<bool> RichTextBox::SelBold() const { return CommonCharFormat(&CharFormat::bold); }
void RichTextBox::SelBold(bool on) { ApplyCharFormat(&CharFormat::bold, on); }
std::optional<bool> RichTextBox::SelItalic() const { return CommonCharFormat(&CharFormat::italic); }
void RichTextBox::SelItalic(bool on) { ApplyCharFormat(&CharFormat::italic, on); }
std::optional<bool> RichTextBox::SelUnderline() const { return CommonCharFormat(&CharFormat::underline); }
void RichTextBox::SelUnderline(bool on) { ApplyCharFormat(&CharFormat::underline, on); }
std::optional<uint32_t> RichTextBox::SelColor() const { return CommonCharFormat(&CharFormat::color); }
void RichTextBox::SelColor(uint32_t color) {
  // A fixed colour is 0x00BBGGRR whatever its high byte holds: the box keeps the colour it means.
  ApplyCharFormat(&CharFormat::color, color & kSystemColorFlag ? color : color & 0x00FFFFFFu);
}
std::optional<int16_t> RichTextBox::SelAlignment() const { return CommonParagraphFormat(&ParagraphFormat::alignment); }
std::optional<bool> RichTextBox::SelBullet() const { return CommonParagraphFormat(&ParagraphFormat::bullet); }
void RichTextBox::SelBullet(bool on) { ApplyParagraphFormat(&ParagraphFormat::bullet, on); }

void RichTextBox::SelAlignment(int16_t alignment) {
  if (alignment < rich_text::kAlignLeft || alignment > rich_text::kAlignCenter) Raise(err::kInvalidCall);
  ApplyParagraphFormat(&ParagraphFormat::alignment, alignment);
}

namespace {

// A selection property as the runtime reads it: null when the selection is mixed.
Variant Read(std::optional<bool> value) { return value ? Variant::Boolean(*value) : Variant::Null(); }
Variant Read(std::optional<int16_t> value) { return value ? Variant::Integer(*value) : Variant::Null(); }
Variant Read(std::optional<uint32_t> value) {
  return value ? Variant::Long(static_cast<int32_t>(*value)) : Variant::Null();
}

using Box = RichTextBox;

}  // namespace

const MemberTable<RichTextBox>& RichTextBox::Members() {
  static const MemberTable<RichTextBox> table{
      {member::kText, MemberKind::kProperty, [](Box& b, const Args&) { return Variant::Text(b.Text()); },
       [](Box& b, const Variant& v, const Args&) { b.Text(v.ToText()); }},
      {"TextRTF", MemberKind::kProperty, [](Box& b, const Args&) { return Variant::Text(b.TextRTF()); },
       [](Box& b, const Variant& v, const Args&) { b.TextRTF(v.ToText()); }},
      {member::kSelStart, MemberKind::kProperty, [](Box& b, const Args&) { return Variant::Long(b.SelStart()); },
       [](Box& b, const Variant& v, const Args&) { b.SelStart(v.ToLong()); }},
      {member::kSelLength, MemberKind::kProperty, [](Box& b, const Args&) { return Variant::Long(b.SelLength()); },
       [](Box& b, const Variant& v, const Args&) { b.SelLength(v.ToLong()); }},
      {"SelText", MemberKind::kProperty, [](Box& b, const Args&) { return Variant::Text(b.SelText()); },
       [](Box& b, const Variant& v, const Args&) { b.SelText(v.ToText()); }},
      {member::kSelBold, MemberKind::kProperty, [](Box& b, const Args&) { return Read(b.SelBold()); },
       [](Box& b, const Variant& v, const Args&) { b.SelBold(v.ToBoolean()); }},
      {member::kSelItalic, MemberKind::kProperty, [](Box& b, const Args&) { return Read(b.SelItalic()); },
       [](Box& b, const Variant& v, const Args&) { b.SelItalic(v.ToBoolean()); }},
      {member::kSelUnderline, MemberKind::kProperty, [](Box& b, const Args&) { return Read(b.SelUnderline()); },
       [](Box& b, const Variant& v, const Args&) { b.SelUnderline(v.ToBoolean()); }},
      {member::kSelAlignment, MemberKind::kProperty, [](Box& b, const Args&) { return Read(b.SelAlignment()); },
       [](Box& b, const Variant& v, const Args&) { b.SelAlignment(v.ToInteger()); }},
      {member::kSelBullet, MemberKind::kProperty, [](Box& b, const Args&) { return Read(b.SelBullet()); },
       [](Box& b, const Variant& v, const Args&) { b.SelBullet(v.ToBoolean()); }},
      {member::kSelColor, MemberKind::kProperty, [](Box& b, const Args&) { return Read(b.SelColor()); },
       [](Box& b, const Variant& v, const Args&) { b.SelColor(static_cast<uint32_t>(v.ToLong())); }},
      Property<&Box::hwnd>(member::kHwnd),
      Method<&Box::SetFocus>(member::kSetFocus),
  };
  return table;
}

}  // namespace kw
