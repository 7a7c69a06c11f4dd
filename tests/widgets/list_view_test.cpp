// The headless list and tree views reached by name: entries, one selection, removal, sub-items, headers.
#include "widgets/list_view.h"

#include <gtest/gtest.h>

#include "tests/doubles/raised.h"
#include "ui_shared/platform/service.h"
#include "widgets/image_list.h"
#include "widgets/tree_view.h"

namespace kw::widgets {
namespace {

using testing::Raised;

// Adds an entry by member name, as the library does: a list item with a small icon, or a tree node with an image.
ObjectPtr AddByName(EntryControl& view, const std::string& key, const std::string& text,
                    const Variant& image = Variant()) {
  const bool tree = view.TypeName() == "TreeView";
  Args args;
  args.Named("Key", Variant::Text(key)).Named("Text", Variant::Text(text));
  if (!image.IsEmpty()) args.Named(tree ? "Image" : "SmallIcon", image);
  return view.Get(tree ? "Nodes" : "ListItems").ToObject()->Call("Add", args).ToObject();
}

// A key may be held by one item only, whether it is added or given later; empty keys repeat.
TEST(ListView, KeepsOneItemSelectedAndFindsItemsByUniqueKeyOrPosition) {
  ListView view;
  const ObjectPtr first = AddByName(view, "K1", "Ann");
  const ObjectPtr second = AddByName(view, "K2", "Bob");
  EXPECT_FALSE(view.Get("SelectedItem").ToObject());
  first->Let("Selected", Variant::Boolean(true));
  second->Let("Selected", Variant::Boolean(true));
  EXPECT_FALSE(first->Get("Selected").ToBoolean());
  EXPECT_TRUE(second->Get("Selected").ToBoolean());
  EXPECT_EQ(view.Get("SelectedItem").ToObject(), second);
  first->Let("Selected", Variant::Boolean(false));
  EXPECT_EQ(view.Get("SelectedItem").ToObject(), second);
  second->Let("Selected", Variant::Boolean(false));
  EXPECT_FALSE(view.Get("SelectedItem").ToObject());
  view.Set("SelectedItem", first);
  EXPECT_TRUE(first->Get("Selected").ToBoolean());
  ListView other;
  const ObjectPtr stranger = AddByName(other, "K1", "Elsewhere");
  EXPECT_EQ(Raised([&] { view.Set("SelectedItem", stranger); }).Number(), widget_err::kEntryRemoved);

  const ObjectPtr items = view.Get("ListItems").ToObject();
  EXPECT_EQ(items->Get("Count").ToLong(), 2);
  EXPECT_EQ(items->Get("Item", {Variant::Text("K2")}).ToObject()->Get("Text").ToText(), "Bob");
  EXPECT_EQ(items->Get("Item", {Variant::Long(1)}).ToObject()->Get("Key").ToText(), "K1");
  EXPECT_EQ(items->Get("", {Variant::Integer(2)}).ToObject()->Get("Index").ToLong(), 2);
  EXPECT_EQ(Raised([&] { items->Get("Item", {Variant::Text("K9")}); }).Number(), widget_err::kElementNotFound);
  EXPECT_EQ(Raised([&] { items->Get("Item", {Variant::Long(3)}); }).Number(), widget_err::kIndexOutOfBounds);
  EXPECT_EQ(Raised([&] { view.Get("NoSuchMember"); }).Number(), err::kNoSuchMember);
  EXPECT_EQ(view.TypeName(), "ListView");
  EXPECT_EQ(TypeNameOf(items), "ListItems");

  EXPECT_EQ(Raised([&] { AddByName(view, "K1", "Again"); }).Number(), err::kKeyNotUnique);
  EXPECT_EQ(view.Items().Count(), 2);
  EXPECT_EQ(Raised([&] { second->Let("Key", Variant::Text("K1")); }).Number(), err::kKeyNotUnique);
  EXPECT_EQ(second->Get("Key").ToText(), "K2");

  second->Let("Key", Variant::Text("K7"));
  EXPECT_EQ(view.Items().Item(Variant::Text("K7")), second);
  EXPECT_EQ(Raised([&] { view.Items().Item(Variant::Text("K2")); }).Number(), widget_err::kElementNotFound);
  AddByName(view, "K2", "Reused");
  AddByName(view, "", "No key");
  AddByName(view, "", "No key either");
  EXPECT_EQ(view.Items().Count(), 5);
}

// Rows: the position selected before (0 for none), the key removed, the key selected after.
TEST(ListView, RemovalHandsTheSelectionToANeighbour) {
  const std::tuple<const char*, int, const char*, const char*> rows[] = {
      {"middle selected", 2, "K2", "K3"}, {"last selected", 3, "K3", "K2"}, {"first selected", 1, "K1", "K2"},
      {"other removed", 1, "K3", "K1"},   {"no selection", 0, "K2", ""},
  };
  for (const bool tree : {false, true})
    for (const auto& [name, selected_before, removed_key, selected_after] : rows) {
      const std::shared_ptr<EntryControl> view =
          tree ? std::shared_ptr<EntryControl>(std::make_shared<TreeView>()) : std::make_shared<ListView>();
      const ObjectPtr entries = view->Get(tree ? "Nodes" : "ListItems").ToObject();
      for (const char* key : {"K1", "K2", "K3"}) AddByName(*view, key, key);
      if (selected_before) view->Entries().At(selected_before)->Selected(true);
      const ObjectPtr removed = entries->Get("Item", {Variant::Text(removed_key)}).ToObject();
      entries->Call("Remove", {Variant::Text(removed_key)});
      const ObjectPtr selected = view->Get("SelectedItem").ToObject();
      EXPECT_EQ(selected ? selected->Get("Key").ToText() : "", selected_after) << name << tree;
      EXPECT_EQ(view->Entries().Count(), 2) << name;
      EXPECT_FALSE(removed->Get("Selected").ToBoolean()) << name;
      EXPECT_EQ(Raised([&] { removed->Let("Selected", Variant::Boolean(true)); }).Number(), widget_err::kEntryRemoved)
          << name;
    }
}

// Only top-level nodes are added: a relative with a relationship (4, a child) is refused.
TEST(TreeView, AddsTopLevelNodesWithUniqueKeysAndImages) {
  TreeView tree;
  const ObjectPtr nodes = tree.Get("Nodes").ToObject();
  AddByName(tree, "K1", "K1", Variant::Integer(2));
  AddByName(tree, "K2", "K2");
  EXPECT_EQ(tree.TypeName(), "TreeView");
  const ObjectPtr ann = nodes->Get("Item", {Variant::Text("K1")}).ToObject();
  EXPECT_EQ(TypeNameOf(ann), "Node");
  EXPECT_EQ(ann->Get("Image").ToLong(), 2);
  EXPECT_TRUE(tree.TreeNodes().Item(Variant::Text("K2"))->Image().IsEmpty());
  EXPECT_EQ(Raised([&] { AddByName(tree, "K2", "K2"); }).Number(), err::kKeyNotUnique);
  EXPECT_EQ(
      Raised([&] {
        nodes->Call("Add", {Variant::Text("K1"), Variant::Integer(4), Variant::Text("K3"), Variant::Text("Child")});
      }).Number(),
      err::kInvalidCall);
  EXPECT_EQ(nodes->Get("Count").ToLong(), 2);
}

TEST(ListView, KeepsHeadersIconsAndSubItems) {
  ListView view;
  const ObjectPtr headers = view.Get("ColumnHeaders").ToObject();
  headers->Call("Add", Args().Named("Text", Variant::Text("Name")).Named("Width", Variant::Integer(1500)));
  headers->Call("Add", Args().Named("Text", Variant::Text("Age")).Named("Width", Variant::Integer(600)));
  EXPECT_EQ(headers->Get("Count").ToLong(), 2);
  EXPECT_EQ(view.Columns().Item(Variant::Long(2))->Text(), "Age");
  EXPECT_EQ(view.Columns().Item(Variant::Long(1))->Width(), 1500);
  headers->Call("Clear");
  EXPECT_EQ(view.Columns().Count(), 0);
  auto images = std::make_shared<ImageList>();
  images->Images().Add(std::make_shared<Picture>(16, 16), "home");
  view.Set("SmallIcons", images);
  EXPECT_EQ(view.SmallIcons(), images);
  EXPECT_EQ(images->Get("ListImages").ToObject()->Get("Count").ToLong(), 1);

  const ObjectPtr subs = AddByName(view, "K1", "Ann", Variant::Integer(3))->Get("ListSubItems").ToObject();
  const std::string long_text(40, 'x');
  subs->Call("Add", Args().Named("Text", Variant::Text("b")));
  subs->Call("Add", Args().Named("Text", Variant::Text(long_text)).Named("Key", Variant::Text("L")));
  const ObjectPtr first = subs->Call("Add", Args{Variant::Long(1), Variant::Text("A"), Variant::Text("")}).ToObject();
  subs->Call("Add", Args().Named("Index", Variant::Long(4)).Named("Text", Variant::Text("end")));
  EXPECT_EQ(first->Get("Key").GetText(), "A");
  EXPECT_EQ(first->Get("Text").GetText(), "");
  const auto typed = view.Items().Item(Variant::Text("K1"));
  EXPECT_EQ(typed->SmallIcon().ToLong(), 3);
  EXPECT_EQ(typed->SubItems().Item(2)->Text(), "b");
  const ListSubItemTexts& texts = typed->SubItems();
  ASSERT_EQ(subs->Get("Count").ToLong(), 4);
  const std::tuple<int32_t, std::string, std::string> rows[] = {
      {1, "", "A"}, {2, "b", ""}, {3, long_text, "L"}, {4, "end", ""}};
  for (const auto& [position, text, key] : rows) {
    EXPECT_EQ(texts.Text(position), text) << position;
    EXPECT_EQ(texts.Key(position), key) << position;
    EXPECT_EQ(subs->Get("Item", {Variant::Long(position)}).ToObject()->Get("").GetText(), text);
  }
  EXPECT_EQ(Raised([&] { (void)texts.Text(5); }).Number(), widget_err::kIndexOutOfBounds);
  EXPECT_EQ(Raised([&] { subs->Call("Add", Args{Variant::Long(6)}); }).Number(), widget_err::kIndexOutOfBounds);
}

// The sub-items of one item after another, reached by name and let go of at once as a fill does,
// each reach their own item's texts, and so does the sub-item an Add returns; a collection still
// held stays with its item. An Add whose caller drops the result returns none.
TEST(ListView, SubItemsReachedItemAfterItemStayWithTheirItem) {
  ListView view;
  const ObjectPtr held = AddByName(view, "K1", "Ann")->Get("ListSubItems").ToObject();
  held->Call("Add", Args().Named("Text", Variant::Text("a1")));
  for (const std::string& n : std::vector<std::string>{"2", "3", "4"}) {
    const ObjectPtr subs = AddByName(view, "K" + n, "Item " + n)->Get("ListSubItems").ToObject();
    const Variant dropped = subs->Call("Add", Args().Named("Text", Variant::Text("x" + n)).ResultUnused());
    EXPECT_TRUE(dropped.IsEmpty()) << n;
    const ObjectPtr returned = subs->Call("Add", Args().Named("Text", Variant::Text("y" + n))).ToObject();
    EXPECT_EQ(returned->Get("Text").GetText(), "y" + n);
  }
  held->Call("Add", Args().Named("Text", Variant::Text("a2")));
  const std::tuple<std::string, std::string, std::string> rows[] = {
      {"K1", "a1", "a2"}, {"K2", "x2", "y2"}, {"K3", "x3", "y3"}, {"K4", "x4", "y4"}};
  for (const auto& [key, first, second] : rows) {
    const ListSubItemTexts& texts = view.Items().Item(Variant::Text(key))->SubItems();
    ASSERT_EQ(texts.Count(), 2) << key;
    EXPECT_EQ(std::tuple(texts.Text(1), texts.Text(2)), std::tuple(first, second)) << key;
  }
}

// An item keeps its own text beside its sub-items' texts, and a sub-item handed out keeps its own:
// an insert before them, later adds, and texts too long for a one-byte length given before or after
// leave each in its place, and an object still held is never handed out again.
TEST(ListView, ItemAndSubItemTextsKeepTheirPlacesAcrossInsertsAndAdds) {
  ListView view;
  const ObjectPtr item = AddByName(view, "K1", "Ann");
  item->Let("Text", Variant::Text("Anna"));
  const ObjectPtr subs = item->Get("ListSubItems").ToObject();
  const auto add_text = [&](const std::string& text) {
    return subs->Call("Add", Args().Named("Text", Variant::Text(text))).ToObject();
  };
  const std::string long_text(300, 'y');
  const std::string long_name(300, 'n');
  const ObjectPtr b =
      subs->Call("Add", Args().Named("Text", Variant::Text("b")).Named("Key", Variant::Text("kb"))).ToObject();
  const ObjectPtr longer = add_text(long_text);
  item->Let("Text", Variant::Text(long_name));
  subs->Call("Add", Args{Variant::Long(1), Variant::Text("ka"), Variant::Text("a")});
  const ObjectPtr d = add_text("d");
  EXPECT_NE(b, d);
  EXPECT_NE(longer, d);
  EXPECT_EQ(item->Get("Text").GetText(), long_name);
  EXPECT_EQ(std::tuple(b->Get("Text").GetText(), b->Get("Key").GetText()), std::tuple("b", "kb"));
  EXPECT_EQ(longer->Get("Text").GetText(), long_text);
  EXPECT_EQ(d->Get("").GetText(), "d");
  const ListSubItemTexts& texts = view.Items().Item(Variant::Text("K1"))->SubItems();
  const std::tuple<int32_t, std::string, std::string> rows[] = {
      {1, "a", "ka"}, {2, "b", "kb"}, {3, long_text, ""}, {4, "d", ""}};
  for (const auto& [position, text, key] : rows) {
    EXPECT_EQ(std::tuple(texts.Text(position), texts.Key(position)), std::tuple(text, key)) << position;
  }
}

// An item's icon reads back as the kind of value it was given.
TEST(ListView, ItemIconsReadBackAsTheKindGiven) {
  ListView view;
  struct IconCase {
    const char* kind;
    Variant icon;
  };
  const IconCase icons[] = {{"none", Variant()},
                            {"integer", Variant::Integer(-3)},
                            {"long", Variant::Long(70000)},
                            {"key", Variant::Text("home")},
                            {"double", Variant::Double(2.5)}};
  for (const IconCase& icon_case : icons) {
    const ObjectPtr added = AddByName(view, std::string("I") + icon_case.kind, "x", icon_case.icon);
    const Variant read = added->Get("SmallIcon");
    EXPECT_EQ(read.Type(), icon_case.icon.Type()) << icon_case.kind;
    EXPECT_TRUE(VariantEquals(read, icon_case.icon)) << icon_case.kind;
    added->Let("SmallIcon", Variant::Text("later"));
    EXPECT_EQ(added->Get("SmallIcon").GetText(), "later") << icon_case.kind;
  }
}

// The window's class name starts with "ListView", so that an 8-character read recognises it.
TEST(ListView, OwnsAWindowAndTakesTheFocus) {
  ScopedService<WindowTable> windows{std::make_shared<WindowTable>()};
  auto view = std::make_shared<ListView>();
  const auto hwnd = static_cast<Hwnd>(view->Get("hwnd").ToLong());
  EXPECT_EQ(windows->ClassName(hwnd, 9), "ListView");
  view->RefuseFocus(true);
  EXPECT_EQ(Raised([&] { view->Call("SetFocus"); }).Number(), err::kInvalidCall);
  EXPECT_FALSE(view->HasFocus());
  view->RefuseFocus(false);
  view->Call("SetFocus");
  EXPECT_TRUE(view->HasFocus());
  view.reset();
  EXPECT_FALSE(windows->Exists(hwnd));
}

}  // namespace
}  // namespace kw::widgets
