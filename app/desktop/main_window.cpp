// The desktop session's window: pages, navigation, menus and tool bars, and the dialogs.
#include "app/desktop/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWhatsThis>

#include "app/data/backup.h"
#include "app/data/connection_text.h"
#include "app/data/trf_database.h"
#include "app/desktop/accessible_combo.h"
#include "app/desktop/dialog_focus.h"
#include "app/desktop/standing_icons.h"
#include "app/report_pdf/report_pdf.h"
#include "ui_shared/platform/error.h"

namespace trf::desktop {
namespace {

constexpr int kMessageMs = 10000;
// How long the problem list waits for a running operation before it tries again.
constexpr int kRetryMs = 250;

// Adds an action named `name` to `menu`, running `run` when triggered.
QAction* AddAction(QMenu* menu, const QString& text, const QString& name, const QList<QKeySequence>& keys,
                   std::function<void()> run) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  action->setShortcuts(keys);
  if (!keys.isEmpty())
    action->setToolTip(action->text().remove('&') + " (" + keys.front().toString(QKeySequence::NativeText) + ")");
  QObject::connect(action, &QAction::triggered, menu, std::move(run));
  return action;
}

}  // namespace

MainWindow::MainWindow(DesktopSession& session) : session_(session) {
  NameComboBoxesByTheirCaptions();
  new DialogFocus(*this);
  // The screen's caption once one is shown; the platform adds the program's name.
  setWindowTitle(tr("TRF[*]"));
  BuildPages();
  BuildMenusAndTools();
  connect(&session_, &DesktopSession::viewChanged, this, [this] { Redraw(); });
  connect(&session_, &DesktopSession::refused, this, [this](const QString& sentence) { ShowProblem(sentence); });
  connect(&session_, &DesktopSession::notice, this, [this](int position, const QString& text) {
    statusBar()->showMessage(text, kMessageMs);
    if (send_off_) send_off_->Note(position, text);
  });
  connect(&session_, &DesktopSession::stayed, this, [this](const QString& caption) {
    statusBar()->showMessage(tr("Stayed on %1: put its changes right, or revert them, before leaving").arg(caption),
                             kMessageMs);
  });
  connect(&session_, &DesktopSession::redirected, this, [this](const QString& where) {
    statusBar()->showMessage(tr("That screen needs a home and a month first: showing %1").arg(where), kMessageMs);
  });
  connect(&session_, &DesktopSession::couldNotOpen, this, [this](const QString& caption) {
    statusBar()->showMessage(tr("%1 could not be opened").arg(caption), kMessageMs);
  });
  connect(&session_, &DesktopSession::sendOffStopped, this, [this](int position, const QString& caption) {
    if (send_off_) send_off_->Stopped(position, caption);
  });
  connect(&session_, &DesktopSession::sendOffResult, this, [this](bool passed) {
    if (send_off_) send_off_->Finished(passed);
    statusBar()->showMessage(passed ? tr("The month is filed: File > Save the report as PDF keeps its report")
                                    : tr("The report was not filed"),
                             kMessageMs);
    ProblemsDue();
  });
  connect(&session_, &DesktopSession::busy, this, [](bool busy) {
    if (busy)
      QApplication::setOverrideCursor(Qt::WaitCursor);
    else
      QApplication::restoreOverrideCursor();
  });
  QSettings settings;
  if (!restoreGeometry(settings.value("window/geometry").toByteArray())) {
    // The first time: a comfortable size, but never larger than the screen it opens on.
    const QSize room = screen() ? screen()->availableGeometry().size() * 9 / 10 : QSize(1040, 720);
    resize(QSize(1040, 720).boundedTo(room));
  }
  if (!restoreState(settings.value("window/state").toByteArray())) resizeDocks({problems_}, {150}, Qt::Vertical);
  // The home, month and screen the person left off at in this database, else Our Home.
  const LeftOff left_off = Recall(session_.Services().database()->Path());
  ReturnTo(session_, left_off);
  const ScreenForm* current = session_.Host().Current();
  Go(current ? current->Name() : "home");
  // What opening the database put right, said once the window is up, without holding it up.
  for (const std::string& notice : session_.Services().notices()) {
    auto* box = new QMessageBox(QMessageBox::Information, tr("The database"), QString::fromStdString(notice),
                                QMessageBox::Ok, this);
    box->setObjectName("notice");
    box->setAttribute(Qt::WA_DeleteOnClose);
    QTimer::singleShot(0, box, [box] { box->open(); });
  }
}

MainWindow::~MainWindow() { session_.disconnect(this); }

void MainWindow::BuildPages() {
  navigation_ = new QListWidget;
  navigation_->setObjectName("navigation");
  navigation_->setAccessibleName(tr("Screens"));
  stack_ = new QStackedWidget;
  for (const ScreenPtr& screen : session_.Host().Screens()) {
    auto* page = new ScreenPage(session_, *screen, stack_);
    // Typing offers Save at once: it takes the field being typed.
    page->OnTyping([this] { allowed_["save"]->setEnabled(true); });
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
  problems_label_ = new QLabel;
  problems_label_->setObjectName("problemsStatus");
  statusBar()->addPermanentWidget(problems_label_);
  statusBar()->addPermanentWidget(home_label_);
  statusBar()->addPermanentWidget(month_label_);

  problems_ = new ProblemsPanel([this](const Problem& problem) { OpenProblem(problem); }, this);
  problems_->SetReply([this](int64_t question, const std::string& text) -> std::string {
    try {
      session_.Host().Months().Reply(question, text);
    } catch (const kw::Error& error) {
      return SentenceOf(error);
    }
    ProblemsDue();
    return {};
  });
  addDockWidget(Qt::BottomDockWidgetArea, problems_);
}

void MainWindow::BuildMenusAndTools() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  allowed_["send_off"] =
      AddAction(file, tr("File the &report..."), "fileReport", {QKeySequence(Qt::Key_F9)}, [this] { FileReport(); });
  AddAction(file, tr("Save the report as &PDF..."), "reportPdf", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
            [this] { SaveReportPdf(); });
  AddAction(file, tr("Print pre&view..."), "printPreview", {QKeySequence::Print}, [this] { PrintPreview(); });
  AddAction(file, tr("&Compare with the filing..."), "compareFiling", {}, [this] { CompareWithFiling(); });
  AddAction(file, tr("&Back up..."), "backUp", {}, [this] { BackUp(); });
  file->addSeparator();
  AddAction(file, tr("&Quit"), "quit", {QKeySequence::Quit}, [this] { close(); });

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  QAction* undo = AddAction(edit, tr("&Undo"), "undo", {QKeySequence::Undo}, [this] { session_.UndoEdit(); });
  // Redo on the keys every desktop program uses for it, whatever the platform's theme says.
  QAction* redo = AddAction(edit, tr("&Redo"), "redo",
                            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
                            [this] { session_.RedoEdit(); });
  QUndoGroup& edits = session_.Undo();
  undo->setEnabled(false);
  redo->setEnabled(false);
  connect(&edits, &QUndoGroup::canUndoChanged, undo, &QAction::setEnabled);
  connect(&edits, &QUndoGroup::canRedoChanged, redo, &QAction::setEnabled);
  // What an undo or redo would change, on the action's tip.
  connect(&edits, &QUndoGroup::undoTextChanged, undo,
          [undo](const QString& text) { undo->setToolTip(tr("Undo the %1 (Ctrl+Z)").arg(text)); });
  connect(&edits, &QUndoGroup::redoTextChanged, redo,
          [redo](const QString& text) { redo->setToolTip(tr("Redo the %1 (Ctrl+Shift+Z)").arg(text)); });
  edit->addSeparator();
  allowed_["undo"] = AddAction(edit, tr("Re&vert to the stored data"), "revert", {QKeySequence(Qt::Key_F5)},
                               [this] { session_.Run([](ScreenForm& s) { s.UndoEdits(); }); });

  QMenu* go = menuBar()->addMenu(tr("&Go"));
  int number = 1;
  for (const ScreenPtr& screen : session_.Host().Screens()) {
    const std::string name = screen->Name();
    AddAction(go, QStringLiteral("&%1 %2").arg(number).arg(QString::fromStdString(screen->Caption())),
              QString::fromStdString("go-" + name), {QKeySequence(QStringLiteral("Ctrl+%1").arg(number))},
              [this, name] { Go(name); });
    ++number;
  }
  go->addSeparator();
  QAction* problems = problems_->toggleViewAction();
  problems->setText(tr("&Problems of the month"));
  problems->setObjectName("problemsPanel");
  problems->setShortcut(QKeySequence(Qt::Key_F8));
  go->addAction(problems);

  QMenu* record = menuBar()->addMenu(tr("&Record"));
  allowed_["save"] = AddAction(record, tr("&Save"), "save", {QKeySequence::Save}, [this] {
    CommitEdits();
    session_.Save();
  });
  // A record added is filled in at once: the focus goes to its first field.
  allowed_["add"] = AddAction(record, tr("&Add a record"), "add",
                              {QKeySequence(Qt::CTRL | Qt::Key_N), QKeySequence(Qt::Key_Insert)}, [this] {
                                CommitEdits();
                                if (session_.Run([](ScreenForm& s) { s.AddRecord(); })) FocusActiveField();
                              });
  allowed_["remove"] = AddAction(record, tr("Re&move the record"), "remove",
                                 {QKeySequence(Qt::Key_Delete), QKeySequence(Qt::CTRL | Qt::Key_Delete)},
                                 [this] { session_.Run([](ScreenForm& s) { s.RemoveRecord(); }); });

  AddAction(record, tr("Field &history"), "history", {QKeySequence(Qt::CTRL | Qt::Key_H)}, [this] { ShowHistory(); });

  commands_menu_ = menuBar()->addMenu(tr("&Commands"));
  QMenu* help = menuBar()->addMenu(tr("&Help"));
  AddAction(help, tr("Help on this &field"), "fieldHelp", {QKeySequence::HelpContents}, [this] { FieldHelp(); });
  AddAction(help, tr("&About TRF"), "about", {}, [this] { About(); });

  QToolBar* records = addToolBar(tr("Record"));
  records->setObjectName("recordBar");
  records->setAccessibleName(tr("Record actions"));
  records->setToolButtonStyle(Qt::ToolButtonTextOnly);
  records->addActions({allowed_["save"], allowed_["add"], allowed_["remove"], undo, redo, allowed_["undo"]});
  records->addSeparator();
  records->addAction(allowed_["send_off"]);
  commands_ = new CommandToolbar(
      session_.Services().container()->Bar(),
      [this](const std::string& key) {
        if (!ReopenFiledMonth(key)) session_.Click(key);
      },
      this);
  addToolBar(commands_);
}

void MainWindow::Go(const std::string& name) {
  CommitEdits();  // what was typed counts before the screen is left
  session_.Go(name);
  // A refused move leaves the navigation on the screen shown, also after the list's own mouse handling.
  QTimer::singleShot(0, this, [this] { Redraw(); });
  if (ScreenForm* current = session_.Host().Current())
    if (QWidget* first = Page(current->Name())->FirstControl()) first->setFocus();
}

void MainWindow::BackUp() {
  const std::string location = session_.Services().database()->Path();
  if (IsServerLocation(location)) {
    ShowProblem(tr("A server database is backed up on the server, by its administrator."), tr("No backup"));
    return;
  }
  const QString copy =
      QFileDialog::getSaveFileName(this, tr("Back up the database"), QString::fromStdString(location) + ".backup");
  if (copy.isEmpty()) return;
  try {
    BackUpTrfFile(location, copy.toStdString());
    statusBar()->showMessage(tr("Backed up into %1").arg(copy), kMessageMs);
  } catch (const kw::Error& error) {
    ShowProblem(QString::fromStdString(SentenceOf(error)), tr("No backup"));
  }
}

void MainWindow::ShowHistory() {
  ScreenForm* screen = session_.Host().Current();
  if (!screen) return;
  std::string focused;
  if (const ScreenPage* page = Page(screen->Name())) {
    for (const std::string& field : screen->Fields())
      if (page->Field(field) && page->Field(field) == QApplication::focusWidget()) focused = field;
  }
  std::vector<Change> changes;
  if (!session_.Run([&](ScreenForm& s) { changes = s.History(focused); })) return;
  QString text;
  for (const Change& change : changes) text += QString::fromStdString(screen->ChangeLine(change)) + "\n";
  QMessageBox box(QMessageBox::Information, focused.empty() ? tr("History of the record") : tr("History of the field"),
                  text.isEmpty() ? tr("No change of this record is on record.") : text, QMessageBox::Ok, this);
  box.setObjectName("history");
  box.exec();
}

bool MainWindow::ReopenFiledMonth(const std::string& key) {
  MonthSetup* setup = session_.Host().Current() ? session_.Host().Current()->Setup() : nullptr;
  if (key != "ReopenTrf" || !setup || !setup->CurrentFiling()) return false;
  bool given = false;
  const QString reason = QInputDialog::getText(this, tr("Reopen a filed month"),
                                               tr("Why is the month reopened? The reason is kept on record."),
                                               QLineEdit::Normal, QString(), &given);
  if (given) session_.Run([&](ScreenForm&) { setup->ReopenFiled(reason.toStdString()); });
  return true;
}

void MainWindow::ShowProblem(const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::Warning, title.isEmpty() ? tr("Not possible now") : title, text, QMessageBox::Ok, this);
  box.setObjectName("problem");
  box.exec();
}

void MainWindow::Redraw() {
  const ScreenForm* current = session_.Host().Current();
  const ScreenView& view = session_.View();
  if (current) {
    ScreenPage* page = Page(current->Name());
    stack_->setCurrentWidget(page);
    page->Show(view);
    setWindowTitle(QString::fromStdString(current->Caption()) + QStringLiteral("[*]"));
  }
  const bool unsaved = session_.Unsaved();
  setWindowModified(unsaved);
  {
    const QSignalBlocker quiet(navigation_);
    const auto& screens = session_.Host().Screens();
    for (int row = 0; row < navigation_->count(); ++row) {
      const ScreenForm& screen = *screens[static_cast<size_t>(row)];
      const bool here = &screen == current;
      // The screen with unsaved edits wears a mark.
      navigation_->item(row)->setText(QString::fromStdString(screen.Caption()) +
                                      (here && unsaved ? QStringLiteral(" *") : QString()));
      if (here) navigation_->setCurrentRow(row);
    }
  }
  const ScreenPage* page = current ? Page(current->Name()) : nullptr;
  const std::map<std::string, bool> allows = {{"save", view.allows.save || (page && page->Typing())},
                                              {"add", view.allows.add},
                                              {"remove", view.allows.remove},
                                              {"undo", view.allows.undo},
                                              {"send_off", view.allows.send_off}};
  for (const auto& [name, action] : allowed_) action->setEnabled(allows.at(name));
  commands_->Sync();
  commands_menu_->clear();
  commands_menu_->addActions(commands_->ButtonActions());
  commands_menu_->setEnabled(!commands_menu_->isEmpty());

  const ScreenContext& context = view.context;
  home_label_->setText(context.home_num.empty() ? tr("No home chosen")
                                                : tr("Home %1").arg(QString::fromStdString(context.home_num)));
  // The problem list follows the month, its status, the screen shown (leaving one saves it) and each save.
  if (context.month_id != problems_month_ || context.month_status != problems_status_ ||
      (had_unsaved_ && !view.allows.save))
    ProblemsDue();
  had_unsaved_ = view.allows.save;
  month_label_->setText(context.month_id.empty() ? tr("No month chosen")
                                                 : tr("Month: %1").arg(MonthText(context.month_date)));
  if (const LeftOff place = PlaceOf(session_); current && place != kept_) {
    Keep(session_.Services().database()->Path(), place);
    kept_ = place;
  }
}

QString MainWindow::StatusText() const { return home_label_->text() + " | " + month_label_->text(); }

ScreenPage* MainWindow::Page(const std::string& name) const {
  const auto found = pages_.find(name);
  return found == pages_.end() ? nullptr : found->second;
}

void MainWindow::FileReport() {
  CommitEdits();
  SendOffDialog dialog(
      static_cast<int>(session_.Host().Screens().size()), [this] { SaveReportPdf(); }, this);
  send_off_ = &dialog;
  dialog.show();
  connect(&session_, &DesktopSession::refused, &dialog, [&dialog](const QString& sentence) {
    dialog.Note(0, sentence);
    dialog.Finished(false);
  });
  session_.SendOff();
  send_off_ = nullptr;
  dialog.exec();
}

std::optional<MonthReport> MainWindow::CurrentReport() {
  if (session_.View().allows.save) {
    ShowProblem(tr("Save or revert the changes of this screen first: the report shows what is stored."));
    return std::nullopt;
  }
  std::optional<MonthReport> report;
  session_.Report(report);
  return report;
}

void MainWindow::SaveReportPdf() {
  const std::optional<MonthReport> report = CurrentReport();
  if (!report) return;
  const QString name = QStringLiteral("TRF %1 %2-%3%4.pdf")
                           .arg(QString::fromStdString(report->home_number))
                           .arg(report->year)
                           .arg(report->month, 2, 10, QChar('0'))
                           .arg(report->passes ? QString() : tr(" draft"));
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  const QString path = QFileDialog::getSaveFileName(
      this, report->passes ? tr("Save the month's report") : tr("Save a draft of the month's report"),
      QDir(folder).filePath(name), tr("PDF documents (*.pdf)"));
  if (path.isEmpty()) return;
  try {
    WriteMonthReportPdf(*report, path.toStdString());
  } catch (const ScreenRefusal& refusal) {
    ShowProblem(QString::fromStdString(refusal.what()), tr("No report"));
    return;
  }
  statusBar()->showMessage(report->passes
                               ? tr("The month's report was saved as %1").arg(path)
                               : tr("A draft of the report (the month does not pass yet) was saved as %1").arg(path),
                           kMessageMs);
}

void MainWindow::PrintPreview() {
  const std::optional<MonthReport> report = CurrentReport();
  if (!report) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setFullPage(true);
  printer.setDocName(QString::fromStdString("TRF " + report->home_number + " " + ReportMonthText(*report)));
  QPrintPreviewDialog preview(&printer, this);
  preview.setObjectName("printPreview");
  preview.setWindowTitle(report->passes ? tr("The month's report") : tr("A draft of the month's report"));
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, &report](QPrinter* device) {
    device->setFullPage(true);
    if (!PaintMonthReport(*report, *device)) statusBar()->showMessage(tr("The report could not be drawn"), kMessageMs);
  });
  preview.exec();
}

void MainWindow::CompareWithFiling() {
  if (session_.View().allows.save) {
    ShowProblem(tr("Save or revert the changes of this screen first: the filing is held against what is stored."));
    return;
  }
  std::vector<std::string> differences;
  if (!session_.DifferencesFromFiling(differences)) return;
  QMessageBox box(differences.empty() ? QMessageBox::Information : QMessageBox::Warning, tr("The month and its filing"),
                  QString::fromStdString(DifferencesSummary(differences)), QMessageBox::Ok, this);
  box.setObjectName("filingComparison");
  QStringList lines;
  for (const std::string& difference : differences) lines << QString::fromStdString(difference);
  // The differences in the box itself, where a screen reader reads them with the summary.
  if (!lines.isEmpty()) box.setInformativeText(lines.join('\n'));
  box.exec();
}

void MainWindow::ProblemsDue() {
  if (problems_due_) return;
  problems_due_ = true;
  QTimer::singleShot(0, this, [this] {
    problems_due_ = false;
    RefreshProblems();
  });
}

void MainWindow::RefreshProblems() {
  const ScreenContext& context = session_.View().context;
  problems_month_ = context.month_id;
  problems_status_ = context.month_status;
  if (context.month_id.empty()) {
    problems_->Clear();
    problems_label_->clear();
    return;
  }
  std::vector<Problem> problems;
  QString why;
  if (session_.Problems(problems, why)) {
    problems_->Show(std::move(problems));
  } else if (why.isEmpty()) {
    // An operation is still running (its dialog is open): the list is made once it is over.
    QTimer::singleShot(kRetryMs, this, [this] { ProblemsDue(); });
    return;
  } else {
    problems_->Failed(why);
  }
  problems_label_->setText(problems_->CountText());
}

void MainWindow::OpenProblem(const Problem& problem) {
  if (!session_.Open(problem)) return;
  const ScreenForm* current = session_.Host().Current();
  ScreenPage* page = current ? Page(current->Name()) : nullptr;
  if (page && !page->FocusActiveField() && page->FirstControl()) page->FirstControl()->setFocus();
}

ScreenPage* MainWindow::CurrentPage() const {
  const ScreenForm* current = session_.Host().Current();
  return current ? Page(current->Name()) : nullptr;
}

void MainWindow::CommitEdits() {
  if (ScreenPage* page = CurrentPage()) page->CommitEdits();
}

void MainWindow::FocusActiveField() {
  if (ScreenPage* page = CurrentPage()) page->FocusActiveField();
}

void MainWindow::FieldHelp() {
  const ScreenForm* current = session_.Host().Current();
  QWidget* focused = focusWidget();
  ScreenPage* page = current ? Page(current->Name()) : nullptr;
  RecordModel* record = current ? session_.Record(current->Name()) : nullptr;
  // The field is the focused editor, or the editor a focused part (a combo's line) belongs to.
  while (focused && page &&
         !(record && record->Column(focused->objectName().toStdString()) >= 0 &&
           page->Field(focused->objectName().toStdString()) == focused))
    focused = focused->parentWidget();
  if (!focused || !record) {
    statusBar()->showMessage(tr("Help: move to a field first (Tab), then press F1 for what it holds"), kMessageMs);
    return;
  }
  const ScreenField& field = record->Field(record->Column(focused->objectName().toStdString()));
  // What the field holds, and what is wrong with its value now, as its rule says.
  const QString now = field.standing == Standing::kFine
                          ? QString()
                          : tr("Now (%1): %2").arg(StandingWord(field.standing), QString::fromStdString(field.problem));
  QString help = FieldRule(field);
  if (!now.isEmpty()) help += "\n" + now;
  if (field.help_context != 0) help += "\n" + tr("Help topic %1").arg(field.help_context);
  statusBar()->showMessage(now.isEmpty() ? FieldRule(field) : now, kMessageMs);
  QWhatsThis::showText(focused->mapToGlobal(QPoint(0, focused->height())), help, focused);
}

void MainWindow::About() {
  const std::string& location = session_.Services().database()->Path();
  // A server by its connection text without its password, a file by its full path.
  const QString database = IsServerLocation(location) ? QString::fromStdString(location)
                                                      : QFileInfo(QString::fromStdString(location)).absoluteFilePath();
  QMessageBox box(QMessageBox::Information, tr("About TRF"),
                  tr("<b>TRF desktop</b><p>The monthly report of the homes: residents, family groups, expenses and "
                     "notes, checked before it is filed.</p><p>Database in use:<br><tt>%1</tt></p>"
                     "<p>%2 screens &middot; Qt %3</p>")
                      .arg(database.toHtmlEscaped())
                      .arg(session_.Host().Screens().size())
                      .arg(QString::fromLatin1(qVersion())),
                  QMessageBox::Ok, this);
  box.setObjectName("aboutBox");
  box.exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  QSettings settings;
  settings.setValue("window/geometry", saveGeometry());
  settings.setValue("window/state", saveState());
  // The field being typed in counts before the screen is left.
  if (QWidget* focused = focusWidget()) focused->clearFocus();
  QString why;
  if (!session_.LeaveCurrent(why)) {
    const QString caption = QString::fromStdString(session_.Host().Current()->Caption());
    const auto answer =
        QMessageBox::question(this, tr("Leave without saving?"),
                              (why.isEmpty() ? QString() : why + "\n\n") +
                                  tr("The changes on %1 could not be saved. Leave without them?").arg(caption),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) {
      event->ignore();
      return;
    }
  }
  event->accept();
}

}  // namespace trf::desktop
