// trf-desktop: the TRF's screens in a desktop window, on the same library, screens and database as
// the program `trf`.
#include <cstdlib>
#include <iostream>
#include <string>

#include <QApplication>

#include "app/data/trf_database.h"
#include "app/desktop/main_window.h"
#include "ui_shared/platform/error.h"

namespace {

constexpr const char* kUsage =
    "usage: trf-desktop [--db PATH|URI] [--sample]\n"
    "  (no option)  work on trf.db in the current folder, created with sample data when missing\n"
    "               (or on the database TRF_DB names)\n"
    "  --db PATH    the database file to work on (created with sample data when missing)\n"
    "  --db URI     a database on a PostgreSQL server (postgresql://user@host/dbname)\n"
    "  --sample     fill a server database that is new with the sample data\n"
    "  --help       this text\n";

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("trf");
  QApplication::setApplicationName("trf-desktop");
  const char* from_environment = std::getenv("TRF_DB");
  std::string db = from_environment && *from_environment ? from_environment : "trf.db";
  bool sample = false;
  const QStringList args = QApplication::arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == "--help" || args[i] == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (args[i] == "--sample") {
      sample = true;
      continue;
    }
    if (args[i] == "--db" && i + 1 < args.size()) {
      db = args[++i].toStdString();
      continue;
    }
    std::cerr << "trf-desktop: unknown option \"" << args[i].toStdString() << "\"\n" << kUsage;
    return 2;
  }
  try {
    if (trf::IsServerUri(db)) {
      trf::OpenServerTrfDatabase(db, trf::Access::kReadWrite, sample ? trf::Seed::kSample : trf::Seed::kEmpty);
    }
    trf::desktop::MainWindow window(db);
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
