// SharedProcedures: removing items. The selected entry of a list or tree goes together with the
// business object's current record, and the entry selected next becomes current.
#include "ui_shared/location.h"
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
  const auto hwnd = static_cast<Hwnd>(GetMember(control, "hwnd").ToLong());
  return text::InStr(Service<WindowTable>::Get().ClassName(hwnd, kClassNameBuffer), "TreeView") != 0;
}
}  // namespace

ObjectPtr SharedProcedures::RemoveItem(const ObjectPtr& objLvOrTree, const LIPtr& objLI, const std::string&,
                                       const ObjectPtr& objItemOrNode, bool& Removed, const std::string& MsgText,
                                       bool DisableMessage) {
  return Guarded(kSharedProceduresClass, "RemoveItem", [&](Line& line) -> ObjectPtr {
    line = 10;
    const ObjectPtr selected = GetMember(objLvOrTree, "SelectedItem").ToObject();
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
      (void)li.Save(true);
    } else {
      li.CancelEdit();
    }
    line = 50;
    const ObjectPtr entries = GetMember(objLvOrTree, IsTreeWindow(objLvOrTree) ? "Nodes" : "ListItems").ToObject();
    CallMember(entries, "Remove", {GetMember(selected, "Key")});
    line = 60;
    CallMember(objLvOrTree, "SetFocus");
    line = 70;
    ObjectPtr result;
    if (li.Count() != 0) {
      line = 71;
      const Variant current = li.CurrentIndex();
      if (VariantEquals(current, Variant::Long(kIndexAfterDeletion))) li.CurrentIndex(current);
      line = 72;
      ObjectPtr no_previous;
      bool changed = false;
      result = ItemClick(GetMember(objLvOrTree, "SelectedItem").ToObject(), no_previous, objLI, changed, "", true,
                         Variant::Boolean(true), Variant::Boolean(true));
    }
    line = 80;
    Removed = true;
    line = 90;
    Owner().ToggleReadWrite();
    return result;
  });
}

}  // namespace kw
