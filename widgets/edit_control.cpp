// The shared state of text boxes and combo boxes and its late-bound members.
#include "widgets/edit_control.h"

#include <algorithm>

#include "ui_shared/platform/service.h"
#include "ui_shared/platform/text.h"

namespace kw::widgets {

kw::Variant ColorVariant(uint32_t color) { return kw::Variant::Long(static_cast<int32_t>(color)); }
uint32_t ColorOf(const kw::Variant& value) { return static_cast<uint32_t>(value.ToLong()); }

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
  using kw::Args;
  using kw::Variant;
  using C = EditControl;
  static const auto get_text = [](C& c, const Args&) { return Variant::Text(c.Text()); };
  static const auto let_text = [](C& c, const Variant& v, const Args&) { c.SetText(v.ToText()); };
  static const kw::MemberTable<C> table{
      {"", get_text, let_text},
      {"Text", get_text, let_text},
      {"SelStart", [](C& c, const Args&) { return Variant::Long(c.SelStart()); },
       [](C& c, const Variant& v, const Args&) { c.SetSelStart(v.ToLong()); }},
      {"SelLength", [](C& c, const Args&) { return Variant::Long(c.SelLength()); },
       [](C& c, const Variant& v, const Args&) { c.SetSelLength(v.ToLong()); }},
      {"SelText", [](C& c, const Args&) { return Variant::Text(c.SelText()); }, nullptr},
      {"BackColor", [](C& c, const Args&) { return ColorVariant(c.BackColor()); },
       [](C& c, const Variant& v, const Args&) { c.SetBackColor(ColorOf(v)); }},
      {"Locked", [](C& c, const Args&) { return Variant::Boolean(c.Locked()); },
       [](C& c, const Variant& v, const Args&) { c.SetLocked(v.ToBoolean()); }},
      {"HelpContextID", [](C& c, const Args&) { return Variant::Long(c.HelpContextID()); },
       [](C& c, const Variant& v, const Args&) { c.SetHelpContextID(v.ToLong()); }},
      {"hwnd", [](C& c, const Args&) { return Variant::Long(c.Hwnd()); }, nullptr},
      {"SetFocus",
       [](C& c, const Args&) {
         c.SetFocus();
         return Variant();
       },
       nullptr},
  };
  return table;
}

}  // namespace kw::widgets
