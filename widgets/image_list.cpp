// The headless image list.
#include "widgets/image_list.h"

#include "widgets/collection_helpers.h"

namespace kw::widgets {

void ListImages::Add(PicturePtr picture, std::string key) {
  if (!key.empty())
    for (const auto& image : images_)
      if (image.first == key) Raise(err::kKeyNotUnique, "", "Key is not unique in collection");
  images_.emplace_back(std::move(key), std::move(picture));
}

const MemberTable<ListImages>& ListImages::Members() {
  static const MemberTable<ListImages> table{
      {"Add",
       [](ListImages& l, const Args& a) {
         l.Add(As<Picture>(a.Required(2, "Picture").ToObject()), OptionalText(a, 1, "Key"));
         return Variant();
       },
       nullptr},
      {"Count", [](ListImages& l, const Args&) { return Variant::Long(l.Count()); }, nullptr},
  };
  return table;
}

const MemberTable<ImageList>& ImageList::Members() {
  static const MemberTable<ImageList> table{
      {"ListImages", [](ImageList& i, const Args&) { return Variant::Object(i.images_); }, nullptr},
  };
  return table;
}

}  // namespace kw::widgets
