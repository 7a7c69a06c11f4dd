// Filing the report, and finding the place again: the send-off dialog's progress is full when the
// month is filed and shows where the check stopped when it is not; a filed month held against its
// filing; the next start opens on the home, month and screen the person left off at, in that database.
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>

#include "app/data/sqlite_database.h"
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

  // A filed month matches its filing until something it shows changes behind it; then the box names
  // each field that differs with what was filed and what is there now.
  void aFiledMonthIsHeldAgainstItsFiling() {
    world_->ChooseMarch("notes", 1);
    {
      DialogAnswerer filing({"Close"});
      world_->Trigger("fileReport");
      QVERIFY(filing.Seen().last().contains("the month is filed"));
    }
    {
      DialogAnswerer same({"OK"});
      world_->Trigger("compareFiling");
      QCOMPARE(same.Seen(), QStringList{"The month and its filing: The live data match the filing."});
    }
    SqliteDatabase(world_->folder->filePath("trf.db").toStdString())
        .Exec("UPDATE tbH_FamilyGroups SET H_GroupName = 'Moreau-Lane family' WHERE H_FamilyGroupsID = 4");
    DialogAnswerer changed({"OK"});
    world_->Trigger("compareFiling");
    QCOMPARE(changed.Seen().size(), 1);
    QVERIFY2(changed.Seen().front().startsWith(
                 "The month and its filing: 3 fields differ from the filing.\nResidents, Paul Moreau (record 10), "
                 "Family group: filed Moreau family, now Moreau-Lane family."),
             qPrintable(changed.Seen().front()));
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
