// The desktop front end driven as a person would, on the offscreen platform, on a fresh sample database each.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

#include <memory>

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
    window_ = std::make_unique<MainWindow>(folder_->filePath("trf.db").toStdString());
    window_->resize(1040, 720);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }

  void cleanup() {
    window_.reset();
    folder_.reset();
    const bool hung = watchdog_->Hung();
    watchdog_.reset();
    QVERIFY2(!hung, "a dialog that no test answered was ended by the watchdog");
  }

  // Every screen opens once a home and a month are chosen, and leaves a picture of itself for the documentation.
  void opensEveryScreen() {
    ChooseMarch();
    QVERIFY(window_->StatusText().contains("Home H-101"));
    QVERIFY(window_->StatusText().contains("March"));
    // Each screen's name, then whether it shows a list, fields, a choice and notes.
    const std::tuple<const char*, bool, bool, bool, bool> screens[] = {
        {"home", true, false, false, false},     {"setup", true, false, false, false},
        {"residents", true, true, false, false}, {"families", true, true, true, false},
        {"expenses", true, true, false, false},  {"notes", false, false, false, true}};
    const QString pictures = qEnvironmentVariable("TRF_SCREENSHOTS", QDir::tempPath());
    QDir().mkpath(pictures);
    DialogAnswerer answerer({"Yes", "Yes", "Yes"});  // leaving a screen may ask about its rules
    int row = 0;
    for (const auto& [name, list, fields, choice, notes] : screens) {
      window_->Navigation()->setCurrentRow(row++);
      QCOMPARE(window_->Host().Current()->Name(), std::string(name));
      ScreenPage* page = window_->Page(name);
      QVERIFY(page->isVisible());
      QCOMPARE(page->List() != nullptr, list);
      const std::vector<std::string> shown = window_->Host().Current()->Fields();
      QCOMPARE(!shown.empty() && page->Field(shown.front()) != nullptr, fields);
      QCOMPARE(page->Choice() != nullptr, choice);
      QCOMPARE(page->Notes() != nullptr, notes);
      if (page->List()) QVERIFY(page->List()->topLevelItemCount() > 0);
      QTest::qWait(20);  // the status bar lays out its new texts
      const QImage picture = window_->grab().toImage();
      QCOMPARE(picture.size(), window_->size());
      QVERIFY(picture.save(pictures + "/" + name + ".png"));
    }
    QVERIFY(!answerer.Hung());
    DialogAnswerer about({"OK"});
    Trigger("about");
    QVERIFY(about.Seen().front().contains(folder_->filePath("trf.db")));
  }

  // A field typed and left is checked by the screen; a refused value opens the dialog and stays in the field.
  void addsSelectsAndEditsRecords() {
    ChooseMarch("residents");
    QCOMPARE(window_->Host().Current()->Name(), std::string("residents"));
    QTreeWidget* list = window_->Page("residents")->List();
    const int rows = list->topLevelItemCount();
    Trigger("add");
    QCOMPARE(list->topLevelItemCount(), rows + 1);
    QCOMPARE(list->currentItem(), list->topLevelItem(rows));
    QVERIFY(!window_->Page("residents")->Field("name")->isReadOnly());
    DialogAnswerer confirm({"Yes"});
    Trigger("remove");
    QCOMPARE(list->topLevelItemCount(), rows);
    QVERIFY(!confirm.Hung());

    QCOMPARE(list->columnWidth(0), 2400 * list->logicalDpiX() / 1440);
    ClickRow(list, 4);
    QLineEdit* name = window_->Page("residents")->Field("name");
    QCOMPARE(name->text(), QString("Tom Reyes"));
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(name->text(), QString("Nora Pike"));

    Type(name, "Nora Pike-Hale");
    QCOMPARE(list->currentItem()->text(0), QString("Nora Pike-Hale"));
    QVERIFY(window_->statusBar()->currentMessage().contains("name accepted"));

    DialogAnswerer answerer({"OK"});
    QLineEdit* birthdate = window_->Page("residents")->Field("birthdate");
    Type(birthdate, "13/45/1931");
    QCOMPARE(answerer.Seen(), QStringList("Residents: <b>Error</b> &middot; rule 3002 | Birth date must be a date; "
                                          "\"13/45/1931\" is not a valid date."));
    QVERIFY(birthdate->palette().color(QPalette::Base) != name->palette().color(QPalette::Base));
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
    choice->lineEdit()->selectAll();
    QTest::keyClicks(choice->lineEdit(), "x");
    QCOMPARE(choice->currentText(), QString());
    QVERIFY(window_->statusBar()->currentMessage().contains("no kind of assessment begins with"));
  }

  // Bold reads pressed only on a wholly bold selection; alignment is one of three.
  void toolbarFollowsTheSelection() {
    ChooseMarch("notes");
    QTextEdit* notes = window_->Page("notes")->Notes();
    QAction* bold = window_->Commands()->ActionFor("BoldClick");
    QVERIFY(bold && bold->isCheckable() && !bold->icon().isNull());
    QTest::keyClicks(notes, "plain bold");
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, "centred");
    auto& screen = dynamic_cast<NotesScreen&>(*window_->Host().Current());
    QCOMPARE(screen.Box()->Text(), std::string("plain bold\ncentred"));

    Select(notes, 6, 4);
    QCOMPARE(screen.Box()->SelText(), std::string("bold"));
    bold->trigger();
    QVERIFY(bold->isChecked());
    QVERIFY(notes->textCursor().charFormat().fontWeight() == QFont::Bold);
    Select(notes, 0, 3);
    QVERIFY(!bold->isChecked());
    Select(notes, 3, 5);
    QVERIFY(!bold->isChecked());
    QVERIFY(window_->Page("notes")->findChild<QLabel*>("selectionSummary")->text().contains("bold mixed"));

    QAction* centre = window_->Commands()->ActionFor("AlignCenterClick");
    Select(notes, 11, 7);
    centre->trigger();
    QVERIFY(centre->isChecked());
    QVERIFY(!window_->Commands()->ActionFor("AlignLeftClick")->isChecked());
    QCOMPARE(screen.Box()->SelAlignment(), std::optional<int16_t>(kw::rich_text::kAlignCenter));
  }

  // Filing the report stops on the broken resident and shows it; the questions on the way are answered.
  void sendOffStopsOnABrokenRecord() {
    ChooseMarch("notes");
    DialogAnswerer answerer({"No", "Close"});
    Trigger("fileReport");
    QVERIFY(!answerer.Hung());
    QVERIFY(answerer.Left().isEmpty());
    QVERIFY(answerer.Seen().join('\n').contains("A monthly fee of 7,800.00 is unusually high"));
    QCOMPARE(window_->Host().Current()->Name(), std::string("residents"));
    QCOMPARE(window_->Page("residents")->List()->currentItem()->text(0), QString("Nora Pike"));
    QVERIFY(window_->statusBar()->currentMessage().contains("not filed"));
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

  static void ClickRow(QTreeWidget* list, int row) {
    const QRect place = list->visualItemRect(list->topLevelItem(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
    QCOMPARE(list->currentItem(), list->topLevelItem(row));
  }

  static void Type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
  }

  static void Select(QTextEdit* editor, int start, int length) {
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
  }

  void Trigger(const char* action) {
    auto* found = window_->findChild<QAction*>(action);
    QVERIFY2(found, action);
    found->trigger();
  }

  // Ends any dialog left unanswered, so that a test fails instead of hanging.
  std::unique_ptr<DialogAnswerer> watchdog_;
  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace trf::desktop

QTEST_MAIN(trf::desktop::DesktopTest)
#include "desktop_test.moc"
