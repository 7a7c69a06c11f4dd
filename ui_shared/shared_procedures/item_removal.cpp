// SharedProcedures: removing items. The selected entry of a list or tree goes together with the
// business object's current record, and the entry selected next becomes current.
#include <tuple>

#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/platform/control_members.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/text.h"
#include "ui_shared/platform/windows.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {
namespace {
constexpr std::string_view kDeleteQuestion = "Are you sure you want to delete this entry?";
constexpr int32_t kDeleteQuestionRuleNumber = 2185;
// The class-name buffer: 8 characters and the one that ends the text.
constexpr size_t kClassNameBuffer = 9;
// What CurrentIndex reads right after a deletion until the object settles on a record.
constexpr int32_t kIndexAfterDeletion = -3;

// True when the control's window class names a tree view.
bool IsTreeWindow(const ObjectPtr& control) {
  const auto hwnd = static_cast<Hwnd>(GetMember(control, member::kHwnd).ToLong());
  return text::InStr(Service<WindowTable>::Get().ClassName(hwnd, kClassNameBuffer), "TreeView") != 0;
}
}  // namespace

ObjectPtr SharedProcedures::RemoveItem(const ObjectPtr& objLvOrTree, const LIPtr& objLI, const std::string&,
                                       const ObjectPtr& objItemOrNode, bool& Removed, const std::string& MsgText,
                                       bool DisableMessage) {
  return Guarded(class_ids::kSharedProcedures, "RemoveItem", [&](Line& line) -> ObjectPtr {
    line = 10;
    const ObjectPtr selected = GetMember(objLvOrTree, member::kSelectedItem).ToObject();
    if (!selected) return objItemOrNode;
    line = 20;
    const std::string question = MsgText.empty() ? std::string(kDeleteQuestion) : MsgText;
    line = 30;
    if (!DisableMessage && ShowFeedbackForm(question, "", kRuleQuestion, kDeleteQuestionRuleNumber) != 0) {
      Removed = false;
      return objItemOrNode;
    }
    line = 40;
    I_LI& li = Required(objLI);
    if (!li.IsNew()) {
      li.Delete();
      std::ignore = li.Save(true);  // forced: a deletion breaks no rule of the record
    } else {
      li.CancelEdit();
    }
    line = 50;
    const ObjectPtr entries =
        GetMember(objLvOrTree, IsTreeWindow(objLvOrTree) ? member::kNodes : member::kListItems).ToObject();
    CallMember(entries, member::kRemove, {GetMember(selected, member::kKey)});
    line = 60;
    CallMember(objLvOrTree, member::kSetFocus);
    line = 70;
    ObjectPtr result;
    if (li.Count() != 0) {
      line = 71;
      const Variant current = li.CurrentIndex();
      if (VariantEquals(current, Variant::Long(kIndexAfterDeletion))) li.CurrentIndex(current);
      line = 72;
      ObjectPtr no_previous;
      bool changed = false;
      result = ItemClick(GetMember(objLvOrTree, member::kSelectedItem).ToObject(), no_previous, objLI, changed, "",
                         true, Variant::Boolean(true), Variant::Boolean(true));
    }
    line = 80;
    Removed = true;
    line = 90;
    Owner().ToggleReadWrite();
    return result;
  });
}

}  // namespace kw
