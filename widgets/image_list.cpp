// The headless image list.
#include "widgets/image_list.h"

#include "ui_shared/platform/control_members.h"
#include "widgets/collection_helpers.h"

namespace kw::widgets {

void ListImages::Add(PicturePtr picture, std::string key) {
  if (!key.empty())
    for (const auto& image : images_)
      if (image.first == key) Raise(err::kKeyNotUnique, "", "Key is not unique in collection");
  images_.emplace_back(std::move(key), std::move(picture));
}

const MemberTable<ListImages>& ListImages::Members() {
  using L = ListImages;
  static const MemberTable<L> table{
      {member::kAdd, MemberKind::kMethod,
       [](L& l, const Args& a) {
         l.Add(As<Picture>(a.Required(2, "Picture").ToObject()), OptionalText(a, 1, "Key"));
         return Variant();
       }},
      Property<&L::Count>(member::kCount),
  };
  return table;
}

const MemberTable<ImageList>& ImageList::Members() {
  static const MemberTable<ImageList> table{
      {"ListImages", MemberKind::kProperty, [](ImageList& i, const Args&) { return Variant::Object(i.images_); }},
  };
  return table;
}

}  // namespace kw::widgets
