// The list control double.
#include "tests/doubles/recording_list.h"

namespace kw::testing {

namespace {
// The runtime's "Element not found" of the list controls' collections.
constexpr int32_t kElementNotFound = 35601;
}  // namespace

Variant RecordingListEntry::Get(std::string_view member, const Args& args) {
  if (member == "Key") return Variant::Text(key_);
  return Object::Get(member, args);
}

void RecordingListEntry::Let(std::string_view member, const Variant& value, const Args& args) {
  if (member != "Selected") return Object::Let(member, value, args);
  list_.Log()->Record("List " + key_ + ".Let Selected(" + Show(value) + ")");
  if (value.ToBoolean()) list_.Select(list_.Find(key_));
}

Variant RecordingListEntries::Get(std::string_view member, const Args& args) {
  if (member != "Item") return Object::Get(member, args);
  const auto entry = list_.Find(args.Required(0, "Index").ToText());
  if (!entry) Raise(kElementNotFound, "List", "Element not found");
  return Variant::Object(entry);
}

RecordingList::RecordingList(std::shared_ptr<CallLog> log, std::string type_name, const std::vector<std::string>& keys)
    : RecordingDouble(std::move(log), "List"), type_name_(std::move(type_name)),
      collection_(std::make_shared<RecordingListEntries>(*this)) {
  for (const auto& key : keys) entries.push_back(std::make_shared<RecordingListEntry>(*this, key));
}

std::shared_ptr<RecordingListEntry> RecordingList::Find(const std::string& key) const {
  for (const auto& entry : entries)
    if (entry->Key() == key) return entry;
  return nullptr;
}

Variant RecordingList::Get(std::string_view member, const Args& args) {
  const bool tree = type_name_ == "TreeView";
  if ((tree && member == "Nodes") || (!tree && member == "ListItems")) return Variant::Object(collection_);
  if (member == "SelectedItem") return Variant::Object(selected);
  return Object::Get(member, args);
}

void RecordingList::Let(std::string_view member, const Variant& value, const Args& args) {
  if (member != "Row") return Object::Let(member, value, args);
  Hit("Let Row", value);
  row = value;
}

}  // namespace kw::testing
