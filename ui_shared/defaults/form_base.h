// FormBase: a form that answers the form contract sensibly, so that a screen overrides only what it
// does differently (usually OnLoad alone). It owns the screen's SharedProcedures, bound to the form
// while it is loaded; shows the records of one business object in a list; ties text boxes to the
// fields of the current record, each checked by its rules when it is left; and runs what the person
// does (click a row, add, remove, type into a field, save, undo) through the library. It reaches its
// controls only by member name, so any list view and text box that answer the usual members will do
// (those of kw::widgets do). LoadForm makes and loads a screen, and unloads it when its handle goes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui_shared/forms/form_contract.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace kw {

// The base of a screen. A program loads it (Load, or LoadForm), shows it (Activate), lets the person
// work through its typed operations and unloads it (Unload) when it is done.
class FormBase : public I_FRM_Shared {
 public:
  // A form titled `title` showing the records of `records` (nothing for a form without records),
  // whose data depends on `depends_on`: icIsHome (the default) asks for no context, icDependsOnHome
  // for a current home with an active month, as OnActivate checks.
  explicit FormBase(std::string title, LIPtr records = nullptr, enumHomeMonth depends_on = icIsHome);
  // The type name the runtime reports: "FormBase".
  std::string TypeName() const override { return "FormBase"; }

  // ---- Loading and unloading, for the program ----

  // Creates the form's SharedProcedures through the class registry in force, makes this form its
  // owner, then runs OnLoad. 429 naming the class id when the library's classes or a sibling are
  // not registered (RegisterDefaultSiblings registers all of them); 5 when the form is loaded.
  void Load();
  // Unbinds the form from its SharedProcedures, so that the two, which hold each other, can go.
  // Nothing happens for a form that is not loaded.
  void Unload();

  // ---- What the screen shows, set up in OnLoad ----

  // Shows the records in `list`, a list view reached by name (kw::widgets::ListView): one row per
  // record, keyed "K" and the value of the records' property `key_property` (the record key).
  // For a screen: call it in OnLoad with the screen's list view.
  void BindList(ObjectPtr list, std::string key_property = "ID");
  // Adds a column to the list: the records' property `property` under the header `caption`, `width`
  // wide (in twips: 1440 to an inch).
  // For a screen: call it in OnLoad once per column, in order.
  void AddColumn(const std::string& property, const std::string& caption, int16_t width = 1440);
  // Ties `box`, a text box reached by name (kw::widgets::TextBox), to the field at `position` of the
  // current record: the box shows the field, and leaving it (LeaveField) writes the box's text into
  // the field and checks the field's rules.
  // For a screen: call it in OnLoad once per field box.
  void BindField(ObjectPtr box, int32_t position);

  // ---- What the person does; false when the library kept them where they were ----

  // Clicks row `row` (1-based) of the list: the record being left is checked and saved first (a
  // refusal keeps the selection where it was), then the clicked record becomes current and its
  // fields fill the boxes. 9 naming the row and the list's count for a row the list lacks.
  // For a screen: what a click on a row of the list calls.
  bool ClickRow(int32_t row);
  // Adds a record after the current one is saved: a new row, selected, showing `row_text` (and no
  // further columns until the list is built again, on the next save), and empty boxes.
  // For a screen: what the person's "add" calls.
  bool AddRecord(const std::string& row_text = "(new)");
  // Removes the selected row's record after asking the person (question 2185); declined, refused by
  // the records (the feedback dialog then says why, as a hard rule with the refusal's number) or
  // with no row selected, nothing changes.
  // For a screen: what the person's "remove" calls.
  bool RemoveRecord();
  // The person types `text` into the bound `box` and leaves it (LeaveField).
  bool Type(const ObjectPtr& box, const std::string& text);
  // The person leaves the bound `box`: its text goes into its field (an empty text as Null) and the
  // field's rules run (ValidateField): a broken hard rule is shown and refused, a question asked. On
  // a refusal the box keeps the focus and the refused value stays in the record until it is put
  // right or undone. 5 for a box that is not bound.
  // For a screen: what the focus leaving a bound box calls (Type for typing and leaving at once).
  bool LeaveField(const ObjectPtr& box);

  // ---- What the form holds ----

  // The form's SharedProcedures; 91 while the form is not loaded.
  SharedProcedures& Shared() const;
  // The business object whose records the form shows.
  const LIPtr& Records() const { return records_; }
  // The list that shows them; nothing before BindList.
  const ObjectPtr& List() const { return list_; }
  // The selected row, the one the next click leaves; nothing when the list is empty.
  const ObjectPtr& SelectedRow() const { return selected_; }

  // ---- The form contract, answered sensibly ----

  // No icon.
  PicturePtr Icon() override { return nullptr; }
  bool FirstTime() override { return first_time_; }
  // The title the form was made with.
  std::string Title() override { return title_; }
  // 0: the container keeps no numbers of its own for the default forms.
  int32_t FormEnum() override { return 0; }
  // 0: the form has no height of its own, its front end decides.
  int32_t FormHeight() override { return 0; }
  // 0: the form has no width of its own, its front end decides.
  int32_t FormWidth() override { return 0; }
  // Nothing: each bound field was checked when it was left.
  void ValidateMyControls() override {}
  // No collection of controls.
  ObjectPtr FormControlsCollection() override { return nullptr; }
  // True: the form is made by Load.
  bool Create(ActiveParams& apActiveParams) override;
  // The library's OnActivate with the form's dependency. The first activation builds the list.
  bool Activate(ActiveParams& apActiveParams) override;
  // The library's OnDeactivate over the records (DeactivateLocal alone without records).
  bool Deactivate() override;
  // The library's OnSave over the records; the list is then built again from what is stored, with
  // the saved record's row selected.
  bool Save() override;
  void DirtyOnActivate() override { stale_ = true; }
  // Builds the list again when the library marked it out of date; true.
  bool EveryOnActivate(ActiveParams& apActiveParams) override;
  // True: the form has no last step of its own.
  bool DeactivateLocal() override { return true; }
  // Drops the edits of the current record (a record never stored goes with its row) and shows the
  // stored values.
  void UndoChanges() override;
  // The library's send-off check over every record of the form.
  bool ValidateForSendoff(bool blnDisableMessages = false) override;
  // Moves the selection to `objItem` through the library's ItemClick and shows the record it lands
  // on; the result says whether the selection moved.
  Variant ListItemClick(const ObjectPtr& objItem) override;
  // Makes the bound boxes read-only while there is no current record, editable otherwise.
  Variant ToggleReadWrite() override;
  // Builds the list from the records (the first row selected) and shows the first record.
  Variant Refresh() override;
  // Gives the focus to the bound box of the field the tag names; nothing for another tag.
  void SetFocusTo(const std::string& strTag) override;
  // Shows the current record's fields in the bound boxes again.
  void UpdateForm() override;
  // Gives the first bound box the focus.
  void SetInitialFocus() override;
  // False: the form shows no panel that blocks a save. `strVisiblePanel` is ignored.
  bool PanelVisible(std::string& strVisiblePanel) override;

 protected:
  // Called once the SharedProcedures is bound: where a screen binds its list, columns and fields.
  // For a screen: override it to bind the list, its columns and the field boxes.
  virtual void OnLoad() {}

 private:
  // A text box tied to a field.
  struct BoundField {
    ObjectPtr box;
    int32_t position;
    std::string tag;  // the control tag of the field, as CreateTag makes it
  };
  // The bound field of `box`; 5 when the box is not bound.
  const BoundField& FieldOf(const ObjectPtr& box) const;
  // Selects the row of the record with `key` and makes that record current; nothing when the list
  // has no such row.
  void SelectRecord(const std::string& key);
  // The current record's key as text; "" when there is none.
  std::string CurrentKey() const;

  std::string title_;
  LIPtr records_;
  enumHomeMonth depends_on_;
  SharedProceduresPtr shared_;
  ObjectPtr list_;
  std::string key_property_;
  Variant columns_;
  int32_t column_count_ = 0;
  std::vector<BoundField> fields_;
  ObjectPtr selected_;
  bool first_time_ = true;
  bool stale_ = true;
};

// A loaded form, unloaded when the handle goes: the form and its SharedProcedures hold each other
// until Unload, which the handle runs, so that neither is left behind.
template <class Form>
class LoadedForm {
 public:
  // Takes `form`, which Load has loaded.
  explicit LoadedForm(std::shared_ptr<Form> form) : form_(std::move(form)) {}
  // Unloads the form, unless the handle was moved away.
  ~LoadedForm() {
    if (form_) form_->Unload();
  }
  // Takes over `other`'s form, which it will unload instead.
  LoadedForm(LoadedForm&& other) noexcept = default;
  LoadedForm& operator=(LoadedForm&& other) = delete;
  LoadedForm(const LoadedForm&) = delete;
  LoadedForm& operator=(const LoadedForm&) = delete;

  // The form, for its members.
  Form* operator->() const { return form_.get(); }
  // The form itself.
  Form& operator*() const { return *form_; }
  // The form as a shared reference, for what keeps it (a container's navigation, a front end).
  const std::shared_ptr<Form>& Get() const { return form_; }

 private:
  std::shared_ptr<Form> form_;
};

// Makes a `Form` from `args` and loads it (FormBase::Load); the handle unloads it when it goes.
// For a screen: make and load each screen with it.
template <class Form, class... Args>
LoadedForm<Form> LoadForm(Args&&... args) {
  auto form = std::make_shared<Form>(std::forward<Args>(args)...);
  form->Load();
  return LoadedForm<Form>(std::move(form));
}

}  // namespace kw
