// Entering the month's records by keys, as a person does: the focus and the active colours move
// together, a correction after a refusal is never lost, the rule's reason stands under its field,
// and undo takes back one changed value at a time, also past a save.
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QListWidget>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>
#include <QWhatsThis>

#include "app/desktop/list_model.h"
#include "app/desktop/qt_colors.h"
#include "app/desktop/shown_values.h"
#include "desktop_world.h"
#include "suites.h"

namespace trf::desktop {

class FieldEditingTest : public DesktopSuite {
  Q_OBJECT

 private slots:
  // Ctrl+N puts the focus in the new record's first field, so that what is typed fills it; the
  // active colours then follow the focus from field to field, and leave the fields with it.
  void addPutsTheFocusInTheFirstField() {
    world_->ChooseMarch("residents");
    ScreenPage* page = world_->Page("residents");
    page->List()->setFocus();
    QTest::keyClick(page->List(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(world_->Focused(), page->Field("name"));
    QTest::keyClicks(world_->Focused(), "Ada Lind");
    QTest::keyClick(world_->Focused(), Qt::Key_Tab);
    QCOMPARE(world_->Value("name"), QString("Ada Lind"));
    QCOMPARE(world_->Focused(), page->Field("birthdate"));
    QCOMPARE(world_->ActiveField(), std::string("birthdate"));
    const QColor active = BaseColour("birthdate");
    QVERIFY(active != BaseColour("name"));
    world_->Edit("fee")->setFocus();
    QCOMPARE(world_->ActiveField(), std::string("fee"));
    QCOMPARE(BaseColour("fee"), active);
    QVERIFY(BaseColour("birthdate") != active);
    page->List()->setFocus();
    QCOMPARE(world_->ActiveField(), std::string());
  }

  // Tab into a field selects its text, and the active colours arriving there leave it selected: what
  // is typed replaces the value.
  void typingAfterTabReplacesTheValue() {
    world_->ChooseMarch("residents");
    world_->Edit("name")->setFocus();
    QTest::keyClick(world_->Edit("name"), Qt::Key_Tab);
    QCOMPARE(world_->ActiveField(), std::string("birthdate"));
    QTest::keyClicks(world_->Focused(), "4/2/1932");
    QCOMPARE(world_->Edit("birthdate")->text(), QString("4/2/1932"));
  }

  // A value the rules refuse keeps its sentence under the field (as the terminal says it), in the
  // field's accessible description, on the record's row and in F1's "Now" line, and keeps the
  // person in the field; the correction typed then is what the field holds.
  void correctionAfterARefusalIsKept() {
    world_->ChooseMarch("residents");
    ScreenPage* page = world_->Page("residents");
    QLineEdit* fee = world_->Edit("fee");
    const QString sentence = "Monthly fee cannot be negative.";
    DialogAnswerer answerer({"OK"});
    DesktopWorld::Type(fee, "-50");
    QCOMPARE(answerer.Seen().size(), 1);
    QVERIFY(answerer.Seen().front().contains(sentence));
    QVERIFY(page->Reason("fee")->isVisible());
    QCOMPARE(page->Reason("fee")->Text(), sentence);
    QCOMPARE(fee->accessibleDescription(), sentence);
    QCOMPARE(world_->Focused(), fee);
    const QModelIndex problem = world_->session->List("residents")->index(0, 0);
    QVERIFY(!problem.data(Qt::DecorationRole).value<QIcon>().isNull());
    QVERIFY(problem.data(Qt::ToolTipRole).toString().contains(sentence));
    world_->Trigger("fieldHelp");
    QCOMPARE(world_->window->statusBar()->currentMessage(), "Now (error): " + sentence);
    QWhatsThis::hideText();  // as a click or Escape does

    fee->selectAll();
    QTest::keyClicks(fee, "1000");
    QTest::keyClick(fee, Qt::Key_Tab);
    QCOMPARE(world_->Value("fee"), QString("1000"));
    QCOMPARE(fee->text(), AmountText(1000));
    QVERIFY(!page->Reason("fee")->isVisible());
    QVERIFY(problem.data(Qt::ToolTipRole).toString().isEmpty());
  }

  // A date picked from the calendar after a refused one is what the field holds; the calendar opens
  // on the month being entered.
  void pickedDateAfterARefusalIsKept() {
    world_->ChooseMarch("residents");
    QLineEdit* birth = world_->Edit("birthdate");
    DialogAnswerer answerer({"OK"});
    DesktopWorld::Type(birth, "31.02.1950");
    QCOMPARE(world_->Page("residents")->Reason("birthdate")->Text(),
             QString("Birth date must be a date; \"31.02.1950\" is not a valid date."));
    QTRY_COMPARE(QApplication::focusWidget(), birth);  // back in the field once the rule's dialog closed
    QTest::keyClick(birth, Qt::Key_Down, Qt::AltModifier);
    auto* calendar = birth->findChild<QCalendarWidget*>("calendar");
    QVERIFY(calendar && calendar->isVisible());
    QCOMPARE(calendar->selectedDate(), QDate(2004, 3, 1));
    calendar->setSelectedDate(QDate(1950, 2, 28));
    emit calendar->activated(QDate(1950, 2, 28));
    QCOMPARE(birth->text(), QString("2/28/1950"));
    QTest::keyClick(birth, Qt::Key_Tab);
    QCOMPARE(world_->Value("birthdate"), QString("2/28/1950"));
    QVERIFY(!world_->Page("residents")->Reason("birthdate")->isVisible());
  }

  // A keystroke that can never make a value of the field is refused as it is typed (a letter in an
  // amount, a third decimal, a sign a date has not); whatever else is typed is the rules' to judge.
  void keystrokesThatMakeNoValueAreRefused() {
    world_->ChooseMarch("residents");
    // What the field holds after `keys` are typed over it; Escape then takes the typing back.
    const auto typed = [this](const std::string& field, const QString& keys) {
      QLineEdit* edit = world_->Edit(field);
      edit->setFocus();
      edit->selectAll();
      QTest::keyClicks(edit, keys);
      const QString text = edit->text();
      QTest::keyClick(edit, Qt::Key_Escape);
      return text;
    };
    QCOMPARE(typed("fee", "12x"), QString("12"));
    QCOMPARE(typed("fee", "1.234"), QString("1.23"));
    QCOMPARE(typed("fee", "-5"), QString("-5"));
    QCOMPARE(typed("birthdate", "3/5/2004!"), QString("3/5/2004"));
    QCOMPARE(typed("name", "Ann-Marie 2"), QString("Ann-Marie 2"));
  }

  // Escape takes back what was typed and not yet handed over; in a field that holds a refused
  // value, it takes back that value's edit.
  void escapeRevertsDeliberately() {
    world_->ChooseMarch("residents");
    QLineEdit* fee = world_->Edit("fee");
    fee->setFocus();
    fee->selectAll();
    QTest::keyClicks(fee, "12");
    QTest::keyClick(fee, Qt::Key_Escape);
    QCOMPARE(fee->text(), AmountText(2400));
    DialogAnswerer answerer({"OK"});
    DesktopWorld::Type(fee, "-50");
    QCOMPARE(world_->Value("fee"), QString("-50"));
    QTest::keyClick(fee, Qt::Key_Escape);
    QCOMPARE(world_->Value("fee"), QString("2400"));
    QVERIFY(!world_->Page("residents")->Reason("fee")->isVisible());
  }

  // One undo step per value that changed: a text that reads as the value it replaces is none, and
  // the first Ctrl+Z after Tab takes the change back. Undo past a save says so, in words and in the
  // title and navigation.
  void undoTakesBackOneChangedValue() {
    world_->ChooseMarch("residents");
    QUndoStack* edits = world_->session->Edits("residents");
    QLineEdit* fee = world_->Edit("fee");
    DesktopWorld::Type(fee, "2500");
    DesktopWorld::Type(fee, AmountText(2500));
    fee->setFocus();
    QTest::keyClick(fee, Qt::Key_Tab);
    QCOMPARE(edits->count(), 1);
    fee->setFocus();
    QTest::keyClick(fee, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(world_->Value("fee"), QString("2400"));
    QCOMPARE(fee->text(), AmountText(2400));
    QTest::keyClick(fee, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(world_->Value("fee"), QString("2500"));

    QTest::keyClick(fee, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!world_->window->isWindowModified());
    QVERIFY(edits->isClean());
    QTest::keyClick(world_->Focused(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(world_->Value("fee"), QString("2400"));
    QVERIFY(world_->window->isWindowModified());
    QCOMPARE(world_->window->Navigation()->currentItem()->text(), QString("Residents *"));
    QVERIFY(world_->window->statusBar()->currentMessage().contains("which was saved"));
  }

  // Save, and leaving the screen, take the value still being typed: nothing typed is lost.
  void saveTakesTheFieldBeingTyped() {
    world_->ChooseMarch("residents");
    QLineEdit* fee = world_->Edit("fee");
    fee->setFocus();
    fee->selectAll();
    QTest::keyClicks(fee, "2600");
    QVERIFY(world_->Action("save")->isEnabled());
    QTest::keyClick(fee, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(world_->Count("SELECT COUNT(*) FROM tbH_Residents WHERE H_MonthlyFee = 2600"), 1);
    fee->selectAll();
    QTest::keyClicks(fee, "2700");
    DialogAnswerer answerer({"Yes"});                      // the residents' fees against the month before: right
    QTest::keyClick(fee, Qt::Key_4, Qt::ControlModifier);  // Family Groups: leaving saves the residents
    QCOMPARE(world_->session->Host().Current()->Name(), std::string("families"));
    QCOMPARE(world_->Count("SELECT COUNT(*) FROM tbH_Residents WHERE H_MonthlyFee = 2700"), 1);
  }

 private:
  QColor BaseColour(const std::string& field) const {
    return world_->Page("residents")->Field(field)->palette().color(QPalette::Base);
  }
};

int RunFieldEditingTests(int argc, char** argv) {
  FieldEditingTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trf::desktop

#include "field_editing_test.moc"
