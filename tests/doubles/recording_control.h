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
  RecordingControl(std::shared_ptr<CallLog> log, std::string name, const std::set<std::string>& members)
      : log_(std::move(log)), name_(std::move(name)), members_(members.begin(), members.end()) {}
  std::string TypeName() const override { return "RecordingControl"; }

  Variant Get(std::string_view member, const Args& = {}) override {
    Logged("Get", member, "");
    const auto it = values.find(member);
    return it == values.end() ? Variant() : it->second;
  }
  void Let(std::string_view member, const Variant& value, const Args& = {}) override {
    Logged("Let", member, Show(value));
    values.insert_or_assign(std::string(member), value);
  }

  // The value last written to (or set up for) a member.
  std::map<std::string, Variant, std::less<>> values;

 private:
  // Logs "<name>.<verb> <member>(<shown>)"; raises 438 for a member the control lacks.
  void Logged(const char* verb, std::string_view member, const std::string& shown) {
    if (!members_.contains(member)) Raise(err::kNoSuchMember);
    log_->Record(name_ + "." + verb + " " + std::string(member) + "(" + shown + ")");
  }

  std::shared_ptr<CallLog> log_;
  std::string name_;
  std::set<std::string, std::less<>> members_;
};

}  // namespace kw::testing
