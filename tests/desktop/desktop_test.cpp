// The desktop front end driven as a person would (keys first), on the offscreen platform, on a fresh
// sample database each.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

#include <memory>

#include "app/data/sqlite_database.h"
#include "app/desktop/main_window.h"
#include "app/screens/notes_screen.h"
#include "dialog_answerer.h"

namespace trf::desktop {

class DesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void init() {
    watchdog_ = std::make_unique<DialogAnswerer>(QStringList(), 3000);
    folder_ = std::make_unique<QTemporaryDir>();
    session_ = std::make_unique<DesktopSession>(folder_->filePath("trf.db").toStdString(), Access::kReadWrite,
                                                QApplication::palette());
    window_ = std::make_unique<MainWindow>(*session_);
    window_->resize(1040, 720);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }

  void cleanup() {
    window_.reset();
    session_.reset();
    folder_.reset();
    const bool hung = watchdog_->Hung();
    watchdog_.reset();
    QVERIFY2(!hung, "a dialog that no test answered was ended by the watchdog");
  }

  // A trigger dropped behind the program's back is put back when the window opens on the file, and a
  // box says so, once.
  void putBackTriggersAreSaidOnce() {
    window_.reset();
    session_.reset();
    const std::string path = folder_->filePath("trf.db").toStdString();
    SqliteDatabase(path).Exec("DROP TRIGGER trf_tbH_Residents_changed");
    DialogAnswerer notice({"OK"});
    session_ = std::make_unique<DesktopSession>(path, Access::kReadWrite, QApplication::palette());
    window_ = std::make_unique<MainWindow>(*session_);
    window_->show();
    QTRY_COMPARE(notice.Seen().size(), 1);
    QVERIFY2(notice.Seen().front().startsWith(
                 "The database: The triggers that keep the change record and the lock of filed months were not all in "
                 "place: 1 missing or altered (trf_tbH_Residents_changed on tbH_Residents)."),
             qPrintable(notice.Seen().front()));
    QTRY_VERIFY(notice.Left().isEmpty());
  }

  // Every screen opens once a home and a month are chosen, and leaves a picture of itself for the documentation.
  void opensEveryScreen() {
    ChooseMarch();
    QVERIFY(window_->StatusText().contains("Home H-101"));
    QVERIFY(window_->StatusText().contains("March"));
    const QString pictures = qEnvironmentVariable("TRF_SCREENSHOTS", QDir::tempPath());
    QDir().mkpath(pictures);
    DialogAnswerer answerer({"Yes", "Yes", "Yes"});  // leaving a screen may ask about its rules
    for (int row = 0; row < window_->Navigation()->count(); ++row) {
      window_->Navigation()->setCurrentRow(row);
      const std::string name = session_->Host().Screens()[static_cast<size_t>(row)]->Name();
      QCOMPARE(session_->Host().Current()->Name(), name);
      ScreenPage* page = window_->Page(name);
      QVERIFY(page->isVisible());
      if (page->List()) QVERIFY(page->List()->model()->rowCount() > 0);
      QTest::qWait(20);  // the status bar lays out its new texts
      QVERIFY(window_->grab().toImage().save(pictures + "/" + QString::fromStdString(name) + ".png"));
    }
    QVERIFY(!answerer.Hung());
    DialogAnswerer about({"OK"});
    Trigger("about");
    QVERIFY(about.Seen().front().contains(folder_->filePath("trf.db")));
  }

  // The list and record models keep Qt's contract while records are added, removed, selected and
  // edited, and each operation announces only what it changed: no operation reads the list again.
  void modelsAnnounceOnlyWhatChanged() {
    ChooseMarch("residents");
    ListModel* list = session_->List("residents");
    RecordModel* record = session_->Record("residents");
    QAbstractItemModelTester list_tester(list, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester record_tester(record, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(list, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(list, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(list, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(list, &QAbstractItemModel::dataChanged);
    const int rows = list->rowCount();

    QVERIFY(session_->Run([](ScreenForm& s) { s.SelectRow(2); }));
    QVERIFY(session_->EditField("name", "Ben Okafor-Hale"));
    QCOMPARE(list->index(1, 0).data().toString(), QString("Ben Okafor-Hale"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).toModelIndex().row(), 1);
    QCOMPARE(record->index(0, record->Column("name")).data().toString(), QString("Ben Okafor-Hale"));

    QVERIFY(session_->Run([](ScreenForm& s) { s.AddRecord(); }));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(list->rowCount(), rows + 1);
    QCOMPARE(list->index(rows, 0).data().toString(), QString("(new resident)"));
    DialogAnswerer confirm({"Yes", "Yes"});
    QVERIFY(session_->Run([](ScreenForm& s) { s.RemoveRecord(); }));
    QVERIFY(session_->Run([](ScreenForm& s) { s.SelectRow(3); }));
    QVERIFY(session_->Run([](ScreenForm& s) { s.RemoveRecord(); }));  // a row in the middle goes
    QCOMPARE(removed.count(), 2);
    QCOMPARE(list->rowCount(), rows - 1);
    QCOMPARE(list->index(2, 0).data().toString(), QString("Nora Pike"));
    QCOMPARE(resets.count(), 0);
  }

  // Each field gets the editor its kind asks for, labelled by its caption; a value the field cannot
  // hold is refused at the editor with the field's sentence, and the screen never sees it.
  void editorsFitTheFields() {
    ChooseMarch("residents");
    ScreenPage* page = window_->Page("residents");
    auto* fee = qobject_cast<QLineEdit*>(page->Field("fee"));
    auto* family = qobject_cast<QComboBox*>(page->Field("family"));
    QVERIFY(fee && family);
    QCOMPARE(fee->accessibleName(), QString("Monthly fee"));
    QVERIFY(page->Field("admission")->accessibleName().contains("required"));
    QVERIFY(family->findText("Okafor family") >= 0);
    QCOMPARE(fee->text(), QLocale().toString(2400.0, 'f', 2));

    Type(fee, "12x");  // the letter is refused as it is typed
    QCOMPARE(fee->text(), QLocale().toString(12.0, 'f', 2));
    Type(fee, "99999999");
    QCOMPARE(fee->property("problem").toString(),
             QString("Monthly fee: an amount from %1 to %2.")
                 .arg(QLocale().toString(0.0, 'f', 2), QLocale().toString(9999999.99, 'f', 2)));
    QCOMPARE(session_->Record("residents")->index(0, 3).data().toString(),
             QString("12"));  // the screen kept the last amount it took

    auto* admission = qobject_cast<QLineEdit*>(page->Field("admission"));
    admission->setFocus();
    QTest::keyClick(admission, Qt::Key_Down, Qt::AltModifier);
    auto* calendar = admission->findChild<QCalendarWidget*>("calendar");
    QVERIFY(calendar && calendar->isVisible());
    calendar->setSelectedDate(QDate(2003, 2, 1));
    emit calendar->activated(QDate(2003, 2, 1));
    QCOMPARE(admission->text(), QString("2/1/2003"));
    const QString pictures = qEnvironmentVariable("TRF_SCREENSHOTS", QDir::tempPath());
    QVERIFY(window_->grab().toImage().save(pictures + "/calendar.png"));
  }

  // A value a rule refuses marks its field (frame, tooltip, accessible description) and the record's row until
  // it is put right; F1 tells what the field holds and what is wrong with it.
  void brokenRuleMarksFieldAndRow() {
    ChooseMarch("residents");
    ScreenPage* page = window_->Page("residents");
    auto* birthdate = qobject_cast<QLineEdit*>(page->Field("birthdate"));
    DialogAnswerer answerer({"OK"});
    Type(birthdate, "1/1/2090");
    QTRY_VERIFY(!answerer.Seen().isEmpty());
    const QString problem = "Birth date 1/1/2090 lies in the future.";
    QCOMPARE(birthdate->toolTip(), problem);
    QCOMPARE(birthdate->accessibleDescription(), problem);
    const int row = session_->View().list->selected;
    QCOMPARE(session_->List("residents")->index(row, 0).data(Qt::ToolTipRole).toString(), problem);
    birthdate->setFocus();
    Trigger("fieldHelp");
    QVERIFY(window_->statusBar()->currentMessage().startsWith("Birth date: a date"));
    const QString pictures = qEnvironmentVariable("TRF_SCREENSHOTS", QDir::tempPath());
    QVERIFY(window_->grab().toImage().save(pictures + "/marked.png"));

    Type(birthdate, "1/1/1931");
    QVERIFY(birthdate->toolTip().isEmpty());
    QVERIFY(!session_->List("residents")->index(row, 0).data(Qt::ToolTipRole).isValid());
  }

  // The actions offered are those the screen allows now; a refused move leaves the navigation on the
  // screen that is shown, which wears its unsaved mark.
  void actionsFollowTheScreen() {
    ChooseMarch("expenses");
    QVERIFY(!Action("add")->isEnabled());
    QVERIFY(!Action("remove")->isEnabled());
    window_->Go("residents");
    QVERIFY(Action("add")->isEnabled());
    QVERIFY(!Action("save")->isEnabled());
    QTest::keyClick(window_->Page("residents")->List(), Qt::Key_Insert);
    QVERIFY(Action("save")->isEnabled());
    QVERIFY(window_->isWindowModified());
    DialogAnswerer answerer({"OK", "OK"});
    window_->Navigation()->setCurrentRow(0);  // the new resident has no name and no admission date: it stays
    QCOMPARE(answerer.Seen().size(), 2);
    QCOMPARE(session_->Host().Current()->Name(), std::string("residents"));
    QTRY_COMPARE(window_->Navigation()->currentRow(), 2);
    QCOMPARE(window_->Navigation()->currentItem()->text(), QString("Residents *"));
  }

  // Tab commits a field; Ctrl+Z and Ctrl+Shift+Z undo and redo that one edit; Ctrl+S saves; all by keys.
  void keysEditUndoRedoAndSave() {
    ChooseMarch("residents");
    ScreenPage* page = window_->Page("residents");
    QTableView* list = page->List();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    auto* name = qobject_cast<QLineEdit*>(page->Field("name"));
    const QString before = name->text();
    Type(name, "Bea Lund");
    QCOMPARE(list->currentIndex().data().toString(), QString("Bea Lund"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(name->text(), before);
    QCOMPARE(list->currentIndex().data().toString(), before);
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(name->text(), QString("Bea Lund"));
    QVERIFY(window_->isWindowModified());
    QTest::keyClick(list, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!window_->isWindowModified());
    QTest::keyClick(list, Qt::Key_Down);  // another record: its edits start a new history
    QVERIFY(!Action("undo")->isEnabled());
  }

  // Typing into the combo box runs the screen's completion, not Qt's.
  void choiceCompletesWhatIsTyped() {
    ChooseMarch("families");
    QComboBox* choice = window_->Page("families")->Choice();
    QVERIFY(choice->completer() == nullptr);
    choice->setFocus();
    QTest::keyClicks(choice->lineEdit(), "ann");
    QCOMPARE(choice->currentText(), QString("Annual fee only"));
    QCOMPARE(choice->lineEdit()->selectedText(), QString("ual fee only"));
  }

  // Bold reads pressed only on a wholly bold selection; a keystroke draws one paragraph again, never the
  // whole notes; composed text, pasted RTF and copies go through the box.
  void notesEditIncrementally() {
    ChooseMarch("notes");
    QTextEdit* notes = window_->Page("notes")->Notes();
    auto& screen = dynamic_cast<NotesScreen&>(*session_->Host().Current());
    QAction* bold = window_->Commands()->ActionFor("BoldClick");
    QTest::keyClicks(notes, "plain bold");
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, "second");
    QCOMPARE(screen.Box()->Text(), std::string("plain bold\nsecond"));
    const int drawn = window_->Page("notes")->Notes()->ParagraphsDrawn();
    QTest::keyClicks(notes, "!");
    QCOMPARE(window_->Page("notes")->Notes()->ParagraphsDrawn(), drawn + 1);

    Select(notes, 6, 4);
    bold->trigger();
    QVERIFY(bold->isChecked());
    QVERIFY(notes->textCursor().charFormat().fontWeight() == QFont::Bold);
    Select(notes, 3, 5);
    QVERIFY(!bold->isChecked());
    QVERIFY(window_->Page("notes")->findChild<QLabel*>("selectionSummary")->text().contains("bold mixed"));

    Select(notes, 6, 4);
    notes->copy();
    QVERIFY(QApplication::clipboard()->mimeData()->data("text/rtf").contains("\\b"));
    Select(notes, 18, 0);
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("日本"));
    QApplication::sendEvent(notes, &composed);
    QCOMPARE(screen.Box()->Text(), std::string("plain bold\nsecond!日本"));
    auto* pasted = new QMimeData;
    pasted->setData("text/rtf", R"({\rtf1\ansi {\b heavy} light})");
    pasted->setText("ignored plain text");
    QApplication::clipboard()->setMimeData(pasted);
    notes->paste();
    QCOMPARE(screen.Box()->Text(), std::string("plain bold\nsecond!日本heavy light"));
    screen.SetSelection(20, 5);
    QCOMPARE(screen.Box()->SelBold(), std::optional<bool>(true));
    const QString pictures = qEnvironmentVariable("TRF_SCREENSHOTS", QDir::tempPath());
    QVERIFY(window_->grab().toImage().save(pictures + "/notes-formatted.png"));
  }

  // Filing the report stops on the broken resident and shows it; the questions on the way are answered.
  void sendOffStopsOnABrokenRecord() {
    ChooseMarch("notes");
    DialogAnswerer answerer({"No", "Close"});
    Trigger("fileReport");
    QVERIFY(!answerer.Hung());
    QVERIFY(answerer.Left().isEmpty());
    QVERIFY(answerer.Seen().join('\n').contains("A monthly fee of 7,800.00 is unusually high"));
    QCOMPARE(session_->Host().Current()->Name(), std::string("residents"));
    QCOMPARE(window_->Page("residents")->List()->currentIndex().data().toString(), QString("Nora Pike"));
    QVERIFY(window_->statusBar()->currentMessage().contains("not filed"));
  }

  // The month's problems stand beside the screens, counted in the status bar; Enter on one opens
  // its record with the focus on its field, and the list follows the save that put it right.
  void problemListLeadsToEachProblem() {
    ChooseMarch();
    QTreeWidget* entries = window_->Problems()->Entries();
    QTRY_COMPARE(entries->topLevelItemCount(), 4);
    auto* count = window_->findChild<QLabel*>("problemsStatus");
    QCOMPARE(count->text(), QString("4 problems"));
    QTreeWidgetItem* tom = entries->topLevelItem(1);
    QCOMPARE(tom->text(1), QString("Tom Reyes"));
    QCOMPARE(tom->text(2), QString("Admission date"));
    QCOMPARE(tom->text(3), QString("error 3111"));

    entries->setCurrentItem(tom);
    QTest::keyClick(entries, Qt::Key_Return);
    QCOMPARE(session_->Host().Current()->Name(), std::string("residents"));
    ScreenPage* page = window_->Page("residents");
    QCOMPARE(page->List()->currentIndex().data().toString(), QString("Tom Reyes"));
    QCOMPARE(window_->focusWidget(), page->Field("admission"));

    DialogAnswerer answerer({"OK"});
    Type(qobject_cast<QLineEdit*>(page->Field("birthdate")), "5/5/1930");
    QTest::keyClick(page->List(), Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE(count->text(), QString("3 problems"));
    QCOMPARE(entries->findItems("Tom Reyes", Qt::MatchExactly, 1).size(), 0);
  }

 private:  // NOLINT(readability-redundant-access-specifiers): the one above is Qt's "private slots"
  // Home 1, March: what most screens need first; then goes to `screen`, if given.
  void ChooseMarch(const char* screen = nullptr) {
    window_->Go("home");
    ClickRow(window_->Page("home")->List(), 0);
    window_->Go("setup");
    ClickRow(window_->Page("setup")->List(), 2);
    if (screen) window_->Go(screen);
  }

  static void ClickRow(QTableView* list, int row) {
    const QRect place = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
    QCOMPARE(list->currentIndex().row(), row);
  }

  // Types `text` over the field's text and leaves it with Tab, as a person does.
  static void Type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
  }

  static void Select(QTextEdit* editor, int start, int length) {
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
  }

  QAction* Action(const char* name) const { return window_->findChild<QAction*>(name); }

  void Trigger(const char* action) {
    QAction* found = Action(action);
    QVERIFY2(found, action);
    found->trigger();
  }

  // Ends any dialog left unanswered, so that a test fails instead of hanging.
  std::unique_ptr<DialogAnswerer> watchdog_;
  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<DesktopSession> session_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace trf::desktop

QTEST_MAIN(trf::desktop::DesktopTest)
#include "desktop_test.moc"
