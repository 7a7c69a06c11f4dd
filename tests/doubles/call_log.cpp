// Call log and recording base.
#include "tests/doubles/call_log.h"

#include <algorithm>

#include "ui_shared/platform/object.h"

namespace kw::testing {

std::vector<std::string> CallLog::MatchingAny(std::initializer_list<std::string_view> prefixes) const {
  std::vector<std::string> out;
  for (const auto& e : entries_)
    for (std::string_view prefix : prefixes)
      if (std::string_view(e).substr(0, prefix.size()) == prefix) {
        out.push_back(e);
        break;
      }
  return out;
}

std::vector<std::string> CallLog::Arguments(std::initializer_list<std::string_view> prefixes) const {
  std::vector<std::string> out;
  for (const auto& e : MatchingAny(prefixes)) {
    const size_t open = e.find('(');
    out.push_back(e.substr(open + 1, e.size() - open - 2));
  }
  return out;
}

std::string CallLog::Joined(std::initializer_list<std::string_view> prefixes) const {
  std::string out;
  for (const auto& e : MatchingAny(prefixes)) out += (out.empty() ? "" : "; ") + e;
  return out;
}

size_t CallLog::CountOf(std::string_view entry) const {
  return static_cast<size_t>(std::count(entries_.begin(), entries_.end(), entry));
}

int CallLog::IndexOf(std::string_view entry) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i] == entry) return static_cast<int>(i);
  return -1;
}

std::string Show(const Variant& value) {
  switch (value.Type()) {
    case VarType::Empty: return "Empty";
    case VarType::String: return "\"" + value.GetText() + "\"";
    case VarType::Object: return Show(value.GetObject());
    default: return value.ToText();
  }
}

std::string Show(const std::string& text) { return "\"" + text + "\""; }
std::string Show(double value) { return Variant::Double(value).ToText(); }
std::string Show(const ObjectPtr& object) { return object ? object->TypeName() : "Nothing"; }
std::string Show(bool value) { return value ? "True" : "False"; }
std::string Show(int32_t value) { return std::to_string(value); }

void RecordingDouble::Logged(const std::string& member, const std::string& args) {
  log_->Record(name_ + "." + member + "(" + args + ")");
  const auto it = failures_.find(member);
  if (it != failures_.end()) throw it->second;
}

}  // namespace kw::testing
