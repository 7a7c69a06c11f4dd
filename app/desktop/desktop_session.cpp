// The desktop session: services, screens, presentation models and undo.
#include "app/desktop/desktop_session.h"

#include "app/data/trf_database.h"

#include <QApplication>
#include <QScopedValueRollback>

#include "app/data/trf_database.h"
#include "app/desktop/feedback_box.h"
#include "app/desktop/qt_colors.h"
#include "app/desktop/standing_icons.h"

namespace trf::desktop {

// One field edit as an undoable step: redo writes the new text, undo the old one, each through
// the screen's checks again.
class FieldEdit : public QUndoCommand {
 public:
  FieldEdit(DesktopSession& session, std::string field, const QString& caption, std::string before, std::string after)
      : QUndoCommand(QObject::tr("edit of %1").arg(caption)), session_(session), field_(std::move(field)),
        before_(std::move(before)), after_(std::move(after)) {}

  // The first redo runs inside QUndoStack::push: an edit that was refused, or that left the value
  // as it was, is made obsolete and never becomes a step.
  void redo() override {
    const bool applied = session_.ApplyEdit(field_, after_);
    if (first_) setObsolete(!applied || session_.ShownValue(field_) == before_);
    first_ = false;
  }
  void undo() override { std::ignore = session_.ApplyEdit(field_, before_); }
  const std::string& Field() const { return field_; }

 private:
  DesktopSession& session_;
  std::string field_, before_, after_;
  bool first_ = true;
};

DesktopSession::DesktopSession(const std::string& db_path, Access access, const QPalette& palette)
    : DesktopSession(OpenTrfDatabase(db_path, access), palette) {}

DesktopSession::DesktopSession(std::shared_ptr<Database> database, const QPalette& palette)
    : platform_(palette), services_(std::move(database)) {
  services_.desk().presenter = MakeDesktopPresenter([this] {
    const kw::PicturePtr& icon = services_.container()->FormIcon();
    return icon ? ToIcon(*icon) : QIcon();
  });
  host_ = std::make_unique<ScreenHost>(services_.container(), *this);
  RegisterScreens(*host_, services_.database());
}

DesktopSession::~DesktopSession() {
  // The models read the screens: they go first, then the screens, before the services.
  models_.clear();
  host_.reset();
}

ListModel* DesktopSession::List(const std::string& name) const {
  const auto found = models_.find(host_->Find(name));
  return found == models_.end() ? nullptr : found->second.list.get();
}

RecordModel* DesktopSession::Record(const std::string& name) const {
  const auto found = models_.find(host_->Find(name));
  return found == models_.end() ? nullptr : found->second.record.get();
}

QUndoStack* DesktopSession::Edits(const std::string& name) const {
  const auto found = models_.find(host_->Find(name));
  return found == models_.end() ? nullptr : found->second.edits;
}

bool DesktopSession::Unsaved() const {
  const QUndoStack* edits = undo_.activeStack();
  return view_.allows.save || (edits && !edits->isClean());
}

DesktopSession::Models* DesktopSession::ModelsOf(const ScreenForm& screen) {
  const auto found = models_.find(&screen);
  return found == models_.end() ? nullptr : &found->second;
}

int DesktopSession::Position(const ScreenForm& screen) const {
  const auto& screens = host_->Screens();
  for (size_t i = 0; i < screens.size(); ++i)
    if (screens[i].get() == &screen) return static_cast<int>(i) + 1;
  return 0;
}

bool DesktopSession::Attempt(const std::function<void()>& operation) {
  if (running_) return false;
  try {
    const QScopedValueRollback running(running_, true);
    operation();
  } catch (const ScreenRefusal& refusal) {
    Sync();
    emit refused(QString::fromStdString(refusal.what()));
    return false;
  }
  return true;
}

bool DesktopSession::Go(const std::string& name) {
  bool shown = false;
  Attempt([&] { shown = host_->Go(name); });
  Sync();
  return shown;
}

bool DesktopSession::Run(const std::function<void(ScreenForm&)>& operation) {
  const bool done = Attempt([&] { host_->Perform(operation); });
  Sync();
  return done;
}

bool DesktopSession::Click(const std::string& key) {
  bool clicked = false;
  Attempt([&] { clicked = host_->Click(key); });
  Sync();
  return clicked;
}

std::string DesktopSession::ShownValue(const std::string& field) const {
  ScreenView view;
  view.list_rows_wanted = false;
  host_->Describe(view);
  for (const ScreenField& shown : view.fields)
    if (shown.name == field) return shown.value;
  return {};
}

bool DesktopSession::EditField(const std::string& field, const std::string& text) {
  const ScreenForm* screen = host_->Current();
  Models* models = screen ? ModelsOf(*screen) : nullptr;
  if (!models || !models->record || running_) return false;
  const int column = models->record->Column(field);
  if (column < 0) return Run([&](ScreenForm& s) { s.EditField(field, text); });  // refused in words
  const ScreenField& shown = models->record->Field(column);
  models->edits->push(new FieldEdit(*this, field, QString::fromStdString(shown.caption), shown.value, text));
  Sync();
  return edit_applied_;
}

bool DesktopSession::ApplyEdit(const std::string& field, const std::string& text) {
  const QScopedValueRollback in_edit(in_edit_, true);
  edit_applied_ = Attempt([&] { host_->Perform([&](ScreenForm& s) { s.EditField(field, text); }); });
  return edit_applied_;
}

bool DesktopSession::FocusField(const std::string& field) {
  const ScreenForm* screen = host_->Current();
  Models* models = screen ? ModelsOf(*screen) : nullptr;
  if (!models || !models->record || running_) return false;
  const ScreenField* active = models->record->Active();
  if (field.empty() ? !active : (active && active->name == field)) return true;
  return Run([&](ScreenForm& s) { s.FocusField(field); });
}

void DesktopSession::UndoEdit() {
  QUndoStack* edits = undo_.activeStack();
  if (!edits || !edits->canUndo()) return;
  // An undo from the saved state changes what is stored: the person is told, the title says it.
  const bool past_save = edits->isClean();
  const QString undone = edits->undoText();
  edits->undo();
  Sync();
  if (past_save && host_->Current())
    emit notice(Position(*host_->Current()), tr("Undid the %1, which was saved: save again to keep it so").arg(undone));
}

bool DesktopSession::RevertField(const std::string& field) {
  const QUndoStack* edits = undo_.activeStack();
  const auto* last =
      edits && edits->canUndo() ? dynamic_cast<const FieldEdit*>(edits->command(edits->index() - 1)) : nullptr;
  if (!last || last->Field() != field) return false;
  UndoEdit();
  return true;
}

void DesktopSession::RedoEdit() {
  if (undo_.activeStack()) undo_.activeStack()->redo();
  Sync();
}

bool DesktopSession::Save() {
  const bool saved = Run([](ScreenForm& s) { s.SaveScreen(); });
  if (saved && !view_.allows.save && undo_.activeStack()) undo_.activeStack()->setClean();
  emit viewChanged();
  return saved;
}

bool DesktopSession::SendOff() {
  bool passed = false;
  Attempt([&] { passed = host_->SendOff(); });
  Sync();
  return passed;
}

bool DesktopSession::Problems(std::vector<Problem>& problems, QString& why) {
  if (running_) return false;
  bool made = true;
  try {
    const QScopedValueRollback collecting(collecting_, true);
    problems = host_->Problems();
  } catch (const ScreenRefusal& refusal) {
    why = QString::fromStdString(refusal.what());
    made = false;
  }
  if (!made) return false;
  problems_ = problems;
  for (auto& [screen, models] : models_) {
    if (models.list) models.list->ShowProblems(problems, screen->Key());
    if (screen == host_->Current()) MarkCurrentRecord(*screen, models);
  }
  return true;
}

bool DesktopSession::Open(const Problem& problem) {
  const bool done = Attempt([&] { host_->Open(problem); });
  Sync();
  return done;
}

bool DesktopSession::LeaveCurrent(QString& why) {
  bool left = false;
  try {
    left = host_->LeaveCurrent();
  } catch (const ScreenRefusal& refusal) {
    why = QString::fromStdString(refusal.what());
  }
  if (!left) Sync();
  return left;
}

void DesktopSession::MarkCurrentRecord(const ScreenForm& screen, Models& models) {
  const int row = view_.list ? view_.list->selected : -1;
  if (!models.list || row < 0) return;
  Standing standing = Standing::kFine;
  QString message;
  for (const ScreenField& field : view_.fields) {
    if (field.standing == Standing::kFine) continue;
    standing = Graver(standing, field.standing);
    message += (message.isEmpty() ? QString() : QStringLiteral("\n")) + QString::fromStdString(field.caption) + ": " +
               QString::fromStdString(field.problem);
  }
  models.list->MarkRecord(row, screen.ListKey(row), standing, message);
}

void DesktopSession::Sync() {
  if (running_ || in_edit_) return;
  ScreenForm* current = host_->Current();
  view_ = ScreenView{};
  view_.list_rows_wanted = false;
  host_->Describe(view_);
  if (!current) {
    emit viewChanged();
    return;
  }
  Models* models = ModelsOf(*current);
  if (!models) {
    Models made;
    if (view_.list) {
      made.list = std::make_unique<ListModel>(*current, *view_.list, !view_.fields.empty(), nullptr);
      made.list->ShowProblems(problems_, current->Key());
    }
    if (!view_.fields.empty()) {
      made.record = std::make_unique<RecordModel>(
          view_.fields, [this](const std::string& field, const std::string& text) { return EditField(field, text); },
          nullptr);
    }
    made.edits = new QUndoStack(&undo_);
    models = &models_.emplace(current, std::move(made)).first->second;
  }
  // A list that lost step with its screen (a change nobody announced) is read again.
  if (models->list && models->list->rowCount() != current->ListRows()) models->list->Reset();
  if (models->record) models->record->Update(view_.fields);
  MarkCurrentRecord(*current, *models);
  const int row = view_.list ? view_.list->selected : -1;
  // The edits of a record are undone only while it is the one being edited: another screen,
  // another record or a list read afresh start a new history, clean while nothing is unsaved.
  if (current != synced_screen_ || row != synced_row_ || list_reset_) {
    if (const auto left = models_.find(synced_screen_); left != models_.end()) left->second.edits->clear();
    models->edits->clear();
    if (!view_.allows.save) models->edits->setClean();
  }
  undo_.setActiveStack(models->edits);
  synced_screen_ = current;
  synced_row_ = row;
  list_reset_ = false;
  emit viewChanged();
}

// ---- ScreenEvents ----

void DesktopSession::Notice(const ScreenForm& screen, const std::string& text) {
  if (collecting_) return;  // the problem list's pass is made often and says nothing of its own
  emit notice(Position(screen), QString::fromStdString(text));
}

void DesktopSession::FieldChecked(const ScreenForm& screen, const std::string&, const std::string& caption,
                                  bool passed) {
  if (collecting_) return;
  const QString name = QString::fromStdString(caption);
  emit notice(Position(screen),
              passed ? tr("%1 accepted").arg(name) : tr("%1 refused: the reason stands under the field").arg(name));
}

void DesktopSession::Stayed(const ScreenForm& screen) { emit stayed(QString::fromStdString(screen.Caption())); }

void DesktopSession::Redirected(const std::string& form_key, const ScreenForm* target) {
  emit redirected(QString::fromStdString(target ? target->Caption() : form_key));
}

void DesktopSession::CouldNotOpen(const ScreenForm& target) {
  emit couldNotOpen(QString::fromStdString(target.Caption()));
}

void DesktopSession::SendOffStopped(const ScreenForm& screen) {
  emit sendOffStopped(Position(screen), QString::fromStdString(screen.Caption()));
}

void DesktopSession::SendOffResult(bool passed) { emit sendOffResult(passed); }

void DesktopSession::Busy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  emit this->busy(busy);
}

void DesktopSession::ListReset(const ScreenForm& screen) {
  if (Models* models = ModelsOf(screen); models && models->list) models->list->Reset();
  list_reset_ = list_reset_ || &screen == synced_screen_;
}

void DesktopSession::RowsInserted(const ScreenForm& screen, int first, int count) {
  if (Models* models = ModelsOf(screen); models && models->list) models->list->Inserted(first, count);
}

void DesktopSession::RowsRemoved(const ScreenForm& screen, int first, int count) {
  if (Models* models = ModelsOf(screen); models && models->list) models->list->Removed(first, count);
}

void DesktopSession::RowsChanged(const ScreenForm& screen, int first, int count) {
  if (Models* models = ModelsOf(screen); models && models->list) models->list->Changed(first, count);
}

// Inside an operation the selection and the fields are read once it is over (Sync returns at once
// while one runs), so that describing them costs the same however many events came.
void DesktopSession::SelectionMoved(const ScreenForm&, int) { Sync(); }
void DesktopSession::FieldsChanged(const ScreenForm&) { Sync(); }

}  // namespace trf::desktop
