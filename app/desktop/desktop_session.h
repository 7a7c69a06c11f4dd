// DesktopSession: one desktop session of the TRF without its window: the Qt platform services, the
// application's services and the screen host, the presentation models of each screen (its list
// and its current record) fed by the screens' change notifications, and an undo stack of single
// edits per screen. Every operation runs through the host's refusal path; a refusal comes out as
// the `refused` signal, what the screens say as signals a window shows. MainWindow only draws it,
// and tests drive it without one.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QPalette>
#include <QUndoGroup>
#include <QUndoStack>

#include "app/business/problem.h"
#include "app/desktop/list_model.h"
#include "app/desktop/qt_platform.h"
#include "app/desktop/record_model.h"
#include "app/screens/screen_host.h"
#include "app/siblings/app_services.h"

namespace trf::desktop {

class DesktopSession : public QObject, public ScreenEvents {
  Q_OBJECT

 public:
  // Opens (or creates with its sample data) the database at `db_path` with `access`; feedback
  // dialogs are the desktop's own boxes. Shows no screen yet.
  DesktopSession(const std::string& db_path, Access access, const QPalette& palette);
  // The same on a database that is open already.
  DesktopSession(std::shared_ptr<Database> database, const QPalette& palette);
  ~DesktopSession() override;
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  ScreenHost& Host() const { return *host_; }
  AppServices& Services() { return services_; }
  // The models of the screen `name`, made the first time it is shown; nullptr before that and for
  // a part the screen lacks.
  ListModel* List(const std::string& name) const;
  RecordModel* Record(const std::string& name) const;
  QUndoStack* Edits(const std::string& name) const;
  QUndoGroup& Undo() { return undo_; }
  // What the current screen shows now, without its list's rows (the list model reads those).
  const ScreenView& View() const { return view_; }
  // Whether the current screen holds changes not saved: the screen says so, or an undo went back
  // past the last save.
  bool Unsaved() const;

  // ---- Operations: each returns whether it went through; a refusal is also signalled ----

  // Shows the screen `name`; true when it is shown.
  bool Go(const std::string& name);
  // One typed operation of the current screen.
  bool Run(const std::function<void(ScreenForm&)>& operation);
  // A command-bar button of the current screen.
  bool Click(const std::string& key);
  // Writes `text` into the current screen's field `field` as one undoable edit, when it changes
  // the field's value: a text that leaves the value as it was is no step of the history.
  bool EditField(const std::string& field, const std::string& text);
  // The person entered the current screen's field `field` ("" when they left the fields): the
  // active-field colours go there. False while another operation runs.
  bool FocusField(const std::string& field);
  // Undoes or redoes one edit of the current screen.
  void UndoEdit();
  void RedoEdit();
  // Undoes the last edit of the current screen when it was one of `field`; false (and nothing
  // done) otherwise.
  bool RevertField(const std::string& field);
  // Saves the current screen's changes; the history's clean state is where the save happened.
  bool Save();
  // The send-off check; true when every screen passed.
  bool SendOff();
  // The month's problem list (ScreenHost::Problems) into `problems`, which each screen's list then
  // shows; false with `why` when it could not be made. Asks the person nothing and signals no
  // refusal: the list is made often.
  bool Problems(std::vector<Problem>& problems, QString& why);
  // Shows the screen of `problem` on its record, the focus on its field; true when it is shown.
  bool Open(const Problem& problem);
  // The current screen's leave step (its changes are saved); false with `why` (may be empty) when it
  // refused.
  bool LeaveCurrent(QString& why);

  // ---- ScreenEvents ----
  void Notice(const ScreenForm& screen, const std::string& text) override;
  void Stayed(const ScreenForm& screen) override;
  void Redirected(const std::string& form_key, const ScreenForm* target) override;
  void CouldNotOpen(const ScreenForm& target) override;
  void SendOffStopped(const ScreenForm& screen) override;
  void SendOffResult(bool passed) override;
  void Busy(bool busy) override;
  // Names the field by its caption: "Birth date refused".
  void FieldChecked(const ScreenForm& screen, const std::string& field, const std::string& caption,
                    bool passed) override;
  void ListReset(const ScreenForm& screen) override;
  void RowsInserted(const ScreenForm& screen, int first, int count) override;
  void RowsRemoved(const ScreenForm& screen, int first, int count) override;
  void RowsChanged(const ScreenForm& screen, int first, int count) override;
  void SelectionMoved(const ScreenForm& screen, int row) override;
  void FieldsChanged(const ScreenForm& screen) override;

 signals:
  // An operation was refused: the sentence for the person.
  void refused(const QString& sentence);
  // Screen number `position` (1-based) said `text`.
  void notice(int position, const QString& text);
  void stayed(const QString& caption);
  void redirected(const QString& where);
  void couldNotOpen(const QString& caption);
  // The send-off check stopped on screen number `position` (1-based), `caption`.
  void sendOffStopped(int position, const QString& caption);
  void sendOffResult(bool passed);
  void busy(bool busy);
  // The current screen, or what it shows or allows, changed: a window draws its frame anew.
  void viewChanged();

 private:
  struct Models {
    std::unique_ptr<ListModel> list;
    std::unique_ptr<RecordModel> record;
    QUndoStack* edits = nullptr;  // owned by the undo group
  };
  // Runs `operation` through the host's refusal path; false (and `refused`) when it was refused,
  // or when another operation is running (a dialog of it moves the focus, which Qt reports as the
  // end of an edit: that starts no second operation).
  bool Attempt(const std::function<void()>& operation);
  // Writes `text` into the field (an undo command's step); false when it was refused.
  bool ApplyEdit(const std::string& field, const std::string& text);
  // The current screen's value of `field` as the screen shows it now.
  std::string ShownValue(const std::string& field) const;
  // Brings the view, the models and the undo stack in step with the current screen.
  void Sync();
  // The current record's row on its list wears how its fields stand now.
  void MarkCurrentRecord(const ScreenForm& screen, Models& models);
  // The models of `screen` (made when it is current for the first time); nullptr before.
  Models* ModelsOf(const ScreenForm& screen);
  int Position(const ScreenForm& screen) const;
  friend class FieldEdit;

  QtPlatform platform_;
  AppServices services_;
  std::unique_ptr<ScreenHost> host_;
  std::map<const ScreenForm*, Models> models_;
  QUndoGroup undo_;
  ScreenView view_;
  // The month's problem list as last made, for the lists made after it.
  std::vector<Problem> problems_;
  const ScreenForm* synced_screen_ = nullptr;
  int synced_row_ = -1;
  bool list_reset_ = false;
  // An operation runs: what it changes is read once it is over.
  bool running_ = false;
  // An undo command's edit is running inside the undo stack, which must not be cleared then.
  bool in_edit_ = false;
  // The last edit went through the screen's checks (they may have found its value wanting).
  bool edit_applied_ = false;
  bool busy_ = false;
  // The problem list is being made: what the screens say meanwhile is not shown.
  bool collecting_ = false;
};

}  // namespace trf::desktop
