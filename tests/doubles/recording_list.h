// RecordingList: a "TreeView", "ListView" or "TrfEditGrid" reached by member name, logging each write.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/doubles/call_log.h"
#include "ui_shared/platform/object.h"

namespace kw::testing {

class RecordingList;

// An entry of a RecordingList: a list item or a tree node, logged as "List <key>.<member>(...)".
class RecordingListEntry : public Object {
 public:
  RecordingListEntry(RecordingList& list, std::string key) : list_(list), key_(std::move(key)) {}
  std::string TypeName() const override { return "ListItem"; }
  Variant Get(std::string_view member, const Args& args = {}) override;
  void Let(std::string_view member, const Variant& value, const Args& args = {}) override;
  Variant Call(std::string_view member, const Args& args = {}) override;
  const std::string& Key() const { return key_; }

 private:
  RecordingList& list_;
  std::string key_;
};

// The "Nodes" or "ListItems" collection of a RecordingList: "Item" by key; 35601 for a missing key.
class RecordingListEntries : public Object {
 public:
  explicit RecordingListEntries(RecordingList& list) : list_(list) {}
  std::string TypeName() const override { return "ListItems"; }
  Variant Get(std::string_view member, const Args& args = {}) override;

 private:
  RecordingList& list_;
};

class RecordingList : public Object, public RecordingDouble {
 public:
  RecordingList(std::shared_ptr<CallLog> log, std::string type_name, const std::vector<std::string>& keys);
  std::string TypeName() const override { return type_name_; }
  // "Nodes" for a tree view, "ListItems" otherwise; "SelectedItem"; "Row" (write).
  Variant Get(std::string_view member, const Args& args = {}) override;
  void Let(std::string_view member, const Variant& value, const Args& args = {}) override;

  std::shared_ptr<RecordingListEntry> Find(const std::string& key) const;

  std::vector<std::shared_ptr<RecordingListEntry>> entries;
  std::shared_ptr<RecordingListEntry> selected;
  Variant row;

 private:
  std::string type_name_;
  std::shared_ptr<RecordingListEntries> collection_;
};

// The runtime's "Element not found" of the list controls' collections.
inline constexpr int32_t kElementNotFound = 35601;

inline Variant RecordingListEntry::Get(std::string_view member, const Args& args) {
  if (member == "Key") return Variant::Text(key_);
  return Object::Get(member, args);
}

inline void RecordingListEntry::Let(std::string_view member, const Variant& value, const Args& args) {
  if (member != "Selected" && member != "Key") return Object::Let(member, value, args);
  list_.Log()->Record("List " + key_ + ".Let " + std::string(member) + "(" + Show(value) + ")");
  if (member == "Key") key_ = value.GetText();
  if (member == "Selected" && value.ToBoolean()) list_.selected = list_.Find(key_);
}

inline Variant RecordingListEntry::Call(std::string_view member, const Args& args) {
  if (member != "EnsureVisible") return Object::Call(member, args);
  list_.Log()->Record("List " + key_ + ".EnsureVisible()");
  return Variant::Boolean(true);
}

inline Variant RecordingListEntries::Get(std::string_view member, const Args& args) {
  if (member != "Item") return Object::Get(member, args);
  const auto entry = list_.Find(args.Required(0, "Index").ToText());
  if (!entry) Raise(kElementNotFound, "List", "Element not found");
  return Variant::Object(entry);
}

inline RecordingList::RecordingList(std::shared_ptr<CallLog> log, std::string type_name,
                                    const std::vector<std::string>& keys)
    : RecordingDouble(std::move(log), "List"), type_name_(std::move(type_name)),
      collection_(std::make_shared<RecordingListEntries>(*this)) {
  for (const auto& key : keys) entries.push_back(std::make_shared<RecordingListEntry>(*this, key));
}

inline std::shared_ptr<RecordingListEntry> RecordingList::Find(const std::string& key) const {
  for (const auto& entry : entries)
    if (entry->Key() == key) return entry;
  return nullptr;
}

inline Variant RecordingList::Get(std::string_view member, const Args& args) {
  const bool tree = type_name_ == "TreeView";
  if ((tree && member == "Nodes") || (!tree && member == "ListItems")) return Variant::Object(collection_);
  if (member == "SelectedItem") return Variant::Object(selected);
  return Object::Get(member, args);
}

inline void RecordingList::Let(std::string_view member, const Variant& value, const Args& args) {
  if (member != "Row") return Object::Let(member, value, args);
  Hit("Let Row", value);
  row = value;
}

}  // namespace kw::testing
