// trf-desktop: the TRF's screens in a desktop window, on the same library, screens and database as
// the program `trf`.
#include <cstdlib>
#include <iostream>
#include <string>

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "app/data/connection_text.h"
#include "app/data/memory_policy.h"
#include "app/data/review_access.h"
#include "app/data/trf_database.h"
#include "app/desktop/desktop_session.h"
#include "app/desktop/main_window.h"
#include "app/desktop/region_window.h"
#include "app/siblings/app_options.h"
#include "ui_shared/platform/error.h"

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
  if (const auto problem =
          parser.Parse(std::vector<std::string>(argv + 1, argv + argc), std::getenv("TRF_DB"), options)) {
    std::cerr << "trf-desktop: " << *problem << "\n" << parser.Usage();
    return 2;
  }
  if (options.help) {
    std::cout << parser.Usage();
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName("TRF");
  QApplication::setWindowIcon(QIcon::fromTheme("trf-desktop"));
  try {
    const std::string db = options.Database().value_or(OwnDatabase());
    if (region && !trf::IsServerLocation(db)) {
      std::cerr << "trf-desktop: the region's homes are read on a server database: --db postgresql://...\n";
      return 2;
    }
    auto database =
        trf::OpenTrfDatabase(db, options.WantedAccess(), trf::kDefaultBusyTimeoutMs, options.NewDatabaseSeed(db));
    if (region || trf::IsReviewer(*database)) {
      trf::desktop::RegionWindow window(database);
      window.show();
      return QApplication::exec();
    }
    trf::desktop::DesktopSession session(database, QApplication::palette());
    trf::desktop::MainWindow window(session);
    window.show();
    return QApplication::exec();
  } catch (const kw::Error& e) {
    // The sentence for the person; the error's number and the engine's words help nobody here.
    std::cerr << "trf-desktop: " << trf::SentenceOf(e) << "\n";
  } catch (const std::exception& e) {
    std::cerr << "trf-desktop: " << e.what() << "\n";
  }
  return 1;
}
