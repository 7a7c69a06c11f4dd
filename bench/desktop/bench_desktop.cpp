// The desktop's cost per operation, measured as a person meets it: an edit of one field, a move to
// the next row and a switch to Residents, each followed by the drawing it causes, in a real window on
// the offscreen platform. Each runs on a month of 20,000 residents and on one of 1,000: an operation
// that redrew or reread the whole list would cost twenty times more on the larger one. Each median
// at 1,000 residents is also set against one frame (16 ms). Prints the project's `ratio` lines.
#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/data/memory_policy.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "app/desktop/main_window.h"

namespace trf::desktop {
namespace {

constexpr int kRepetitions = 15;
constexpr double kFrameSeconds = 0.016;
constexpr int kSmall = 1000;
constexpr int kLarge = 20000;
// The month the residents are in: January 2030, which the sample data leaves free.
constexpr int32_t kMonthId = 9001;
constexpr double kMonthSerial = 47484;

double ProcessSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  const size_t n = samples.size();
  return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

// The sample database with an active month of `residents` residents of home 1.
void FillMonth(const std::string& path, int residents) {
  auto db = OpenTrfDatabase(path);
  Transaction transaction(*db);
  db->Exec(
      "INSERT INTO tbH_HomeMonthlyStats (H_HomeMonthlyStatsID, H_HomesID, H_StatMonth, HU_TrfTypesCD, "
      "StatStatus) VALUES (" +
      std::to_string(kMonthId) + ", 1, " + std::to_string(kMonthSerial) + ", 'STD', 1)");
  auto insert = db->Prepare(
      "INSERT INTO tbH_Residents (H_HomeMonthlyStatsID, H_ResidentName, H_BirthDate, H_AdmissionDate, "
      "H_MonthlyFee) VALUES (?, ?, ?, ?, ?)");
  for (int i = 0; i < residents; ++i) {
    insert->Reset();
    insert->Bind(1, kw::Variant::Long(kMonthId)).Bind(2, kw::Variant::Text("Resident " + std::to_string(i)));
    insert->Bind(3, kw::Variant::Double(11000 + i % 9000)).Bind(4, kw::Variant::Double(36000 + i % 2000));
    insert->Bind(5, kw::Variant::Double(1500 + i % 3000));
    insert->Step();
  }
  transaction.Commit();
}

// A window on a month of `residents` residents, showing Residents.
struct World {
  explicit World(int residents) {
    const std::string path = folder.filePath("trf.db").toStdString();
    FillMonth(path, residents);
    session = std::make_unique<DesktopSession>(path, Access::kReadWrite, QApplication::palette());
    window = std::make_unique<MainWindow>(*session);
    window->resize(1040, 720);
    window->show();
    exposed = QTest::qWaitForWindowExposed(window.get());
    window->Go("home");
    session->Run([](ScreenForm& s) { s.SelectRow(1); });
    window->Go("setup");
    ListModel& months = *session->List("setup");
    for (int row = 0; row < months.rowCount(); ++row)
      if (months.index(row, 0).data().toString().contains("2030"))
        session->Run([row](ScreenForm& s) { s.SelectRow(row + 1); });
    window->Go("residents");
  }
  QTemporaryDir folder;
  std::unique_ptr<DesktopSession> session;
  std::unique_ptr<MainWindow> window;
  bool exposed = false;
};

}  // namespace

class DesktopBench : public QObject {
  Q_OBJECT

 private slots:
  void operations_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("residents");
    for (const char* operation : {"edit_field", "next_row", "switch_to_residents"})
      for (int residents : {kSmall, kLarge})
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(operation).arg(residents))) << operation << residents;
  }

  // Runs one operation kRepetitions times, each with the drawing it causes, and keeps its process
  // times; QtTest reports the median.
  void operations() {
    QFETCH(QString, operation);
    QFETCH(int, residents);
    World world(residents);
    QVERIFY(world.exposed);
    QVERIFY(world.session->Host().Current()->Name() == "residents");
    QCOMPARE(world.session->List("residents")->rowCount(), residents);
    std::vector<double>& samples = seconds_[operation.toStdString()][residents];
    for (int i = 0; i < kRepetitions; ++i) {
      if (operation == "switch_to_residents") world.window->Go("notes");
      QApplication::processEvents();
      const double start = ProcessSeconds();
      if (operation == "edit_field") {
        QVERIFY(world.session->EditField("name", i % 2 ? "Resident A" : "Resident B"));
      } else if (operation == "next_row") {
        QVERIFY(world.session->Run([i](ScreenForm& s) { s.SelectRow(1 + (i + 1) % 2); }));
      } else {
        world.window->Go("residents");
      }
      QApplication::processEvents();  // the drawing the operation caused
      samples.push_back(ProcessSeconds() - start);
    }
    QTest::setBenchmarkResult(Median(samples) * 1000, QTest::WalltimeMilliseconds);
  }

  void cleanupTestCase() {
    std::printf("\n");
    for (const auto& [operation, by_size] : seconds_) {
      const auto small = by_size.find(kSmall);
      const auto large = by_size.find(kLarge);
      if (small == by_size.end() || large == by_size.end()) continue;
      const double min_small = *std::min_element(small->second.begin(), small->second.end());
      const double min_large = *std::min_element(large->second.begin(), large->second.end());
      std::printf("ratio desktop_%s_20k_vs_1k min %.3g median %.3g goal 1.5\n", operation.c_str(),
                  min_large / min_small, Median(large->second) / Median(small->second));
      std::printf("ratio desktop_%s_1k_vs_frame min %.3g median %.3g goal 1\n", operation.c_str(),
                  min_small / kFrameSeconds, Median(small->second) / kFrameSeconds);
    }
    std::fflush(stdout);
  }

 private:  // NOLINT(readability-redundant-access-specifiers): the one above is Qt's "private slots"
  std::map<std::string, std::map<int, std::vector<double>>> seconds_;
};

}  // namespace trf::desktop

int main(int argc, char** argv) {
  trf::KeepFreedMemoryForReloads();  // as the programs run
  // A benchmark needs no display: the window is drawn on the offscreen platform unless told otherwise.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);
  trf::desktop::DesktopBench bench;
  return QTest::qExec(&bench, argc, argv);
}

#include "bench_desktop.moc"
