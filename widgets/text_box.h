// TextBox: a single-line data-entry field. Its default member is `Text`; it offers the field's
// colours, lock, selection, help context, window handle and focus (see EditControl).
#pragma once

#include <memory>
#include <string>

#include "widgets/edit_control.h"

namespace kw::widgets {

// A text box; its window answers no messages of its own.
class TextBox : public kw::LateBound<TextBox, EditControl> {
 public:
  TextBox();
  // A text box showing `text`.
  static std::shared_ptr<TextBox> Make(std::string text = "");
  // The type name the runtime reports: "TextBox".
  std::string TypeName() const override { return "TextBox"; }
  // A text box adds nothing to the members every edit control has.
  static const kw::MemberTable<TextBox>& Members();
};

}  // namespace kw::widgets
