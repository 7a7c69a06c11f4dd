// The headless list view: items by key and position, one selection, removal handing the
// selection on, sub-items, column headers and its window, all reached by member name.
#include "widgets/list_view.h"

#include <gtest/gtest.h>

#include "ui_shared/platform/service.h"
#include "widgets/image_list.h"

namespace kw::widgets {
namespace {

// Adds items by member name, as the library does.
ObjectPtr AddByName(ListView& view, const std::string& key, const std::string& text) {
  const ObjectPtr items = view.Get("ListItems").ToObject();
  return items->Call("Add", Args().Named("Key", Variant::Text(key)).Named("Text", Variant::Text(text))).ToObject();
}

int32_t ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.Number();
  }
  return 0;
}

// Items are found by key and by position, and their members answer by name.
TEST(ListView, FindsItemsByKeyAndPosition) {
  ListView view;
  AddByName(view, "K1", "Ann");
  AddByName(view, "K2", "Bob");
  const ObjectPtr items = view.Get("ListItems").ToObject();
  EXPECT_EQ(items->Get("Count").ToLong(), 2);
  EXPECT_EQ(items->Get("Item", {Variant::Text("K2")}).ToObject()->Get("Text").ToText(), "Bob");
  EXPECT_EQ(items->Get("Item", {Variant::Long(1)}).ToObject()->Get("Key").ToText(), "K1");
  EXPECT_EQ(items->Get("", {Variant::Integer(2)}).ToObject()->Get("Index").ToLong(), 2);
  EXPECT_EQ(ErrorNumberOf([&] { items->Get("Item", {Variant::Text("K9")}); }), widget_err::kElementNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { items->Get("Item", {Variant::Long(3)}); }), widget_err::kIndexOutOfBounds);
  EXPECT_EQ(ErrorNumberOf([&] { view.Get("NoSuchMember"); }), err::kNoSuchMember);
  EXPECT_EQ(view.TypeName(), "ListView");
  EXPECT_EQ(TypeNameOf(items), "ListItems");
}

// A key may be held by one item only, whether it is added or given later; empty keys repeat.
TEST(ListView, RefusesDuplicateKeysWithTheControlsError) {
  ListView view;
  AddByName(view, "K1", "Ann");
  const ObjectPtr second = AddByName(view, "K2", "Bob");
  EXPECT_EQ(ErrorNumberOf([&] { AddByName(view, "K1", "Again"); }), err::kKeyNotUnique);
  EXPECT_EQ(view.Items().Count(), 2);
  EXPECT_EQ(ErrorNumberOf([&] { second->Let("Key", Variant::Text("K1")); }), err::kKeyNotUnique);
  EXPECT_EQ(second->Get("Key").ToText(), "K2");

  second->Let("Key", Variant::Text("K7"));
  EXPECT_EQ(view.Items().Item(Variant::Text("K7")), second);
  EXPECT_EQ(ErrorNumberOf([&] { view.Items().Item(Variant::Text("K2")); }), widget_err::kElementNotFound);
  AddByName(view, "K2", "Reused");
  AddByName(view, "", "No key");
  AddByName(view, "", "No key either");
  EXPECT_EQ(view.Items().Count(), 5);
}

// Selecting an item unselects the one before; SelectedItem follows, and unselecting clears it.
TEST(ListView, KeepsOneItemSelected) {
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
  EXPECT_EQ(ErrorNumberOf([&] { view.Set("SelectedItem", stranger); }), widget_err::kEntryRemoved);
}

struct RemovalRow {
  const char* name;
  int selected;              // position selected before the removal, 0 for none
  const char* removed_key;
  const char* selected_after;  // "" for none
};

// Removing the selected item selects the one that takes its place, or the new last one;
// removing another item leaves the selection alone.
TEST(ListView, RemovalHandsTheSelectionToANeighbour) {
  const RemovalRow rows[] = {
      {"middle selected", 2, "K2", "K3"},  {"last selected", 3, "K3", "K2"}, {"first selected", 1, "K1", "K2"},
      {"other removed", 1, "K3", "K1"},    {"no selection", 0, "K2", ""},
  };
  for (const auto& row : rows) {
    ListView view;
    for (const char* key : {"K1", "K2", "K3"}) AddByName(view, key, key);
    if (row.selected) view.Items().Item(Variant::Long(row.selected))->Selected(true);
    const ObjectPtr removed = view.Items().Item(Variant::Text(row.removed_key));
    view.Get("ListItems").ToObject()->Call("Remove", {Variant::Text(row.removed_key)});
    const EntryPtr selected = view.SelectedItem();
    EXPECT_EQ(selected ? selected->Key() : "", row.selected_after) << row.name;
    EXPECT_EQ(view.Items().Count(), 2) << row.name;
    EXPECT_FALSE(removed->Get("Selected").ToBoolean()) << row.name;
    EXPECT_EQ(ErrorNumberOf([&] { removed->Let("Selected", Variant::Boolean(true)); }), widget_err::kEntryRemoved)
        << row.name;
  }
}

// Sub-items, small icons, column headers and the image list are kept as given.
TEST(ListView, KeepsSubItemsIconsAndHeaders) {
  ListView view;
  const ObjectPtr headers = view.Get("ColumnHeaders").ToObject();
  headers->Call("Add", Args().Named("Text", Variant::Text("Name")).Named("Width", Variant::Integer(1500)));
  headers->Call("Add", Args().Named("Text", Variant::Text("Age")).Named("Width", Variant::Integer(600)));
  EXPECT_EQ(headers->Get("Count").ToLong(), 2);
  EXPECT_EQ(view.Columns().Item(Variant::Long(2))->Text(), "Age");
  EXPECT_EQ(view.Columns().Item(Variant::Long(1))->Width(), 1500);

  const ObjectPtr item =
      view.Get("ListItems")
          .ToObject()
          ->Call("Add", Args()
                            .Named("Key", Variant::Text("K1"))
                            .Named("Text", Variant::Text("Ann"))
                            .Named("SmallIcon", Variant::Integer(3)))
          .ToObject();
  item->Get("ListSubItems").ToObject()->Call("Add", Args().Named("Text", Variant::Text("42")));
  const auto typed = view.Items().Item(Variant::Text("K1"));
  EXPECT_EQ(typed->SmallIcon().ToLong(), 3);
  EXPECT_EQ(typed->SubItems().Item(1)->Text(), "42");

  auto images = std::make_shared<ImageList>();
  images->Images().Add(std::make_shared<Picture>(16, 16), "home");
  view.Set("SmallIcons", images);
  EXPECT_EQ(view.SmallIcons(), images);
  EXPECT_EQ(images->Get("ListImages").ToObject()->Get("Count").ToLong(), 1);
  headers->Call("Clear");
  EXPECT_EQ(view.Columns().Count(), 0);
}

// The window's class name starts with "ListView", so an 8-character read recognises it; the
// window goes with the control.
TEST(ListView, OwnsAWindowWhoseClassNameStartsWithListView) {
  ScopedService<WindowTable> windows{std::make_shared<WindowTable>()};
  Hwnd hwnd = 0;
  {
    ListView view;
    hwnd = static_cast<Hwnd>(view.Get("hwnd").ToLong());
    EXPECT_EQ(windows->ClassName(hwnd, 9), "ListView");
  }
  EXPECT_FALSE(windows->Exists(hwnd));
}

// SetFocus gives the control the focus, and fails with 5 while the control refuses it.
TEST(ListView, SetFocusFailsWhileRefused) {
  ListView view;
  view.RefuseFocus(true);
  EXPECT_EQ(ErrorNumberOf([&] { view.Call("SetFocus"); }), err::kInvalidCall);
  EXPECT_FALSE(view.HasFocus());
  view.RefuseFocus(false);
  view.Call("SetFocus");
  EXPECT_TRUE(view.HasFocus());
}

}  // namespace
}  // namespace kw::widgets
