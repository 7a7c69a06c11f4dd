// The text box.
#include "widgets/text_box.h"

namespace kw::widgets {

TextBox::TextBox() : LateBound("TextBox", [](const kw::WindowMessage&) -> int64_t { return 0; }) {}

std::shared_ptr<TextBox> TextBox::Make(std::string text) {
  auto box = std::make_shared<TextBox>();
  box->SetText(std::move(text));
  return box;
}

const kw::MemberTable<TextBox>& TextBox::Members() {
  static const kw::MemberTable<TextBox> table{};
  return table;
}

}  // namespace kw::widgets
