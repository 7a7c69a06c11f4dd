// trf-desktop: the TRF's screens in a desktop window, on the same library, screens and database as
// the program `trf`.
#include <string>

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "app/data/memory_policy.h"
#include "app/desktop/desktop_session.h"
#include "app/desktop/main_window.h"
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
  trf::OptionsParser parser("trf-desktop",
                            "trf.db in your data folder (" +
                                QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString() +
                                "), created with sample data when missing");
  if (const auto status = trf::ReadOptions(parser, argc, argv, options)) return *status;
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName("TRF");
  QApplication::setWindowIcon(QIcon::fromTheme("trf-desktop"));
  return trf::RunProgram("trf-desktop", 1, [&] {
    trf::desktop::DesktopSession session(trf::OpenNamedDatabase(options, OwnDatabase()), QApplication::palette());
    trf::desktop::MainWindow window(session);
    window.show();
    return QApplication::exec();
  });
}
