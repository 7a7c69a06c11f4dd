// trf-desktop: the TRF's screens in a desktop window, on the same library, screens and database as
// the program `trf`; for a reviewer of the region (or with --region), the region's homes by months.
#include <string>

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "app/data/connection_text.h"
#include "app/data/memory_policy.h"
#include "app/data/review_access.h"
#include "app/desktop/desktop_session.h"
#include "app/desktop/main_window.h"
#include "app/desktop/region_window.h"
#include "app/siblings/program.h"

namespace {

// The person's own database: trf.db in their data folder (~/.local/share/trf/trf-desktop), made
// with the folder the first time.
std::string OwnDatabase() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(folder);
  return QDir(folder).filePath("trf.db").toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  trf::KeepFreedMemoryForReloads();  // months are loaded again and again
  // The options are read before the application connects to a display, so that --help needs none.
  QApplication::setOrganizationName("trf");
  QApplication::setApplicationName("trf-desktop");
  trf::AppOptions options;
  bool region = false;
  trf::OptionsParser parser("trf-desktop",
                            "trf.db in your data folder (" +
                                QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString() +
                                "), created with sample data when missing");
  parser.Flag("--region", "the region's homes by months (a reviewer's role always opens them)", region);
  const auto region_on_a_file = [&]() -> std::optional<std::string> {
    if (region && !trf::IsServerLocation(options.Database().value_or(""))) {
      return "the region's homes are read on a server database: --db postgresql://...";
    }
    return std::nullopt;
  };
  if (const auto status = trf::ReadOptions(parser, argc, argv, options, region_on_a_file)) return *status;
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName("TRF");
  QApplication::setWindowIcon(QIcon::fromTheme("trf-desktop"));
  return trf::RunProgram("trf-desktop", 1, [&] {
    auto database = trf::OpenNamedDatabase(options, OwnDatabase());
    if (region || trf::IsReviewer(*database)) {
      trf::desktop::RegionWindow window(database);
      window.show();
      return QApplication::exec();
    }
    trf::desktop::DesktopSession session(database, QApplication::palette());
    trf::desktop::MainWindow window(session);
    window.show();
    return QApplication::exec();
  });
}
