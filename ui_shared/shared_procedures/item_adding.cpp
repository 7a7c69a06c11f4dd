// SharedProcedures: adding items. A new record is appended to the business object and shown as a
// new list item or tree node, after the record being edited has been secured.
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/control_members.h"
#include "ui_shared/shared_procedures/list_keys.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {
namespace {
// How entries are added to a kind of control: its entry collection and the name of the icon
// argument.
struct EntryKind {
  std::string_view collection;
  std::string_view icon;
};

// The kind of control by its type name; nullptr for a control that is neither list nor tree.
const EntryKind* EntryKindOf(const std::string& type_name) {
  static constexpr EntryKind kListView{"ListItems", "SmallIcon"};
  static constexpr EntryKind kTreeView{"Nodes", "Image"};
  if (type_name == "ListView") return &kListView;
  if (type_name == "TreeView") return &kTreeView;
  return nullptr;
}
}  // namespace

ObjectPtr SharedProcedures::AddItem(const ObjectPtr& lvListView, const ObjectPtr& ilImageList, int16_t intImageIndex,
                                    const LIPtr& objLI, const ObjectPtr& itmCurrentItem, const std::string& KeyPrefix,
                                    const std::string& LvText, bool, bool& blnNotAdded, bool blnAutoFillParent) {
  return Guarded(class_ids::kSharedProcedures, "AddItem", [&](Line& line) -> ObjectPtr {
    line = 10;
    I_LI& li = Required(objLI);
    if (li.IsDirty() && SecureCurrentRecord(objLI) != Secured::kKept) {
      blnNotAdded = true;
      return itmCurrentItem;
    }
    line = 20;
    li.AddNew();
    line = 30;
    if (blnAutoFillParent) SetHomesOrHomeMontlyStatsID(objLI);
    line = 40;
    const std::string key = ListKey(KeyPrefix, li.FieldValueAt(li.CurrentIndex(), 1));
    line = 50;
    const EntryKind* kind = EntryKindOf(TypeNameOf(lvListView));
    ObjectPtr entry;
    if (kind) {
      Args add;
      add.Named("Key", Variant::Text(key)).Named("Text", Variant::Text(LvText));
      if (ilImageList) add.Named(std::string(kind->icon), Variant::Integer(intImageIndex));
      const ObjectPtr entries = GetMember(lvListView, kind->collection).ToObject();
      entry = CallMember(entries, member::kAdd, add).ToObject();
      line = 60;
      LetMember(GetMember(entries, member::kItem, {Variant::Text(key)}).ToObject(), member::kSelected,
                Variant::Boolean(true));
    }
    line = 70;
    try {
      CallMember(lvListView, member::kSetFocus);
    } catch (const Error&) {
      // A control that cannot take the focus now keeps the new entry all the same.
    }
    line = 80;
    Owner().ToggleReadWrite();
    return entry;
  });
}

}  // namespace kw
