// The desktop window as a whole, driven as a person would (keys first): its screens, its models,
// the actions offered, the choice completed, the problem list.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

#include <memory>

#include "app/data/sqlite_database.h"
#include "desktop_world.h"
#include "dialog_answerer.h"
#include "suites.h"

namespace trf::desktop {

class WindowTest : public DesktopSuite {
  Q_OBJECT

 private slots:
  // A trigger dropped behind the program's back is put back when the window opens on the file, and a
  // box says so, once.
  void putBackTriggersAreSaidOnce() {
    DialogAnswerer notice({"OK"});
    world_->Reopen(
        [](const std::string& path) { SqliteDatabase(path).Exec("DROP TRIGGER trf_tbH_Residents_changed"); });
    QTRY_COMPARE(notice.Seen().size(), 1);
    QVERIFY2(notice.Seen().front().startsWith(
                 "The database: The triggers that keep the change record and the lock of filed months were not all in "
                 "place: 1 missing or altered (trf_tbH_Residents_changed on tbH_Residents)."),
             qPrintable(notice.Seen().front()));
    QTRY_VERIFY(notice.Left().isEmpty());
  }

  // Every screen opens once a home and a month are chosen, and leaves a picture of itself for the documentation.
  void opensEveryScreen() {
    world_->ChooseMarch();
    QVERIFY(world_->window->StatusText().contains("Home H-101"));
    QVERIFY(world_->window->StatusText().contains("March"));
    DialogAnswerer answerer({"Yes", "Yes", "Yes"});  // leaving a screen may ask about its rules
    for (int row = 0; row < world_->window->Navigation()->count(); ++row) {
      world_->window->Navigation()->setCurrentRow(row);
      const std::string name = world_->session->Host().Screens()[static_cast<size_t>(row)]->Name();
      QCOMPARE(world_->session->Host().Current()->Name(), name);
      ScreenPage* page = world_->Page(name);
      QVERIFY(page->isVisible());
      if (page->List()) QVERIFY(page->List()->model()->rowCount() > 0);
      QTest::qWait(20);  // the status bar lays out its new texts
      QVERIFY(world_->window->grab().toImage().save(DesktopWorld::Pictures() + "/" + QString::fromStdString(name) +
                                                    ".png"));
    }
    QVERIFY(!answerer.Hung());
    DialogAnswerer about({"OK"});
    world_->Trigger("about");
    QVERIFY(about.Seen().front().contains(world_->folder->filePath("trf.db")));
  }

  // The list and record models keep Qt's contract while records are added, removed, selected and
  // edited, and each operation announces only what it changed: no operation reads the list again.
  void modelsAnnounceOnlyWhatChanged() {
    world_->ChooseMarch("residents");
    DesktopSession& session = *world_->session;
    ListModel* list = session.List("residents");
    RecordModel* record = session.Record("residents");
    QAbstractItemModelTester list_tester(list, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester record_tester(record, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(list, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(list, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(list, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(list, &QAbstractItemModel::dataChanged);
    const int rows = list->rowCount();
    constexpr int kName = 1;  // after the problem column

    QVERIFY(session.Run([](ScreenForm& s) { s.SelectRow(2); }));
    changed.clear();
    QVERIFY(session.EditField("name", "Ben Okafor-Hale"));
    QCOMPARE(list->index(1, kName).data().toString(), QString("Ben Okafor-Hale"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).toModelIndex().row(), 1);
    QCOMPARE(record->index(0, record->Column("name")).data().toString(), QString("Ben Okafor-Hale"));

    QVERIFY(session.Run([](ScreenForm& s) { s.AddRecord(); }));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(list->rowCount(), rows + 1);
    QCOMPARE(list->index(rows, kName).data().toString(), QString("(new resident)"));
    DialogAnswerer confirm({"Yes", "Yes"});
    QVERIFY(session.Run([](ScreenForm& s) { s.RemoveRecord(); }));
    QVERIFY(session.Run([](ScreenForm& s) { s.SelectRow(3); }));
    QVERIFY(session.Run([](ScreenForm& s) { s.RemoveRecord(); }));  // a row in the middle goes
    QCOMPARE(removed.count(), 2);
    QCOMPARE(list->rowCount(), rows - 1);
    QCOMPARE(list->index(2, kName).data().toString(), QString("Nora Pike"));
    QCOMPARE(resets.count(), 0);
  }

  // The actions offered are those the screen allows now; a refused move leaves the navigation on the
  // screen that is shown, which wears its unsaved mark.
  void actionsFollowTheScreen() {
    world_->ChooseMarch("expenses");
    QVERIFY(!world_->Action("add")->isEnabled());
    QVERIFY(!world_->Action("remove")->isEnabled());
    world_->window->Go("residents");
    QVERIFY(world_->Action("add")->isEnabled());
    QVERIFY(!world_->Action("save")->isEnabled());
    QTest::keyClick(world_->Page("residents")->List(), Qt::Key_Insert);
    QVERIFY(world_->Action("save")->isEnabled());
    QVERIFY(world_->window->isWindowModified());
    DialogAnswerer answerer({"OK", "OK"});
    world_->window->Navigation()->setCurrentRow(0);  // the new resident has no name and no admission date: it stays
    QCOMPARE(answerer.Seen().size(), 2);
    QCOMPARE(world_->session->Host().Current()->Name(), std::string("residents"));
    QTRY_COMPARE(world_->window->Navigation()->currentRow(), 2);
    QCOMPARE(world_->window->Navigation()->currentItem()->text(), QString("Residents *"));
  }

  // Typing into the combo box runs the screen's completion, not Qt's.
  void choiceCompletesWhatIsTyped() {
    world_->ChooseMarch("families");
    QComboBox* choice = world_->Page("families")->Choice();
    QVERIFY(choice->completer() == nullptr);
    choice->setFocus();
    QTest::keyClicks(choice->lineEdit(), "ann");
    QCOMPARE(choice->currentText(), QString("Annual fee only"));
    QCOMPARE(choice->lineEdit()->selectedText(), QString("ual fee only"));
  }

  // The month's problems stand beside the screens, counted in the status bar; Enter on one opens
  // its record with the focus on its field, and the list follows the save that put it right.
  void problemListLeadsToEachProblem() {
    world_->ChooseMarch();
    QTreeWidget* entries = world_->window->Problems()->Entries();
    QTRY_COMPARE(entries->topLevelItemCount(), 4);
    auto* count = world_->window->findChild<QLabel*>("problemsStatus");
    QCOMPARE(count->text(), QString("4 problems"));
    QTreeWidgetItem* tom = entries->topLevelItem(1);
    QCOMPARE(tom->text(1), QString("Tom Reyes"));
    QCOMPARE(tom->text(2), QString("Admission date"));
    QCOMPARE(tom->text(3), QString("error 3111"));

    entries->setCurrentItem(tom);
    QTest::keyClick(entries, Qt::Key_Return);
    QCOMPARE(world_->session->Host().Current()->Name(), std::string("residents"));
    ScreenPage* page = world_->Page("residents");
    QCOMPARE(world_->Value("name"), QString("Tom Reyes"));
    QCOMPARE(world_->Focused(), page->Field("admission"));

    DialogAnswerer answerer({"OK"});
    DesktopWorld::Type(world_->Edit("birthdate"), "5/5/1930");
    QTest::keyClick(page->List(), Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE(count->text(), QString("3 problems"));
    QCOMPARE(entries->findItems("Tom Reyes", Qt::MatchExactly, 1).size(), 0);
  }
};

int RunWindowTests(int argc, char** argv) {
  WindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trf::desktop

#include "window_test.moc"
