// The desktop program's QtTest suites, each run by main.cpp in one application; each returns how
// many of its tests failed.
#pragma once

namespace trf::desktop {

int RunWindowTests(int argc, char** argv);
int RunFieldEditingTests(int argc, char** argv);
int RunListTableTests(int argc, char** argv);
int RunNotesTests(int argc, char** argv);
int RunFilingAndPlacesTests(int argc, char** argv);
int RunAccessibilityTests(int argc, char** argv);

}  // namespace trf::desktop
