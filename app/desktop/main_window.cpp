// The desktop session's window: pages, navigation, menus and tool bars, events and dialogs.
#include "app/desktop/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include <tuple>

#include "app/data/backup.h"
#include "app/desktop/feedback_box.h"
#include "app/desktop/qt_colors.h"
#include "app/screens/notes_screen.h"
#include "app/screens/setup_screen.h"
#include "ui_shared/platform/error.h"

namespace trf::desktop {
namespace {

NotesScreen* AsNotes(ScreenForm& screen) { return dynamic_cast<NotesScreen*>(&screen); }

// Adds an action named `name` to `menu`, running `run` when triggered.
QAction* AddAction(QMenu* menu, const QString& text, const QString& name, const QKeySequence& keys,
                   std::function<void()> run) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  action->setShortcut(keys);
  QObject::connect(action, &QAction::triggered, menu, std::move(run));
  return action;
}

}  // namespace

MainWindow::MainWindow(const std::string& db_path)
    : db_path_(db_path), platform_(QApplication::palette()), services_(db_path) {
  services_.desk().presenter = MakeDesktopPresenter([this] {
    const kw::PicturePtr& icon = services_.container()->FormIcon();
    return icon ? ToIcon(*icon) : QIcon();
  });
  host_ = std::make_unique<ScreenHost>(services_.container(), *this);
  RegisterScreens(*host_, services_.database());
  setWindowTitle(tr("TRF"));
  BuildPages();
  BuildMenusAndTools();
  QSettings settings;
  if (!restoreGeometry(settings.value("window/geometry").toByteArray())) {
    // The first time: a comfortable size, but never larger than the screen it opens on.
    const QSize room = screen() ? screen()->availableGeometry().size() * 9 / 10 : QSize(1040, 720);
    resize(QSize(1040, 720).boundedTo(room));
  }
  Go("home");
}

MainWindow::~MainWindow() {
  // The screens go before the services they work with, and before the window's widgets.
  host_.reset();
}

void MainWindow::BuildPages() {
  navigation_ = new QListWidget;
  navigation_->setObjectName("navigation");
  navigation_->setAccessibleName(tr("Screens"));
  stack_ = new QStackedWidget;
  ScreenPage::Actions actions;
  actions.select_row = [this](int row) { Run([row](ScreenForm& s) { s.SelectRow(row); }); };
  actions.edit_field = [this](const std::string& field, const std::string& text) {
    Run([&](ScreenForm& s) { s.EditField(field, text); });
  };
  actions.choose = [this](const std::string& text) { Run([&](ScreenForm& s) { s.Choose(text); }); };
  actions.notes.select = [this](int32_t start, int32_t length) {
    Run([=](ScreenForm& s) {
      if (NotesScreen* notes = AsNotes(s)) notes->SetSelection(start, length);
    });
  };
  actions.notes.type = [this](const std::string& text) {
    Run([&](ScreenForm& s) {
      if (NotesScreen* notes = AsNotes(s)) notes->InsertText(text);
    });
  };
  for (const ScreenPtr& screen : host_->Screens()) {
    auto* page = new ScreenPage(*screen, actions, stack_);
    pages_[screen->Name()] = page;
    stack_->addWidget(page);
    auto* item = new QListWidgetItem(QString::fromStdString(screen->Caption()), navigation_);
    item->setData(Qt::UserRole, QString::fromStdString(screen->Name()));
    item->setToolTip(QString::fromStdString(screen->Purpose()));
  }
  connect(navigation_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item) Go(item->data(Qt::UserRole).toString().toStdString());
  });
  auto* split = new QSplitter;
  split->addWidget(navigation_);
  split->addWidget(stack_);
  split->setStretchFactor(1, 1);
  split->setCollapsible(0, false);
  split->setSizes({180, 860});
  setCentralWidget(split);

  home_label_ = new QLabel;
  home_label_->setObjectName("homeStatus");
  month_label_ = new QLabel;
  month_label_->setObjectName("monthStatus");
  statusBar()->addPermanentWidget(home_label_);
  statusBar()->addPermanentWidget(month_label_);
}

void MainWindow::BuildMenusAndTools() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  QAction* report =
      AddAction(file, tr("File the &report..."), "fileReport", QKeySequence(Qt::Key_F9), [this] { FileReport(); });
  AddAction(file, tr("&Back up..."), "backUp", QKeySequence(), [this] { BackUp(); });
  file->addSeparator();
  AddAction(file, tr("&Quit"), "quit", QKeySequence::Quit, [this] { close(); });

  QMenu* go = menuBar()->addMenu(tr("&Go"));
  int number = 1;
  for (const ScreenPtr& screen : host_->Screens()) {
    const std::string name = screen->Name();
    AddAction(go, QStringLiteral("&%1 %2").arg(number).arg(QString::fromStdString(screen->Caption())),
              QString::fromStdString("go-" + name), QKeySequence(QStringLiteral("Ctrl+%1").arg(number)),
              [this, name] { Go(name); });
    ++number;
  }

  QMenu* record = menuBar()->addMenu(tr("&Record"));
  auto add_record_action = [&](const QString& text, const QString& name, const QKeySequence& keys,
                               const std::function<void(ScreenForm&)>& operation) {
    QAction* action = AddAction(record, text, name, keys, [this, operation] { Run(operation); });
    action->setToolTip(action->text().remove('&') + " (" + keys.toString(QKeySequence::NativeText) + ")");
    record_actions_.append(action);
  };
  add_record_action(tr("&Save"), "save", QKeySequence::Save, [](ScreenForm& s) { s.SaveScreen(); });
  add_record_action(tr("&Add a record"), "add", QKeySequence(Qt::CTRL | Qt::Key_N),
                    [](ScreenForm& s) { s.AddRecord(); });
  add_record_action(tr("Re&move the record"), "remove", QKeySequence(Qt::CTRL | Qt::Key_Delete),
                    [](ScreenForm& s) { s.RemoveRecord(); });
  add_record_action(tr("&Undo the edits"), "undo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                    [](ScreenForm& s) { s.UndoEdits(); });

  AddAction(record, tr("Field &history"), "history", QKeySequence(Qt::CTRL | Qt::Key_H), [this] { ShowHistory(); });

  commands_menu_ = menuBar()->addMenu(tr("&Commands"));
  QMenu* help = menuBar()->addMenu(tr("&Help"));
  AddAction(help, tr("&About TRF"), "about", QKeySequence::HelpContents, [this] { About(); });

  QToolBar* records = addToolBar(tr("Record"));
  records->setObjectName("recordBar");
  records->setAccessibleName(tr("Record actions"));
  records->setToolButtonStyle(Qt::ToolButtonTextOnly);
  records->addActions(record_actions_);
  records->addSeparator();
  records->addAction(report);
  commands_ = new CommandToolbar(
      services_.container()->Bar(),
      [this](const std::string& key) {
        try {
          if (!ReopenFiledMonth(key)) host_->Click(key);
        } catch (const ScreenRefusal& refusal) {
          ShowProblem(tr("Not possible now"), QString::fromStdString(refusal.what()));
        }
        Refresh();
      },
      this);
  addToolBar(commands_);
}

void MainWindow::Go(const std::string& name) {
  try {
    std::ignore = host_->Go(name);  // where the person ended up is drawn next
  } catch (const ScreenRefusal& refusal) {
    ShowProblem(tr("Not possible now"), QString::fromStdString(refusal.what()));
  }
  Refresh();
  if (ScreenForm* current = host_->Current())
    if (QWidget* first = Page(current->Name())->FirstControl()) first->setFocus();
}

void MainWindow::Run(const std::function<void(ScreenForm&)>& operation) {
  if (!host_->Current()) return;
  try {
    host_->Perform(operation);
  } catch (const ScreenRefusal& refusal) {
    ShowProblem(tr("Not possible now"), QString::fromStdString(refusal.what()));
  }
  Refresh();
}

void MainWindow::BackUp() {
  const QString copy =
      QFileDialog::getSaveFileName(this, tr("Back up the database"), QString::fromStdString(db_path_) + ".backup");
  if (copy.isEmpty()) return;
  try {
    BackUpTrfFile(db_path_, copy.toStdString());
    statusBar()->showMessage(tr("Backed up into %1").arg(copy), 5000);
  } catch (const kw::Error& error) {
    ShowProblem(tr("No backup"), QString::fromStdString(SentenceOf(error)));
  }
}

void MainWindow::ShowHistory() {
  ScreenForm* screen = host_->Current();
  if (!screen) return;
  std::string focused;
  if (const ScreenPage* page = Page(screen->Name())) {
    for (const std::string& field : screen->Fields())
      if (page->Field(field) && page->Field(field) == QApplication::focusWidget()) focused = field;
  }
  std::vector<Change> changes;
  Run([&](ScreenForm& s) { changes = s.History(focused); });
  QString text;
  for (const Change& change : changes) text += QString::fromStdString(screen->ChangeLine(change)) + "\n";
  QMessageBox box(QMessageBox::Information, focused.empty() ? tr("History of the record") : tr("History of the field"),
                  text.isEmpty() ? tr("No change of this record is on record.") : text, QMessageBox::Ok, this);
  box.setObjectName("history");
  box.exec();
}

bool MainWindow::ReopenFiledMonth(const std::string& key) {
  auto* setup = dynamic_cast<TrfSetupScreen*>(host_->Current());
  if (key != "ReopenTrf" || !setup || !setup->CurrentFiling()) return false;
  bool given = false;
  const QString reason = QInputDialog::getText(this, tr("Reopen a filed month"),
                                               tr("Why is the month reopened? The reason is kept on record."),
                                               QLineEdit::Normal, QString(), &given);
  if (given) host_->Perform([&](ScreenForm&) { setup->ReopenFiled(reason.toStdString()); });
  return true;
}

void MainWindow::ShowProblem(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, this);
  box.setObjectName("problem");
  box.exec();
}

void MainWindow::Refresh() {
  ScreenForm* current = host_->Current();
  if (current) {
    ScreenPage* page = Page(current->Name());
    stack_->setCurrentWidget(page);
    ScreenView view;
    host_->Describe(view);
    page->Show(view);
    setWindowTitle(tr("TRF - %1").arg(QString::fromStdString(current->Caption())));
    const QSignalBlocker quiet(navigation_);
    navigation_->setCurrentRow(Position(*current) - 1);
    const std::map<QString, bool> allowed = {{"save", view.allows.save},
                                             {"add", view.allows.add},
                                             {"remove", view.allows.remove},
                                             {"undo", view.allows.undo}};
    for (QAction* action : record_actions_) action->setEnabled(allowed.at(action->objectName()));
  }
  commands_->Sync();
  commands_menu_->clear();
  commands_menu_->addActions(commands_->ButtonActions());
  commands_menu_->setEnabled(!commands_menu_->isEmpty());

  kw::TrfContainer& container = *services_.container();
  const std::string home = container.CurrentHomeNum();
  home_label_->setText(home.empty() ? tr("No home chosen") : tr("Home %1").arg(QString::fromStdString(home)));
  const bool month = !container.CurrentH_HomeMonthlyStatsID().empty();
  month_label_->setText(month ? tr("Month: %1").arg(MonthText(container.CurrentTRFDate())) : tr("No month chosen"));
}

QString MainWindow::StatusText() const { return home_label_->text() + " | " + month_label_->text(); }

ScreenPage* MainWindow::Page(const std::string& name) const {
  const auto found = pages_.find(name);
  return found == pages_.end() ? nullptr : found->second;
}

int MainWindow::Position(const ScreenForm& screen) const {
  const auto& screens = host_->Screens();
  for (size_t i = 0; i < screens.size(); ++i)
    if (screens[i].get() == &screen) return static_cast<int>(i) + 1;
  return 0;
}

void MainWindow::FileReport() {
  SendOffDialog dialog(static_cast<int>(host_->Screens().size()), this);
  send_off_ = &dialog;
  dialog.show();
  try {
    host_->SendOff();
  } catch (const ScreenRefusal& refusal) {
    dialog.Note(0, QString::fromStdString(refusal.what()));
    dialog.Finished(false);
  }
  send_off_ = nullptr;
  Refresh();
  dialog.exec();
}

void MainWindow::About() {
  // A server by its URI (without a password), a file by its full path.
  const std::string& location = services_.database()->Path();
  const QString database = IsServerUri(location) ? QString::fromStdString(location)
                                                 : QFileInfo(QString::fromStdString(db_path_)).absoluteFilePath();
  QMessageBox box(QMessageBox::Information, tr("About TRF"),
                  tr("<b>TRF desktop</b><p>The monthly report of the homes: residents, family groups, expenses and "
                     "notes, checked before it is filed.</p><p>Database in use:<br><tt>%1</tt></p>"
                     "<p>%2 screens &middot; Qt %3</p>")
                      .arg(database.toHtmlEscaped())
                      .arg(host_->Screens().size())
                      .arg(QString::fromLatin1(qVersion())),
                  QMessageBox::Ok, this);
  box.setObjectName("aboutBox");
  box.exec();
}

void MainWindow::Notice(const ScreenForm& screen, const std::string& text) {
  const QString words = QString::fromStdString(text);
  statusBar()->showMessage(words, 10000);
  if (send_off_) send_off_->Note(Position(screen), words);
}

void MainWindow::Stayed(const ScreenForm& screen) {
  statusBar()->showMessage(tr("Stayed on %1: put its changes right, or undo them, before leaving")
                               .arg(QString::fromStdString(screen.Caption())),
                           10000);
}

void MainWindow::Redirected(const std::string& form_key, const ScreenForm* target) {
  const QString where = target ? QString::fromStdString(target->Caption()) : QString::fromStdString(form_key);
  statusBar()->showMessage(tr("That screen needs a home and a month first: showing %1").arg(where), 10000);
}

void MainWindow::CouldNotOpen(const ScreenForm& target) {
  statusBar()->showMessage(tr("%1 could not be opened").arg(QString::fromStdString(target.Caption())), 10000);
}

void MainWindow::SendOffStopped(const ScreenForm& screen) {
  if (send_off_) send_off_->Stopped(QString::fromStdString(screen.Caption()));
}

void MainWindow::SendOffResult(bool passed) {
  if (send_off_) send_off_->Finished(passed);
  statusBar()->showMessage(passed ? tr("The report is ready to be filed") : tr("The report was not filed"), 10000);
}

void MainWindow::Busy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  QSettings settings;
  settings.setValue("window/geometry", saveGeometry());
  QString why;
  bool left = false;
  try {
    left = host_->LeaveCurrent();
  } catch (const ScreenRefusal& refusal) {
    why = QString::fromStdString(refusal.what()) + "\n\n";
  }
  if (!left) {
    const QString caption = QString::fromStdString(host_->Current()->Caption());
    const auto answer =
        QMessageBox::question(this, tr("Leave without saving?"),
                              why + tr("The changes on %1 could not be saved. Leave without them?").arg(caption),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) {
      event->ignore();
      Refresh();
      return;
    }
  }
  event->accept();
}

}  // namespace trf::desktop
