// The headless tree view and its nodes.
#include "widgets/tree_view.h"

#include "ui_shared/platform/control_members.h"
#include "widgets/collection_helpers.h"

namespace kw::widgets {

const MemberTable<Node>& Node::Members() {
  static const MemberTable<Node> table{
      {"Image", MemberKind::kProperty, [](Node& n, const Args&) { return n.Image(); },
       [](Node& n, const Variant& v, const Args&) { n.image_ = v; }},
  };
  return table;
}

std::shared_ptr<Node> Nodes::Add(std::string key, std::string text, Variant image) {
  auto node = std::make_shared<Node>(std::move(key), std::move(text), std::move(image));
  Entries().Insert(node);
  return node;
}

std::shared_ptr<Node> Nodes::Item(const Variant& index) const {
  return std::static_pointer_cast<Node>(EntryCollection::Item(index));
}

const MemberTable<Nodes>& Nodes::Members() {
  static const MemberTable<Nodes> table{
      {member::kAdd, MemberKind::kMethod,
       [](Nodes& c, const Args& a) {
         const Variant* relative = a.Find(0, "Relative");
         if (relative && !relative->IsEmpty()) Raise(err::kInvalidCall);
         return Variant::Object(c.Add(OptionalText(a, 2, "Key"), OptionalText(a, 3, "Text"), a.Optional(4, "Image")));
       }},
  };
  return table;
}

TreeView::TreeView() : TreeView(std::make_shared<Nodes>()) {}

TreeView::TreeView(std::shared_ptr<Nodes> nodes) : LateBound(kClassName, nodes), nodes_(std::move(nodes)) {}

const MemberTable<TreeView>& TreeView::Members() {
  static const MemberTable<TreeView> table{
      {member::kNodes, MemberKind::kProperty, [](TreeView& t, const Args&) { return Variant::Object(t.nodes_); }},
  };
  return table;
}

}  // namespace kw::widgets
