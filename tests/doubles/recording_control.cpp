// The recording control double.
#include "tests/doubles/recording_control.h"

namespace kw::testing {

RecordingControl::RecordingControl(std::shared_ptr<CallLog> log, std::string name, std::set<std::string> members)
    : log_(std::move(log)), name_(std::move(name)), members_(members.begin(), members.end()) {}

bool RecordingControl::Has(std::string_view member) const { return members_.count(member) != 0; }

Variant RecordingControl::Get(std::string_view member, const Args&) {
  if (!Has(member)) Raise(err::kNoSuchMember);
  log_->Record(name_ + ".Get " + std::string(member) + "()");
  const auto it = values.find(member);
  return it == values.end() ? Variant() : it->second;
}

void RecordingControl::Let(std::string_view member, const Variant& value, const Args&) {
  if (!Has(member)) Raise(err::kNoSuchMember);
  log_->Record(name_ + ".Let " + std::string(member) + "(" + Show(value) + ")");
  values.insert_or_assign(std::string(member), value);
}

}  // namespace kw::testing
