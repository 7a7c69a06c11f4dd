// RecordingRichTextBox: a rich-text box double for the controller's unit tests. It offers the six
// selection properties by name, logs every read and write as "RichText.Get SelBold()" or
// "RichText.Let SelBold(True)", answers what the test put in `values` (Empty when nothing), keeps
// what is written, and raises an armed error (FailOn "Get SelBold" / "Let SelBold").
#pragma once

#include <map>
#include <set>
#include <string>

#include "tests/doubles/call_log.h"
#include "ui_shared/platform/object.h"

namespace kw::testing {

// The recording rich-text box (see above).
class RecordingRichTextBox : public Object, public RecordingDouble {
 public:
  explicit RecordingRichTextBox(std::shared_ptr<CallLog> log) : RecordingDouble(std::move(log), "RichText") {}
  std::string TypeName() const override { return "RichTextBox"; }

  Variant Get(std::string_view member, const Args& = {}) override {
    Check(member);
    const auto it = values.find(member);
    return Got(std::string(member), it == values.end() ? Variant() : it->second);
  }
  void Let(std::string_view member, const Variant& value, const Args& = {}) override {
    Check(member);
    Put(std::string(member), values[std::string(member)], value);
  }

  // The selection's properties by name; tests set them and read what the controller wrote.
  std::map<std::string, Variant, std::less<>> values;

 private:
  static void Check(std::string_view member) {
    static const std::set<std::string_view> kProperties = {"SelBold",      "SelItalic", "SelUnderline",
                                                           "SelAlignment", "SelBullet", "SelColor"};
    if (!kProperties.contains(member)) Raise(err::kNoSuchMember);
  }
};

}  // namespace kw::testing
