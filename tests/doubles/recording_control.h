// RecordingControl: a control reached by member name whose members a test chooses (others raise 438),
// so that a control without `Locked` or `HelpContextID` can be built.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "tests/doubles/call_log.h"
#include "ui_shared/platform/object.h"

namespace kw::testing {

class RecordingControl : public Object, public RecordingDouble {
 public:
  // `members` names the properties the control has; the empty name is its default member.
  RecordingControl(std::shared_ptr<CallLog> log, std::string name, const std::set<std::string>& members)
      : RecordingDouble(std::move(log), std::move(name)), members_(members.begin(), members.end()) {}
  std::string TypeName() const override { return "RecordingControl"; }

  Variant Get(std::string_view member, const Args& = {}) override {
    Check(member);
    const auto it = values.find(member);
    return Got(std::string(member), it == values.end() ? Variant() : it->second);
  }
  void Let(std::string_view member, const Variant& value, const Args& = {}) override {
    Check(member);
    Put(std::string(member), values[std::string(member)], value);
  }

  // The value last written to (or set up for) a member.
  std::map<std::string, Variant, std::less<>> values;

 private:
  void Check(std::string_view member) const {
    if (!members_.contains(member)) Raise(err::kNoSuchMember);
  }

  std::set<std::string, std::less<>> members_;
};

// A rich-text box with the six selection properties, for the RTF controller's tests.
inline std::shared_ptr<RecordingControl> RecordingRichTextBox(std::shared_ptr<CallLog> log) {
  return std::make_shared<RecordingControl>(
      std::move(log), "RichText",
      std::set<std::string>{"SelBold", "SelItalic", "SelUnderline", "SelAlignment", "SelBullet", "SelColor"});
}

}  // namespace kw::testing
