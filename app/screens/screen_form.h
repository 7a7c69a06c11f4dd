// ScreenForm: the base of every screen of the application. It implements the form contract with
// sensible defaults, owns the screen's own SharedProcedures (bound to the screen while it is
// loaded), and offers the typed operations every front end calls: describe, select a row, edit a
// field, add, remove, save, undo, choose; command-bar buttons, activation, deactivation and send-off.
// Front ends run every typed operation through Perform, the one refusal path: what it has to say
// goes to the front end through ScreenEvents, and whatever refuses an operation is a ScreenRefusal.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/business/problem.h"
#include "app/data/change_record.h"
#include "app/screens/screen_capabilities.h"
#include "app/screens/screen_events.h"
#include "app/screens/screen_refusal.h"
#include "app/screens/screen_view.h"
#include "ui_shared/forms/form_contract.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace trf {

// Who made a change and when, as a line of a record's history ends: " by maple on March 31, 2004,
// 10:00 UTC".
std::string ByWhom(const Change& change);

struct MonthReport;

// A business object a screen hands to the send-off check, with the list that shows its records.
struct SendoffTarget {
  kw::LIPtr object;
  kw::ObjectPtr list;
};

class ScreenForm : public kw::I_FRM_Shared {
 public:
  // `key`: the container's form key; `name`: the short name a front end may offer for it.
  ScreenForm(std::string key, std::string name, std::string title, kw::enumHomeMonth depends_on);
  ~ScreenForm() override;
  ScreenForm(const ScreenForm&) = delete;
  ScreenForm& operator=(const ScreenForm&) = delete;

  std::string TypeName() const override { return "ScreenForm"; }

  // Creates the screen's SharedProcedures through the class registry and binds it to the screen;
  // then the screen's OnLoad. `events` receives what the screen says.
  void Load(ScreenEvents& events);
  // Takes the screen's buttons off the bar and unbinds its SharedProcedures, so that the two no
  // longer hold each other.
  void Unload();

  const std::string& Key() const { return key_; }
  const std::string& Name() const { return name_; }
  // The screen's title as a person reads it ("Our Home").
  const std::string& Caption() const { return title_; }
  kw::enumHomeMonth DependsOn() const { return depends_on_; }
  const kw::SharedProceduresPtr& Shared() const { return shared_; }

  // ---- Lifecycle, called by the screen host ----

  // OnActivate with the screen's dependency; on success the screen's buttons go on the bar.
  bool Enter(kw::ActiveParams& params);
  // OnDeactivate over the main business object (DeactivateLocal alone for screens without one);
  // on success the screen's buttons come off the bar.
  bool Leave();

  // Runs one typed operation of this screen; every front end calls the operations through here.
  // Whatever refuses it (a rule, a record changed elsewhere, a constraint, a lost connection, a
  // busy, full or read-only database) comes out as a ScreenRefusal with a sentence for a person;
  // the error's trail goes to the error journal, and the screen is brought back in step with its
  // records (Recover), so that it stays usable and can be left.
  void Perform(const std::function<void()>& operation);
  // Brings what the screen shows back in step with its records after a refused step (the host
  // calls it when leaving or showing a screen was refused).
  virtual void Recover() {}

  // ---- Typed operations; the defaults refuse with a ScreenRefusal ----

  // What the screen shows now, with what it allows now; the base fills the context every screen
  // works in.
  virtual void Describe(ScreenView& view);
  // One sentence on what the screen is for.
  virtual std::string Purpose() const;
  // The names EditField takes, in the order the screen shows them.
  virtual std::vector<std::string> Fields() const { return {}; }
  // Selects the n-th row (1-based) of the screen's list.
  virtual void SelectRow(int row);
  // Writes `text` into the field `field` as a person types it, then leaves the field (its checks run).
  virtual void EditField(const std::string& field, const std::string& text);
  // Moves the focus to the field `field` (a name Fields gives) as a person does who enters it,
  // nothing written; "" when the person left the fields for another part of the screen.
  virtual void FocusField(const std::string& field);
  // OnSave over the main business object.
  virtual void SaveScreen();
  // A record added to or removed from the screen's list.
  virtual void AddRecord();
  virtual void RemoveRecord();
  // Discards the screen's unsaved edits: what it shows comes back from the stored data.
  virtual void UndoEdits();
  // Types `text` into the screen's choice (a combo box that completes it from its options).
  virtual void Choose(const std::string& text);
  // The send-off of every screen passed: what the screen does about it (the TRF Setup files the month).
  virtual void SendOffPassed() {}
  // The month the screens are on was filed (after every screen heard SendOffPassed): a screen that
  // shows the month's status shows it anew.
  virtual void MonthFiled() {}
  // The changes of the current record, oldest first, of the field `field` (a name Fields gives; the
  // record's being added or removed included) or of every field when it is empty; nothing when the
  // screen has no current stored record.
  virtual std::vector<Change> History(const std::string& field = "");
  // The line a person reads for one change of the screen's records: what, by whom, when
  // ("Monthly fee 2,400.00 -> 2,600.00 by maple on March 31, 2004, 10:00 UTC").
  virtual std::string ChangeLine(const Change& change);

  // ---- The month's problem list ----

  // Adds what stands between the month and its filing on this screen: every broken hard rule and
  // every soft question of its records (accepted ones marked), and its rules over the group of
  // records, without asking the person anything. None by default.
  virtual void CollectProblems(std::vector<Problem>& problems);
  // Shows the record `record_key` (secured as a click on it is) with the focus on the field of
  // `tag` (none when empty); with no record key, the screen as it is. A ScreenRefusal when the screen
  // has no such record.
  virtual void OpenRecord(const std::string& record_key, const std::string& tag);
  // The control tag of the field captioned `caption` (what OpenRecord focuses); "" when the screen
  // shows no such field.
  virtual std::string FieldTag(const std::string& /*caption*/) const { return {}; }

  // ---- The screen's list read one cell at a time, so that a front end reads only the rows it shows ----

  // How many rows the list has now; 0 for a screen without one.
  virtual int ListRows() const { return 0; }
  // The text of cell `column` of row `row` (both 0-based) as the person reads it; "" outside the list.
  virtual std::string ListCell(int /*row*/, int /*column*/) const { return {}; }
  // The key of the record of row `row` (0-based), as a Problem names it; "" outside the list, and
  // for a list whose rows stand for no records.
  virtual std::string ListKey(int /*row*/) const { return {}; }

  // ---- What the screen offers beyond these (screen_capabilities.h); nothing by default ----

  // The notes the screen edits with their formatting.
  virtual NotesEditing* Notes() { return nullptr; }
  // The months the screen sets up.
  virtual MonthSetup* Setup() { return nullptr; }

  // ---- The month's report (month_report.h) ----

  // Adds what the screen shows of the month to `report` (a record screen its records as a table,
  // the notes screen its formatted notes), read for the current home and month. Nothing by default.
  virtual void AddToReport(MonthReport& report);

  // ---- Form contract ----

  kw::PicturePtr Icon() override { return nullptr; }
  bool FirstTime() override { return first_time_; }
  std::string Title() override { return title_; }
  int32_t FormEnum() override { return 0; }
  int32_t FormHeight() override { return 0; }
  int32_t FormWidth() override { return 0; }
  void ValidateMyControls() override {}
  kw::ObjectPtr FormControlsCollection() override { return nullptr; }
  bool Create(kw::ActiveParams&) override { return true; }
  bool Activate(kw::ActiveParams& params) override { return Enter(params); }
  bool Deactivate() override { return Leave(); }
  bool Save() override;
  // Marks the shown data out of date: the next EveryOnActivate reloads it.
  void DirtyOnActivate() override { stale_ = true; }
  // Reloads stale data (Reload) and answers true.
  bool EveryOnActivate(kw::ActiveParams& params) override;
  bool DeactivateLocal() override { return true; }
  void UndoChanges() override {}
  // Runs the library's send-off check over each SendoffTargets entry, all records, and stops at
  // the first that fails.
  bool ValidateForSendoff(bool quiet = false) override;
  kw::Variant ListItemClick(const kw::ObjectPtr&) override { return {}; }
  kw::Variant ToggleReadWrite() override { return {}; }
  kw::Variant Refresh() override;
  void SetFocusTo(const std::string&) override {}
  void UpdateForm() override {}
  void SetInitialFocus() override {}
  bool PanelVisible(std::string&) override { return false; }

  // A click on one of the screen's command-bar buttons arrives here by the button's key.
  kw::Variant Call(std::string_view member, const kw::Args& args = {}) override;

 protected:
  // Called once the SharedProcedures is bound: build controls, column tables, buttons.
  virtual void OnLoad() {}
  // Refills what the screen shows from its business objects.
  virtual void Reload() {}
  // The business object that saving and leaving work on; nothing for screens without one.
  virtual kw::LIPtr MainObject() { return nullptr; }
  // What the send-off check goes through.
  virtual std::vector<SendoffTarget> SendoffTargets() { return {}; }
  // Called as the screen's leave step starts, before its changes are saved.
  virtual void BeforeLeave() {}
  // Whether the library marked what the screen shows out of date (DirtyOnActivate) since it was
  // last read.
  bool Stale() const { return stale_; }

  // Declares a command-bar button: it is on the bar while the screen is current, and a click on it
  // calls `on_click` with the button's value.
  void AddButton(const std::string& key, const std::string& caption, std::function<void(int16_t)> on_click,
                 int32_t style = kw::kButtonPlain);
  // Makes one of the screen's buttons available or not, on the bar now or when it goes there.
  void EnableButton(const std::string& key, bool enabled);
  // Tells the front end something the person should know.
  void Say(const std::string& text);
  // Where the screen tells what changed on it (ScreenEvents); one that listens to nothing while
  // the screen is not loaded.
  ScreenEvents& Events() const;
  // The container the screen's SharedProcedures works with.
  kw::TrfContainer& Container() const;

 private:
  struct Button {
    std::string key;
    std::string caption;
    int32_t style;
    std::function<void(int16_t)> on_click;
    bool enabled = true;
  };
  void PutButtonsOnBar();
  void TakeButtonsOffBar();

  std::string key_, name_, title_;
  kw::enumHomeMonth depends_on_;
  kw::SharedProceduresPtr shared_;
  ScreenEvents* events_ = nullptr;
  std::vector<Button> buttons_;
  bool first_time_ = true;
  bool stale_ = true;
  bool on_bar_ = false;
};

using ScreenPtr = std::shared_ptr<ScreenForm>;

}  // namespace trf
