// The desktop session: services, screens, presentation models and undo.
#include "app/desktop/desktop_session.h"

#include "app/data/trf_database.h"

#include <QApplication>

#include "app/data/trf_database.h"
#include "app/desktop/feedback_box.h"
#include "app/desktop/qt_colors.h"

namespace trf::desktop {
namespace {

// The rule type of a feedback showing that refused a value.
constexpr int32_t kHardRule = 1;

}  // namespace

// One field edit as an undoable step: redo writes the new text, undo the old one, each through
// the screen's checks again.
class FieldEdit : public QUndoCommand {
 public:
  FieldEdit(DesktopSession& session, std::string field, const QString& caption, std::string before, std::string after)
      : QUndoCommand(QObject::tr("edit of %1").arg(caption)), session_(session), field_(std::move(field)),
        before_(std::move(before)), after_(std::move(after)) {}

  // The first redo runs inside QUndoStack::push: a refused edit is made obsolete and never pushed.
  void redo() override { setObsolete(!session_.ApplyEdit(field_, after_)); }
  void undo() override { std::ignore = session_.ApplyEdit(field_, before_); }

 private:
  DesktopSession& session_;
  std::string field_, before_, after_;
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
  for (auto& [screen, models] : models_) {
    delete models.list;
    delete models.record;
  }
  models_.clear();
  host_.reset();
}

ListModel* DesktopSession::List(const std::string& name) const {
  const ScreenForm* screen = host_->Find(name);
  const auto found = models_.find(screen);
  return found == models_.end() ? nullptr : found->second.list;
}

RecordModel* DesktopSession::Record(const std::string& name) const {
  const auto found = models_.find(host_->Find(name));
  return found == models_.end() ? nullptr : found->second.record;
}

QUndoStack* DesktopSession::Edits(const std::string& name) const {
  const auto found = models_.find(host_->Find(name));
  return found == models_.end() ? nullptr : found->second.edits;
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
  // A dialog of a running operation moves the focus, which Qt reports as the end of an edit: that
  // starts no second operation.
  if (running_) return false;
  running_ = true;
  bool done = true;
  try {
    operation();
  } catch (const ScreenRefusal& refusal) {
    done = false;
    running_ = false;
    Sync();
    emit refused(QString::fromStdString(refusal.what()));
  }
  running_ = false;
  return done;
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
  const size_t shown_before = services_.desk().shown.size();
  in_edit_ = true;
  edit_applied_ = Attempt([&] { host_->Perform([&](ScreenForm& s) { s.EditField(field, text); }); });
  in_edit_ = false;
  if (!edit_applied_) return false;
  QString problem;
  const std::vector<FeedbackShowing>& shown = services_.desk().shown;
  for (size_t i = shown_before; i < shown.size(); ++i)
    if (shown[i].rule_type == kHardRule) problem = QString::fromStdString(shown[i].message);
  MarkField(field, problem);
  return true;
}

void DesktopSession::MarkField(const std::string& field, const QString& problem) {
  const ScreenForm* screen = host_->Current();
  Models* models = screen ? ModelsOf(*screen) : nullptr;
  if (!models || !models->record) return;
  models->record->Mark(field, problem);
  if (!models->list) return;
  const QString first = models->record->FirstProblem();
  const int row = view_.list ? view_.list->selected : -1;
  models->list->Mark(first.isEmpty() || row < 0 ? std::nullopt : std::optional<int>(row), first);
}

void DesktopSession::UndoEdit() {
  if (undo_.activeStack()) undo_.activeStack()->undo();
  Sync();
}

void DesktopSession::RedoEdit() {
  if (undo_.activeStack()) undo_.activeStack()->redo();
  Sync();
}

bool DesktopSession::SendOff() {
  bool passed = false;
  Attempt([&] { passed = host_->SendOff(); });
  Sync();
  return passed;
}

bool DesktopSession::Problems(std::vector<Problem>& problems, QString& why) {
  if (running_) return false;
  collecting_ = true;
  bool made = true;
  try {
    problems = host_->Problems();
  } catch (const ScreenRefusal& refusal) {
    why = QString::fromStdString(refusal.what());
    made = false;
  }
  collecting_ = false;
  return made;
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
    if (view_.list) made.list = new ListModel(*current, *view_.list, nullptr);
    if (!view_.fields.empty()) {
      made.record = new RecordModel(
          view_.fields, [this](const std::string& field, const std::string& text) { return EditField(field, text); },
          nullptr);
    }
    made.edits = new QUndoStack(&undo_);
    models = &models_.emplace(current, made).first->second;
  }
  // A list that lost step with its screen (a change nobody announced) is read again.
  if (models->list && models->list->rowCount() != current->ListRows()) models->list->Reset();
  if (models->record) models->record->Update(view_.fields);
  const int row = view_.list ? view_.list->selected : -1;
  // The edits of a record are undone only while it is the one being edited: another screen,
  // another record or a list read afresh start a new history.
  if (current != synced_screen_ || row != synced_row_ || list_reset_) {
    if (const auto left = models_.find(synced_screen_); left != models_.end()) left->second.edits->clear();
    models->edits->clear();
    if (models->record) models->record->ClearMarks();
    if (models->list) models->list->Mark(std::nullopt, QString());
  }
  undo_.setActiveStack(models->edits);
  if (!view_.allows.save) models->edits->setClean();
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

void DesktopSession::Stayed(const ScreenForm& screen) { emit stayed(QString::fromStdString(screen.Caption())); }

void DesktopSession::Redirected(const std::string& form_key, const ScreenForm* target) {
  emit redirected(QString::fromStdString(target ? target->Caption() : form_key));
}

void DesktopSession::CouldNotOpen(const ScreenForm& target) {
  emit couldNotOpen(QString::fromStdString(target.Caption()));
}

void DesktopSession::SendOffStopped(const ScreenForm& screen) {
  emit sendOffStopped(QString::fromStdString(screen.Caption()));
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
