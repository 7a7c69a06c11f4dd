// EditControl: the state that text boxes and combo boxes share: the text with its selection, the
// colours and lock of a data-entry field, its help context, its window and its notifications.
// Reached by member name (`Text` is the default member) and through a typed C++ API.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui_shared/platform/object.h"
#include "ui_shared/platform/system_colors.h"
#include "ui_shared/platform/windows.h"

namespace kw::widgets {

// The common base of the editable widgets; `Text` is its default member.
class EditControl : public kw::LateBound<EditControl> {
 public:
  // Registers a window of `window_class` answering `handler` in the window table in force.
  EditControl(std::string window_class, kw::WindowTable::Handler handler);
  ~EditControl() override;
  EditControl(const EditControl&) = delete;
  EditControl& operator=(const EditControl&) = delete;

  // The members reached by name: Text (the default member), SelStart, SelLength, SelText,
  // BackColor, Locked, HelpContextID, hwnd and SetFocus.
  static const kw::MemberTable<EditControl>& Members();

  // The text.
  const std::string& Text() const { return text_; }
  // Replaces the text, puts the caret at its end and reports a change when the text differs.
  void SetText(std::string text);
  // What the user's typing leaves: the text replaced and a change reported.
  void Type(std::string text) { SetText(std::move(text)); }

  // Selection in characters; setting the start clears the length, both are clamped to the text.
  int32_t SelStart() const { return sel_start_; }
  // The number of selected characters.
  int32_t SelLength() const { return sel_length_; }
  // Puts the caret at character `start` (0-based, clamped to the text) and clears the selection's
  // length.
  void SetSelStart(int32_t start);
  // Selects `length` characters from the start (clamped to the text).
  void SetSelLength(int32_t length);
  // The selected characters.
  std::string SelText() const;

  // Colour values: 0x80000000 + n for system colour n, else 0x00BBGGRR.
  uint32_t BackColor() const { return back_color_; }
  // Sets the background colour.
  void SetBackColor(uint32_t color) { back_color_ = color; }
  // True while the user may not change the text.
  bool Locked() const { return locked_; }
  // Locks the text against the user's changes, or unlocks it.
  void SetLocked(bool locked) { locked_ = locked; }
  // The help context of the field.
  int32_t HelpContextID() const { return help_context_id_; }
  // Sets the help context of the field.
  void SetHelpContextID(int32_t id) { help_context_id_ = id; }
  // The field's window.
  kw::Hwnd Hwnd() const { return hwnd_; }

  // Gives the control the focus and tells the got-focus handler.
  void SetFocus();
  // True while the field has the focus.
  bool HasFocus() const { return focused_; }
  // Takes the focus away, as another control's taking it does.
  void LoseFocus() { focused_ = false; }

  // Called after every change of the text (the form's change notification).
  void OnChange(std::function<void()> handler) { on_change_ = std::move(handler); }
  // Called when the field gets the focus.
  void OnGotFocus(std::function<void()> handler) { on_got_focus_ = std::move(handler); }

 protected:
  // Replaces the text without reporting a change (a selection made in the list).
  void ShowText(std::string text);

 private:
  std::string text_;
  int32_t sel_start_ = 0;
  int32_t sel_length_ = 0;
  uint32_t back_color_ = kw::SystemColor(kw::kColorWindow);
  bool locked_ = false;
  int32_t help_context_id_ = 0;
  bool focused_ = false;
  kw::Hwnd hwnd_ = 0;
  std::function<void()> on_change_;
  std::function<void()> on_got_focus_;
};

}  // namespace kw::widgets
