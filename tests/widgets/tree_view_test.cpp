// The headless tree view: top-level nodes by key, image indexes, one selection, removal, and
// its window.
#include "widgets/tree_view.h"

#include <gtest/gtest.h>

#include "ui_shared/platform/service.h"

namespace kw::widgets {
namespace {

ObjectPtr AddNode(TreeView& tree, const std::string& key, const std::string& text, Variant image = Variant()) {
  Args args;
  args.Named("Key", Variant::Text(key)).Named("Text", Variant::Text(text));
  if (!image.IsEmpty()) args.Named("Image", image);
  return tree.Get("Nodes").ToObject()->Call("Add", args).ToObject();
}

// Nodes are added at the top level by name, found by key, and refuse a duplicate key with 35602.
TEST(TreeView, AddsTopLevelNodesWithUniqueKeys) {
  TreeView tree;
  AddNode(tree, "K1", "Ann", Variant::Integer(2));
  AddNode(tree, "K2", "Bob");
  EXPECT_EQ(tree.TypeName(), "TreeView");
  const ObjectPtr nodes = tree.Get("Nodes").ToObject();
  EXPECT_EQ(nodes->Get("Count").ToLong(), 2);
  const ObjectPtr ann = nodes->Get("Item", {Variant::Text("K1")}).ToObject();
  EXPECT_EQ(TypeNameOf(ann), "Node");
  EXPECT_EQ(ann->Get("Image").ToLong(), 2);
  EXPECT_TRUE(tree.TreeNodes().Item(Variant::Text("K2"))->Image().IsEmpty());
  try {
    AddNode(tree, "K2", "Again");
    FAIL() << "duplicate accepted";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kKeyNotUnique);
  }
  try {
    nodes->Call("Add", {Variant::Text("K1"), Variant::Integer(4), Variant::Text("K3"), Variant::Text("Child")});
    FAIL() << "child node accepted";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kInvalidCall);
  }
  EXPECT_EQ(tree.TreeNodes().Count(), 2);
}

// Selecting a node unselects the other; removing it selects the node that takes its place.
TEST(TreeView, SelectionMovesToANeighbourOnRemoval) {
  TreeView tree;
  for (const char* key : {"K1", "K2", "K3"}) AddNode(tree, key, key);
  tree.TreeNodes().Item(Variant::Text("K1"))->Selected(true);
  tree.TreeNodes().Item(Variant::Text("K2"))->Selected(true);
  EXPECT_FALSE(tree.TreeNodes().Item(Variant::Text("K1"))->Selected());
  tree.Get("Nodes").ToObject()->Call("Remove", {Variant::Text("K2")});
  EXPECT_EQ(tree.SelectedNode()->Key(), "K3");
  tree.TreeNodes().Remove(Variant::Text("K3"));
  EXPECT_EQ(tree.Get("SelectedItem").ToObject()->Get("Key").ToText(), "K1");
}

// The window's class name starts with "TreeView".
TEST(TreeView, OwnsAWindowWhoseClassNameStartsWithTreeView) {
  ScopedService<WindowTable> windows{std::make_shared<WindowTable>()};
  TreeView tree;
  EXPECT_EQ(windows->ClassName(static_cast<Hwnd>(tree.Get("hwnd").ToLong()), 9), "TreeView");
}

}  // namespace
}  // namespace kw::widgets
