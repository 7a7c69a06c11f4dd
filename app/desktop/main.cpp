// trf-desktop: the TRF's screens in a desktop window, on the same library, screens and database as
// the program `trf`.
#include <iostream>
#include <string>

#include <QApplication>

#include "app/desktop/main_window.h"
#include "ui_shared/platform/error.h"

namespace {

constexpr const char* kUsage =
    "usage: trf-desktop [--db PATH]\n"
    "  (no option)  work on trf.db in the current folder, created with sample data when missing\n"
    "  --db PATH    the database to work on (created with sample data when missing)\n"
    "  --help       this text\n";

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("trf");
  QApplication::setApplicationName("trf-desktop");
  std::string db = "trf.db";
  const QStringList args = QApplication::arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == "--help" || args[i] == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (args[i] == "--db" && i + 1 < args.size()) {
      db = args[++i].toStdString();
      continue;
    }
    std::cerr << "trf-desktop: unknown option \"" << args[i].toStdString() << "\"\n" << kUsage;
    return 2;
  }
  try {
    trf::desktop::MainWindow window(db);
    window.show();
    return QApplication::exec();
  } catch (const kw::Error& e) {
    std::cerr << "trf-desktop: " << e.Description() << "\n";
  } catch (const std::exception& e) {
    std::cerr << "trf-desktop: " << e.what() << "\n";
  }
  return 1;
}
