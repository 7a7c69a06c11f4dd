// The headless tree view: top-level nodes by key, image indexes, one selection and removal.
#include "widgets/tree_view.h"

#include <gtest/gtest.h>

#include "tests/doubles/raised.h"

namespace kw::widgets {
namespace {

using testing::Raised;

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
  EXPECT_EQ(Raised([&] { AddNode(tree, "K2", "Again"); }).Number(), err::kKeyNotUnique);
  EXPECT_EQ(Raised([&] {
              nodes->Call("Add", {Variant::Text("K1"), Variant::Integer(4), Variant::Text("K3"), Variant::Text("Child")});
            }).Number(),
            err::kInvalidCall);
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

}  // namespace
}  // namespace kw::widgets
