// CallLog and RecordingDouble: the calls of several doubles in one order, and errors armed per member.
#pragma once

#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui_shared/platform/error.h"
#include "ui_shared/platform/object.h"
#include "ui_shared/platform/variant.h"

namespace kw::testing {

class CallLog {
 public:
  void Record(std::string entry) { entries_.push_back(std::move(entry)); }
  const std::vector<std::string>& Entries() const { return entries_; }
  // The entries that begin with any of `prefixes` (or with `prefix`), in order.
  std::vector<std::string> MatchingAny(std::initializer_list<std::string_view> prefixes) const;
  std::vector<std::string> Matching(std::string_view prefix) const { return MatchingAny({prefix}); }
  // What stands between the parentheses of each entry that begins with any of `prefixes`, in order.
  std::vector<std::string> Arguments(std::initializer_list<std::string_view> prefixes) const;
  // The entries that begin with any of `prefixes` (all by default), joined by "; " to compare as one text.
  std::string Joined(std::initializer_list<std::string_view> prefixes = {""}) const;
  size_t CountOf(std::string_view entry) const;
  // Index of the first entry equal to `entry`; -1 when none.
  int IndexOf(std::string_view entry) const;
  void Clear() { entries_.clear(); }

 private:
  std::vector<std::string> entries_;
};

// A value as it appears in a log entry: texts quoted, numbers plain, Empty, Nothing.
std::string Show(const Variant& value);
std::string Show(const std::string& text);
std::string Show(const char* text) = delete;  // a literal would pick the bool form: pass a std::string
std::string Show(bool value);
std::string Show(int32_t value);
std::string Show(double value);
// An object by its type name; Nothing for none.
std::string Show(const ObjectPtr& object);

// Base of the recording doubles: logs each call as "<name>.<member>(<args>)" and raises what is armed.
class RecordingDouble {
 public:
  RecordingDouble(std::shared_ptr<CallLog> log, std::string name) : log_(std::move(log)), name_(std::move(name)) {}

  // Makes the next calls of `member` raise `error` (every call, until Disarm).
  void FailOn(const std::string& member, Error error) { failures_.insert_or_assign(member, std::move(error)); }
  void Disarm(const std::string& member) { failures_.erase(member); }
  const std::shared_ptr<CallLog>& Log() const { return log_; }

 protected:
  // Logs the call with its arguments shown and separated by ", ", and raises an armed failure.
  template <typename... Values>
  void Hit(const std::string& member, const Values&... values) {
    std::string args;
    ((args += (args.empty() ? "" : ", ") + Show(values)), ...);
    Logged(member, args);
  }
  template <typename T, typename... Values>
  T Answer(const T& answer, const std::string& member, const Values&... values) {
    Hit(member, values...);
    return answer;
  }
  // Logs "Get <property>()" and answers `value`.
  template <typename T>
  T Got(const std::string& property, const T& value) {
    return Answer(value, "Get " + property);
  }
  // Logs "Let <property>(<value>)" and keeps the value in `field`.
  template <typename T, typename V>
  void Put(const std::string& property, T& field, const V& value) {
    Hit("Let " + property, value);
    field = value;
  }

 private:
  void Logged(const std::string& member, const std::string& args);

  std::shared_ptr<CallLog> log_;
  std::string name_;
  std::map<std::string, Error> failures_;
};

}  // namespace kw::testing
