// RecordingList: a list control double reached by member name, as the record error display reaches
// the form's lists: a "TreeView", a "ListView" or a "TrfEditGrid" by its type name, with entries
// found by key ("Nodes" or "ListItems" then "Item"), "Selected", "SelectedItem" and "Row", each
// write logged into the shared CallLog.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/doubles/call_log.h"
#include "ui_shared/platform/object.h"

namespace kw::testing {

class RecordingList;

// An entry of a RecordingList: a list item or a tree node with a key.
class RecordingListEntry : public Object {
 public:
  RecordingListEntry(RecordingList& list, std::string key) : list_(list), key_(std::move(key)) {}
  std::string TypeName() const override { return "ListItem"; }
  Variant Get(std::string_view member, const Args& args = {}) override;
  void Let(std::string_view member, const Variant& value, const Args& args = {}) override;
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
  void Select(const std::shared_ptr<RecordingListEntry>& entry) { selected = entry; }

  std::vector<std::shared_ptr<RecordingListEntry>> entries;
  std::shared_ptr<RecordingListEntry> selected;
  Variant row;

 private:
  std::string type_name_;
  std::shared_ptr<RecordingListEntries> collection_;
};

}  // namespace kw::testing
