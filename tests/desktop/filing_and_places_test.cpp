// Filing the report, and finding the place again: the send-off dialog's progress is full when the
// month is filed and shows where the check stopped when it is not; the next start opens on the home,
// month and screen the person left off at, in that database.
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>

#include "desktop_world.h"
#include "suites.h"

namespace trf::desktop {

class FilingAndPlacesTest : public DesktopSuite {
  Q_OBJECT

 private slots:
  // Filing stops on the broken resident and shows it: the bar stands at the screens before it.
  void sendOffShowsWhereItStopped() {
    world_->ChooseMarch("notes");
    DialogAnswerer answerer({"No", "Close"});
    world_->Trigger("fileReport");
    QVERIFY(answerer.Left().isEmpty());
    QVERIFY(answerer.Seen().join('\n').contains("A monthly fee of 7,800.00 is unusually high"));
    QVERIFY2(answerer.Seen().last().contains("progress 2/6: stopped on Residents, screen 3 of 6"),
             qPrintable(answerer.Seen().last()));
    QCOMPARE(world_->session->Host().Current()->Name(), std::string("residents"));
    QCOMPARE(world_->Value("name"), QString("Nora Pike"));
    QVERIFY(world_->window->statusBar()->currentMessage().contains("not filed"));
  }

  // A month that passes is filed, and the bar is full.
  void sendOffFillsTheBarWhenFiled() {
    world_->ChooseMarch("notes", 1);  // Birch Court's March passes as it is stored
    DialogAnswerer answerer({"Close"});
    world_->Trigger("fileReport");
    QVERIFY2(answerer.Seen().last().contains("progress 6/6"), qPrintable(answerer.Seen().last()));
    QVERIFY(answerer.Seen().last().contains("the month is filed"));
  }

  // The home, month and screen are where the person left them when the program starts again.
  void opensWhereThePersonLeftOff() {
    world_->ChooseMarch("expenses", 1);
    world_->Reopen();
    QVERIFY(world_->Ready());
    QCOMPARE(world_->session->View().context.home_num, std::string("H-102"));
    QCOMPARE(world_->session->Host().Current()->Name(), std::string("expenses"));
    QVERIFY(world_->window->StatusText().contains("March 2004"));
  }
};

int RunFilingAndPlacesTests(int argc, char** argv) {
  FilingAndPlacesTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trf::desktop

#include "filing_and_places_test.moc"
