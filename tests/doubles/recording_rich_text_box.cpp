// The recording rich-text box.
#include "tests/doubles/recording_rich_text_box.h"

#include <array>

namespace kw::testing {
namespace {

bool IsSelectionProperty(std::string_view member) {
  static constexpr std::array<std::string_view, 6> kProperties = {"SelBold",      "SelItalic", "SelUnderline",
                                                                  "SelAlignment", "SelBullet", "SelColor"};
  for (std::string_view property : kProperties)
    if (property == member) return true;
  return false;
}

}  // namespace

Variant RecordingRichTextBox::Get(std::string_view member, const Args&) {
  if (!IsSelectionProperty(member)) Raise(err::kNoSuchMember);
  Hit("Get " + std::string(member));
  const auto it = values.find(member);
  return it == values.end() ? Variant() : it->second;
}

void RecordingRichTextBox::Let(std::string_view member, const Variant& value, const Args&) {
  if (!IsSelectionProperty(member)) Raise(err::kNoSuchMember);
  Hit("Let " + std::string(member), Show(value));
  values.insert_or_assign(std::string(member), value);
}

}  // namespace kw::testing
