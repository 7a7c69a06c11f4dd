// RecordingControl: a control reached by member name that logs every property read and write
// into a CallLog and holds the values written. Tests choose which members it has, so that a
// control without `Locked` or `HelpContextID` can be built; missing members raise 438.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "tests/doubles/call_log.h"
#include "ui_shared/platform/object.h"

namespace kw::testing {

class RecordingControl : public Object {
 public:
  // `members` names the properties the control has; the empty name is its default member.
  RecordingControl(std::shared_ptr<CallLog> log, std::string name, std::set<std::string> members);
  std::string TypeName() const override { return "RecordingControl"; }

  Variant Get(std::string_view member, const Args& args = {}) override;
  void Let(std::string_view member, const Variant& value, const Args& args = {}) override;

  // The value last written to (or set up for) a member.
  std::map<std::string, Variant, std::less<>> values;

 private:
  bool Has(std::string_view member) const;

  std::shared_ptr<CallLog> log_;
  std::string name_;
  std::set<std::string, std::less<>> members_;
};

}  // namespace kw::testing
