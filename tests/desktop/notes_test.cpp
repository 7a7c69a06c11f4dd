// The notes as a person writes them: formatting switched on with nothing selected applies to what
// is typed next and switches off again, the buttons show every format of the text at once, deleting
// takes one character or exactly the selection, copy takes only the selection and pasting keeps its
// formatting, HTML from other programs comes in formatted, and the colour is named beside a swatch.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QTextEdit>

#include "app/screens/notes_screen.h"
#include "desktop_world.h"
#include "suites.h"

namespace trf::desktop {

class NotesTest : public DesktopSuite {
  Q_OBJECT

 private slots:
  void init() {
    DesktopSuite::init();
    world_->ChooseMarch("notes");
    notes_ = world_->Page("notes")->Notes();
    notes_->setFocus();
  }

  // Ctrl+B, Ctrl+I and Ctrl+U with nothing selected format the text typed next, and off again.
  void formatsTheTextTypedNext() {
    Keys("plain ");
    Key(Qt::Key_B);
    Keys("bold");
    Key(Qt::Key_B);
    Keys(" ");
    Key(Qt::Key_I);
    Keys("italic");
    Key(Qt::Key_I);
    Keys(" ");
    Key(Qt::Key_U);
    Keys("under");
    Key(Qt::Key_U);
    Keys(" end");
    QCOMPARE(Runs(), QString("plain |bold(b)| |italic(i)| |under(u)| end"));
    QVERIFY(world_->window->grab().toImage().save(DesktopWorld::Pictures() + "/notes-typed.png"));
  }

  // Inside underlined text the underline button is pressed, and Ctrl+U turns it off for what is typed there.
  void underlineTurnsOffInsideUnderlinedText() {
    Keys("a ");
    Key(Qt::Key_U);
    Keys("under");
    Key(Qt::Key_U);
    Keys(" b");
    Select(4, 0);
    QVERIFY(Button("UnderlineClick")->isChecked());
    Key(Qt::Key_U);
    QVERIFY(!Button("UnderlineClick")->isChecked());
    Keys("X");
    QCOMPARE(Runs(), QString("a |un(u)|X|der(u)| b"));
  }

  // Bold, italic and underline are independent: a text that has them all shows all three pressed,
  // and taking one off leaves the others.
  void formatsAreIndependentToggles() {
    Keys("abc");
    Select(0, 3);
    Key(Qt::Key_B);
    Key(Qt::Key_I);
    Key(Qt::Key_U);
    QCOMPARE(Pressed(), QString("bold italic underline"));
    Key(Qt::Key_I);
    QCOMPARE(Pressed(), QString("bold underline"));
    QCOMPARE(Runs(), QString("abc(bu)"));
  }

  // Backspace and Delete take one character beside the caret, or exactly the selection.
  void deletingTakesOneCharacterOrTheSelection() {
    Keys("abcdef");
    QTest::keyClick(notes_, Qt::Key_Backspace);
    QCOMPARE(Text(), std::string("abcde"));
    Select(1, 2);
    QTest::keyClick(notes_, Qt::Key_Backspace);
    QCOMPARE(Text(), std::string("ade"));
    Select(0, 0);
    QTest::keyClick(notes_, Qt::Key_Delete);
    QCOMPARE(Text(), std::string("de"));
    Select(0, 1);
    QTest::keyClick(notes_, Qt::Key_Delete);
    QCOMPARE(Text(), std::string("e"));
  }

  // Copy puts the selection alone on the clipboard, formats kept; pasting it into underlined text
  // brings it in as it was, not in the caret's underline.
  void copyAndPasteKeepTheFormatting() {
    Keys("plain ");
    Key(Qt::Key_B);
    Keys("bold");
    Key(Qt::Key_B);
    Keys(" ");
    Key(Qt::Key_U);
    Keys("under");
    Select(6, 4);
    Key(Qt::Key_C);
    QCOMPARE(QApplication::clipboard()->text(), QString("bold"));
    Select(13, 0);  // inside "under"
    Key(Qt::Key_V);
    QCOMPARE(Runs(), QString("plain |bold(b)| |un(u)|bold(b)|der(u)"));
  }

  // Rich text from a program that offers HTML alone comes in through Qt's reader, formatted; RTF,
  // when offered, goes first.
  void htmlFromOtherProgramsKeepsItsFormatting() {
    auto* html = new QMimeData;
    html->setHtml("<p><b>heavy</b> <i>light</i> <u>line</u></p>");
    html->setText("plain text");
    QApplication::clipboard()->setMimeData(html);
    Key(Qt::Key_V);
    QCOMPARE(Runs(), QString("heavy(b)| |light(i)| |line(u)"));
    auto* rtf = new QMimeData;
    rtf->setData("text/rtf", R"({\rtf1\ansi {\b rtf}})");
    rtf->setHtml("<i>html</i>");
    QApplication::clipboard()->setMimeData(rtf);
    Key(Qt::Key_V);
    QVERIFY(Runs().endsWith("|rtf(b)"));
  }

  // Text composed with an input method goes in when committed.
  void composedTextGoesIn() {
    Keys("ab");
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("日本"));
    QApplication::sendEvent(notes_, &composed);
    QCOMPARE(Text(), std::string("ab日本"));
  }

  // The line under the notes names the colour beside a swatch of it.
  void colourIsNamedBesideASwatch() {
    Keys("x");
    auto* summary = world_->Page("notes")->findChild<QLabel*>("selectionSummary");
    QVERIFY(summary->accessibleDescription().contains("colour black"));
    QVERIFY(summary->text().contains("background-color:#000000"));
    QVERIFY(!summary->text().contains("#000000,"));
  }

 private:
  const kw::RichTextBox& Box() const { return *dynamic_cast<NotesScreen&>(*world_->session->Host().Current()).Box(); }
  std::string Text() const { return Box().Text(); }
  // The notes' runs, "|" between them, each formatted one followed by its formats: "plain |bold(b)".
  QString Runs() const {
    QStringList runs;
    for (const kw::rich_text::Paragraph& paragraph : Box().Document().Paragraphs()) {
      for (const kw::rich_text::Run& run : paragraph.runs) {
        const QString formats =
            QString(run.format.bold ? "b" : "") + (run.format.italic ? "i" : "") + (run.format.underline ? "u" : "");
        runs << QString::fromUcs4(run.text.data(), static_cast<qsizetype>(run.text.size())) +
                    (formats.isEmpty() ? QString() : "(" + formats + ")");
      }
    }
    return runs.join('|');
  }
  QAction* Button(const char* key) const { return world_->window->Commands()->ActionFor(key); }
  // The formatting buttons pressed now.
  QString Pressed() const {
    QStringList pressed;
    for (const auto& [key, name] :
         {std::pair{"BoldClick", "bold"}, {"ItalicClick", "italic"}, {"UnderlineClick", "underline"}})
      if (Button(key)->isChecked()) pressed << name;
    return pressed.join(' ');
  }
  void Keys(const char* text) { QTest::keyClicks(notes_, text); }
  // Ctrl and `key`, as a person presses the shortcut.
  void Key(Qt::Key key) { QTest::keyClick(notes_, key, Qt::ControlModifier); }
  void Select(int start, int length) {
    QTextCursor cursor = notes_->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    notes_->setTextCursor(cursor);
  }

  QTextEdit* notes_ = nullptr;
};

int RunNotesTests(int argc, char** argv) {
  NotesTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trf::desktop

#include "notes_test.moc"
