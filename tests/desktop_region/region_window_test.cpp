// The region's window driven as a reviewer would (keys first), on the offscreen platform, on the test
// server whose URI is in TRF_TEST_PG: the grid of the homes it reviews, a filed month's report opened
// from its cell with Enter, a question asked from the report's record and field, the desk's reply from
// its problem list, the chart of a home.
#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

#include "../app/one_resident_sheets.h"
#include "../desktop/dialog_answerer.h"
#include "app/business/month_service.h"
#include "app/data/home_access.h"
#include "app/data/postgres_database.h"
#include "app/data/region_questions.h"
#include "app/data/review_access.h"
#include "app/data/trf_database.h"
#include "app/desktop/desktop_session.h"
#include "app/desktop/problems_panel.h"
#include "app/desktop/region_chart_window.h"
#include "app/desktop/region_report_window.h"
#include "app/desktop/region_window.h"

namespace trf::desktop {

namespace {

// Types `text` into the input dialog that opens next, and takes it with Enter.
void AnswerNextInput(const QString& text) {
  QTimer::singleShot(50, [text] {
    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    if (!dialog) return AnswerNextInput(text);
    QTest::keyClicks(dialog->findChild<QLineEdit*>(), text);
    QTest::keyClick(dialog->findChild<QLineEdit*>(), Qt::Key_Return);
  });
}

}  // namespace

class RegionWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    const char* server = std::getenv("TRF_TEST_PG");
    QVERIFY2(server && *server, "these tests run on the test server that `ctest -L postgresql` starts");
    const std::string tag = std::to_string(::getpid());
    PostgresDatabase(server).Exec("CREATE SCHEMA region_window_" + tag +
                                  "; DO $$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'birch_" + tag +
                                  "') THEN CREATE ROLE birch_" + tag + " LOGIN; CREATE ROLE rowan_" + tag +
                                  " LOGIN; END IF; END $$");
    const std::string admin = std::string(server) + "&options=-csearch_path%3Dregion_window_" + tag;
    auto database = OpenTrfDatabase(admin);
    GrantHome(*database, "birch_" + tag, "H-102");
    GrantReview(*database, "rowan_" + tag, "H-101");
    GrantReview(*database, "rowan_" + tag, "H-102");
    testing::OneResidentSheets sheets;
    const auto as = [&admin](const std::string& role) {
      return std::string(admin).replace(admin.find("user=trf"), 8, "user=" + role);
    };
    desk_ = OpenTrfDatabase(as("birch_" + tag));
    MonthService(desk_).File(4, sheets, "birch");
    reviewer_ = OpenTrfDatabase(as("rowan_" + tag));
  }

  void init() {
    watchdog_ = std::make_unique<DialogAnswerer>(QStringList(), 5000);
    window_ = std::make_unique<RegionWindow>(reviewer_);
    window_->show();
    // Its shortcuts act in the active window only, which the window manager makes it some time
    // after it is shown (on a busy machine, well after it is drawn).
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  void cleanup() {
    window_.reset();
    const bool hung = watchdog_->Hung();
    watchdog_.reset();
    QVERIFY2(!hung, "a dialog that no test answered was ended by the watchdog");
  }

  // The grid shows the reviewed homes by months, each cell's state in words on its colour.
  void theGridShowsEachMonthsState() {
    const RegionGridModel& model = *window_->Model();
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), QString("H-102 Birch Court"));
    const int march = model.columnCount() - 1;
    QCOMPARE(model.headerData(march, Qt::Horizontal, Qt::DisplayRole).toString(), QString("2004-03"));
    QCOMPARE(model.data(model.index(1, march), Qt::DisplayRole).toString(), QString("filed"));
    QCOMPARE(model.data(model.index(0, march), Qt::DisplayRole).toString(), QString("active"));
    QCOMPARE(model.data(model.index(1, march), Qt::BackgroundRole).value<QBrush>().color(),
             StateColor(MonthState::kFiled));
    Shoot(window_.get(), "region-grid");
  }

  // Enter on a filed cell opens its report; a question asked on a field of it (Ctrl+Q) is listed with
  // who asked it, and the grid then shows the month questioned.
  void aQuestionIsAskedFromTheReportsField() {
    QTableView* grid = window_->GridView();
    grid->setFocus();
    grid->setCurrentIndex(window_->Model()->index(0, window_->Model()->columnCount() - 1));
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Return);
    RegionReportWindow* report = nullptr;
    QTRY_VERIFY((report = window_->findChild<RegionReportWindow*>()) != nullptr);
    // Qt counts a window active while the window it stands over is, so the report's keys wait for
    // the window manager to give it the focus: before that, Ctrl+Q is the region window's Quit.
    QTRY_VERIFY(QApplication::activeWindow() == report);
    QTreeWidget* records = report->Records();
    const QList<QTreeWidgetItem*> fee = records->findItems("Monthly fee", Qt::MatchRecursive);
    QCOMPARE(fee.size(), 1);
    QCOMPARE(fee.front()->text(1), QString("2,200.00"));
    records->setFocus();
    records->setCurrentItem(fee.front());
    AnswerNextInput("Is this fee right?");
    QTest::keyClick(report, Qt::Key_Q, Qt::ControlModifier);
    QTRY_COMPARE(report->Questions()->topLevelItemCount(), 1);
    const QTreeWidgetItem* question = report->Questions()->topLevelItem(0);
    QCOMPARE(question->text(1), QString("Residents, Paul Moreau, Monthly fee"));
    QVERIFY(question->child(0)->text(2) == "asked: Is this fee right?");
    Shoot(report, "region-report");
    report->close();
    QTRY_COMPARE(window_->Model()->data(grid->currentIndex(), Qt::DisplayRole).toString(),
                 QString("questioned (1 question)"));
  }

  // Birch Court's desk finds the question among its March's problems, as a question from the region
  // that does not stand in the way of filing; R on it takes a reply in words, which the reviewer reads.
  void theDeskRepliesFromItsProblemList() {
    DesktopSession session(desk_, QApplication::palette());
    const HomeChoice home = session.Host().Months().HomeNumbered("H-102");
    session.Host().ChooseMonth(home, session.Host().Months().MonthOf(home, 2004, 3));
    ProblemsPanel panel([](const Problem&) {}, nullptr);
    panel.SetReply([&session](int64_t question, const std::string& text) {
      session.Host().Months().Reply(question, text);
      return std::string();
    });
    panel.Show(session.Host().Problems());
    panel.show();
    panel.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&panel));
    const QList<QTreeWidgetItem*> asked = panel.Entries()->findItems("from the region", Qt::MatchContains, 3);
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.front()->text(1) + ", " + asked.front()->text(2), QString("Paul Moreau, Monthly fee"));
    QCOMPARE(panel.Open(), 0);
    panel.Entries()->setFocus();
    panel.Entries()->setCurrentItem(asked.front());
    AnswerNextInput("It is right: his room is the larger one.");
    QTest::keyClick(panel.Entries(), Qt::Key_R);
    QTRY_COMPARE(ReadQuestions(*reviewer_).front().replies.size(), size_t{1});
    QCOMPARE(ReadQuestions(*reviewer_).front().replies.front().text,
             std::string("It is right: his room is the larger one."));
  }

  // Ctrl+G shows the chart of the current row's home, which is saved as a PNG picture.
  void theChartOfAHomeIsSavedAsAPicture() {
    QTableView* grid = window_->GridView();
    grid->setFocus();
    grid->setCurrentIndex(window_->Model()->index(1, 0));
    QTest::keyClick(grid, Qt::Key_G, Qt::ControlModifier);
    RegionChartWindow* chart = nullptr;
    QTRY_VERIFY((chart = window_->findChild<RegionChartWindow*>()) != nullptr);
    QCOMPARE(chart->windowTitle(), QString("H-102 Birch Court: months seen over time"));
    Shoot(chart, "region-chart");
    QTemporaryDir folder;
    QVERIFY(chart->SavePng(folder.filePath("chart.png")));
    QVERIFY(QImage(folder.filePath("chart.png")).width() > 100);
    QVERIFY(chart->SaveCsv(folder.filePath("chart.csv")));
    chart->close();
  }

 private:  // NOLINT(readability-redundant-access-specifiers): the one above is Qt's "private slots"
  // Leaves a picture of `widget` in the folder TRF_SCREENSHOTS names, when it names one.
  static void Shoot(QWidget* widget, const QString& name) {
    const QString folder = qEnvironmentVariable("TRF_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    widget->grab().save(QDir(folder).filePath(name + ".png"));
  }

  std::shared_ptr<Database> desk_;  // Birch Court's desk
  std::shared_ptr<Database> reviewer_;
  std::unique_ptr<DialogAnswerer> watchdog_;
  std::unique_ptr<RegionWindow> window_;
};

}  // namespace trf::desktop

QTEST_MAIN(trf::desktop::RegionWindowTest)
#include "region_window_test.moc"
