// SharedProcedures: item selection. A click on a list entry or tree node secures the record being
// left and moves the business object's current record to the clicked entry's record.
#include <tuple>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/contracts/sibling_codes.h"
#include "ui_shared/platform/control_members.h"
#include "ui_shared/shared_procedures/list_keys.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {
namespace {
// A variant flag: true for any nonzero value, false for 0, false and null.
bool FlagIsSet(const Variant& flag) { return !flag.IsNull() && flag.ToBoolean(); }

std::string KeyOf(const ObjectPtr& entry) { return GetMember(entry, member::kKey).ToText(); }
}  // namespace

SharedProcedures::Secured SharedProcedures::SecureCurrentRecord(const LIPtr& objLI) {
  if (Required(objLI).SaveMode() == kSaveModeBatch) {
    Owner().ValidateMyControls();
    if (!ValidateRecord(objLI, false, nullptr, nullptr, true)) return Secured::kRefusedByValidation;
    std::ignore = objLI->Save(true);  // forced: stores whatever the rules say
    return Secured::kKept;
  }
  return OnSave(objLI, false) ? Secured::kKept : Secured::kRefusedBySave;
}

ObjectPtr SharedProcedures::ItemClick(const ObjectPtr& ClickedItem, ObjectPtr& PreviousItem, const LIPtr& objLI,
                                      bool& bChanged, const std::string& KeyPrefix, bool blnDeleted,
                                      const Variant& blnSavePrevious, const Variant& blnChangeLIIndex) {
  return Guarded(class_ids::kSharedProcedures, "ItemClick", [&](Line& line) -> ObjectPtr {
    line = 10;
    bool first_click = false;
    if (!PreviousItem) {
      PreviousItem = ClickedItem;
      first_click = true;
    }
    line = 20;
    if (!ClickedItem && !PreviousItem) return nullptr;
    line = 30;
    if (!first_click && KeyOf(ClickedItem) == KeyOf(PreviousItem)) return PreviousItem;
    line = 40;
    I_LI& li = Required(objLI);
    if (!blnDeleted && FlagIsSet(blnSavePrevious) && !IsNonInteractiveSendOff() && li.IsDirty()) {
      line = 41;
      switch (SecureCurrentRecord(objLI)) {
        case Secured::kRefusedByValidation:
          line = 42;
          LetMember(ClickedItem, member::kSelected, Variant::Boolean(false));
          LetMember(PreviousItem, member::kSelected, Variant::Boolean(true));
          return PreviousItem;
        case Secured::kRefusedBySave:
          line = 43;
          LetMember(PreviousItem, member::kSelected, Variant::Boolean(true));
          return PreviousItem;
        case Secured::kKept: break;
      }
    }
    line = 50;
    if (KeyOf(PreviousItem) == scNew)
      LetMember(PreviousItem, member::kKey, Variant::Text(ListKey(KeyPrefix, li.FieldValueAt(li.CurrentIndex(), 1))));
    line = 60;
    if (FlagIsSet(blnChangeLIIndex)) {
      line = 61;
      if (li.IsDirty() && !IsNonInteractiveSendOff()) li.CancelEdit();
      line = 62;
      const std::string record_key = RecordKeyOf(KeyOf(ClickedItem), KeyPrefix);
      line = 63;
      if (li.Exists(record_key)) li.CurrentIndex(Variant::Text(record_key));
    }
    line = 70;
    LetMember(ClickedItem, member::kSelected, Variant::Boolean(true));
    CallMember(ClickedItem, member::kEnsureVisible);
    bChanged = true;
    return ClickedItem;
  });
}

}  // namespace kw
