// ImageList: the headless image list that list and tree views draw their icons from. It holds
// pictures in order, each with an optional key; `ListImages.Count` and `ListImages.Add` reach it by
// name.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui_shared/platform/picture.h"

namespace kw::widgets {

// The pictures of an image list, reached as `ListImages`.
class ListImages : public LateBound<ListImages> {
 public:
  std::string TypeName() const override { return "ListImages"; }
  // Appends a picture; 35602 for a non-empty key already in use.
  void Add(PicturePtr picture, std::string key = "");
  // The number of pictures.
  int32_t Count() const { return static_cast<int32_t>(images_.size()); }
  // The members reached by name: Add and Count.
  static const MemberTable<ListImages>& Members();

 private:
  std::vector<std::pair<std::string, PicturePtr>> images_;
};

// An image list: the pictures list and tree views draw their icons from.
class ImageList : public LateBound<ImageList> {
 public:
  std::string TypeName() const override { return "ImageList"; }
  // The pictures.
  ListImages& Images() { return *images_; }
  // The members reached by name: ListImages.
  static const MemberTable<ImageList>& Members();

 private:
  std::shared_ptr<ListImages> images_ = std::make_shared<ListImages>();
};

}  // namespace kw::widgets
