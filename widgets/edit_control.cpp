// The shared state of text boxes and combo boxes and its late-bound members.
#include "widgets/edit_control.h"

#include <algorithm>

#include "ui_shared/platform/control_members.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/text.h"

namespace kw::widgets {

EditControl::EditControl(std::string window_class, kw::WindowTable::Handler handler)
    : hwnd_(kw::Service<kw::WindowTable>::Get().Create(std::move(window_class), std::move(handler))) {}

EditControl::~EditControl() { kw::Service<kw::WindowTable>::Get().Destroy(hwnd_); }

void EditControl::SetText(std::string text) {
  const bool changed = text != text_;
  ShowText(std::move(text));
  if (changed && on_change_) on_change_();
}

void EditControl::ShowText(std::string text) {
  text_ = std::move(text);
  sel_start_ = static_cast<int32_t>(kw::text::Len(text_));
  sel_length_ = 0;
}

void EditControl::SetSelStart(int32_t start) {
  if (start < 0) kw::Raise(kw::err::kInvalidCall);
  sel_start_ = std::min(start, static_cast<int32_t>(kw::text::Len(text_)));
  sel_length_ = 0;
}

void EditControl::SetSelLength(int32_t length) {
  if (length < 0) kw::Raise(kw::err::kInvalidCall);
  sel_length_ = std::min(length, static_cast<int32_t>(kw::text::Len(text_)) - sel_start_);
}

std::string EditControl::SelText() const {
  return kw::text::Mid(text_, static_cast<size_t>(sel_start_) + 1, static_cast<size_t>(sel_length_));
}

void EditControl::SetFocus() {
  focused_ = true;
  if (on_got_focus_) on_got_focus_();
}

const kw::MemberTable<EditControl>& EditControl::Members() {
  using C = EditControl;
  namespace m = kw::member;
  static const kw::MemberTable<C> table{
      kw::Property<&C::Text, &C::SetText>(m::kDefault),
      kw::Property<&C::Text, &C::SetText>(m::kText),
      kw::Property<&C::SelStart, &C::SetSelStart>(m::kSelStart),
      kw::Property<&C::SelLength, &C::SetSelLength>(m::kSelLength),
      kw::Property<&C::SelText>("SelText"),
      kw::Property<&C::BackColor, &C::SetBackColor>(m::kBackColor),
      kw::Property<&C::Locked, &C::SetLocked>(m::kLocked),
      kw::Property<&C::HelpContextID, &C::SetHelpContextID>(m::kHelpContextID),
      kw::Property<&C::Hwnd>(m::kHwnd),
      kw::Method<&C::SetFocus>(m::kSetFocus),
  };
  return table;
}

}  // namespace kw::widgets
