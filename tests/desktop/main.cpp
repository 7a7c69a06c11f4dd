// Runs every suite of the desktop program's QtTest suite in one application.
#include <QApplication>
#include <QStandardPaths>

#include "suites.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);
  int failed = 0;
  for (const auto run :
       {trf::desktop::RunWindowTests, trf::desktop::RunFieldEditingTests, trf::desktop::RunListTableTests,
        trf::desktop::RunNotesTests, trf::desktop::RunFilingAndPlacesTests, trf::desktop::RunAccessibilityTests})
    failed += run(argc, argv);
  return failed == 0 ? 0 : 1;
}
