// The window, focus and selection that list and tree controls share.
#include "widgets/entry_control.h"

#include "ui_shared/platform/control_members.h"
#include "ui_shared/platform/service.h"

namespace kw::widgets {

EntryControl::EntryControl(const std::string& class_name, std::shared_ptr<EntryCollection> collection)
    : collection_(std::move(collection)),
      hwnd_(Service<WindowTable>::Get().Create(class_name, [](const WindowMessage&) -> int64_t { return 0; })) {}

EntryControl::~EntryControl() { Service<WindowTable>::Get().Destroy(hwnd_); }

void EntryControl::SetFocus() {
  if (refuses_focus_) Raise(err::kInvalidCall);
  has_focus_ = true;
}

const MemberTable<EntryControl>& EntryControl::Members() {
  using C = EntryControl;
  static const MemberTable<C> table{
      Property<&C::hwnd>(member::kHwnd),
      Method<&C::SetFocus>(member::kSetFocus),
      {member::kSelectedItem, MemberKind::kProperty,
       [](C& c, const Args&) { return Variant::Object(c.SelectedItem()); },
       [](C& c, const Variant& v, const Args&) {
         const ObjectPtr entry = v.ToObject();
         if (entry) {
           const auto keyed = As<KeyedEntry>(entry);
           c.collection_->Entries().PositionOf(*keyed);  // 35605 for an entry of another control
           keyed->Selected(true);
         } else {
           c.collection_->Entries().Select(nullptr);
         }
       }},
  };
  return table;
}

}  // namespace kw::widgets
