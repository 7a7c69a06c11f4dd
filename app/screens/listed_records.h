// ListedRecords: a record screen's records as its list shows them, for the library's list
// building, which takes every listed property as a text: each property of the current record is
// read from the business object, a value not filled in (null) as an empty text; Count and the
// current record (Index) are the object's own.
#pragma once

#include <memory>
#include <string>

#include "ui_shared/contracts/business_objects.h"
#include "ui_shared/platform/object.h"

namespace trf {

class ListedRecords : public kw::Object {
 public:
  explicit ListedRecords(kw::LIPtr records) : records_(std::move(records)) {}
  std::string TypeName() const override { return records_->TypeName(); }

  // The object's property; a null value as "".
  kw::Variant Get(std::string_view member, const kw::Args& args = kw::kNoArgs) override;
  // Writes the object's property (the list building moves the current record through Index).
  void Let(std::string_view member, const kw::Variant& value, const kw::Args& args = kw::kNoArgs) override {
    records_->Let(member, value, args);
  }

 private:
  kw::LIPtr records_;
};

}  // namespace trf
