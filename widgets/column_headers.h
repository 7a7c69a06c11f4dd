// The column headers of the headless list view: ColumnHeader (caption and width) and
// ColumnHeaders, reached as `ColumnHeaders`, with `Add` (Index, Key, Text, Width), `Count`,
// `Item` by position or key, and `Clear`.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui_shared/platform/object.h"

namespace kw::widgets {

// One column header.
class ColumnHeader : public LateBound<ColumnHeader> {
 public:
  // A header with its key, caption and width.
  ColumnHeader(std::string key, std::string text, double width)
      : key_(std::move(key)), text_(std::move(text)), width_(width) {}
  std::string TypeName() const override { return "ColumnHeader"; }
  // The header's key ("" for none).
  const std::string& Key() const { return key_; }
  // The caption.
  const std::string& Text() const { return text_; }
  // The width as the caller gave it; the model keeps the number unchanged.
  double Width() const { return width_; }
  // The members reached by name: Key, Text and Width.
  static const MemberTable<ColumnHeader>& Members();

 private:
  std::string key_;
  std::string text_;
  double width_;
};

// The column headers of a list view, in column order.
class ColumnHeaders : public LateBound<ColumnHeaders> {
 public:
  // The width a header gets when `Add` is given none.
  static constexpr double kDefaultWidth = 1440.0;

  std::string TypeName() const override { return "ColumnHeaders"; }
  // Appends a header (or puts it at 1-based `position`; 35600 beyond the end).
  std::shared_ptr<ColumnHeader> Add(std::string text, double width = kDefaultWidth, std::string key = "",
                                    int32_t position = 0);
  // The number of headers.
  int32_t Count() const { return static_cast<int32_t>(headers_.size()); }
  // By 1-based position, or by key when `index` is text; 35600 / 35601 when there is none.
  std::shared_ptr<ColumnHeader> Item(const Variant& index) const;
  // Removes every header.
  void Clear() { headers_.clear(); }
  // The members reached by name: Add, Count, Item and Clear.
  static const MemberTable<ColumnHeaders>& Members();

 private:
  std::vector<std::shared_ptr<ColumnHeader>> headers_;
};

}  // namespace kw::widgets
