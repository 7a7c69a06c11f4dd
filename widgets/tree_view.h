// TreeView: the headless tree view. Its nodes (`Nodes`) are top-level nodes with a key, a text and
// an image index; it keeps one node selected at a time, owns a window of class
// "TreeView20WndClass", and takes the focus unless told to refuse it.
#pragma once

#include <memory>
#include <string>

#include "widgets/entry_control.h"

namespace kw::widgets {

// One node of a tree view.
class Node : public LateBound<Node, KeyedEntry> {
 public:
  // A node with `key`, `text` and its image in the tree's image list (Empty for none).
  Node(std::string key, std::string text, Variant image)
      : LateBound(std::move(key)), text_(std::move(text)), image_(std::move(image)) {}
  // The type name the runtime reports: "Node".
  std::string TypeName() const override { return "Node"; }
  // The image index or key in the tree's image list; Empty when none was given.
  const Variant& Image() const { return image_; }
  // The members reached by name besides an entry's: Image.
  static const MemberTable<Node>& Members();

 protected:
  // The node's text.
  std::string_view ShownText() const override { return text_; }
  // Replaces the node's text.
  void ShowText(std::string text) override { text_ = std::move(text); }

 private:
  std::string text_;
  Variant image_;
};

// The nodes of a tree view. `Add` takes Relative, Relationship, Key, Text and Image; this model
// holds top-level nodes only, so a Relative is refused with 5.
class Nodes : public LateBound<Nodes, EntryCollection> {
 public:
  // The type name the runtime reports: "Nodes".
  std::string TypeName() const override { return "Nodes"; }
  // Adds a top-level node at the end; 35602 for a key already in use.
  std::shared_ptr<Node> Add(std::string key, std::string text, Variant image = Variant());
  // The node at a 1-based position, or of a key when `index` is text; 35600 / 35601 when there is
  // none.
  std::shared_ptr<Node> Item(const Variant& index) const;
  // The members reached by name besides a collection's: Add.
  static const MemberTable<Nodes>& Members();
};

// The headless tree view: top-level nodes with a key, a text and an image index, one node selected
// at a time, a window of class "TreeView20WndClass".
class TreeView : public LateBound<TreeView, EntryControl> {
 public:
  // The window class of a tree view.
  static constexpr const char* kClassName = "TreeView20WndClass";

  TreeView();
  // The type name the runtime reports: "TreeView".
  std::string TypeName() const override { return "TreeView"; }

  // The nodes.
  Nodes& TreeNodes() { return *nodes_; }
  // The selected node; nullptr when none.
  std::shared_ptr<Node> SelectedNode() const { return std::static_pointer_cast<Node>(SelectedItem()); }

  // The members reached by name besides a control's: Nodes.
  static const MemberTable<TreeView>& Members();

 private:
  explicit TreeView(std::shared_ptr<Nodes> nodes);

  std::shared_ptr<Nodes> nodes_;
};

}  // namespace kw::widgets
