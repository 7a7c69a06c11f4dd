// trf: the program that runs the screens of the TRF on the shared user-interface library:
// interactively, from a script, or as a guided tour.
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "app/data/trf_database.h"
#include "app/siblings/app_options.h"
#include "app/terminal/demo_tour.h"
#include "app/terminal/temp_folder.h"
#include "app/terminal/trf_session.h"
#include "ui_shared/platform/error.h"

namespace {

struct Options {
  trf::AppOptions app;
  std::optional<std::string> script;
  bool demo = false;
  bool verbose = false;
};

// The options, or a message saying what is wrong with them; `usage` gets the usage text.
std::optional<std::string> Parse(int argc, char** argv, Options& options, std::string& usage) {
  trf::OptionsParser parser("trf",
                            "trf.db in the current folder, interactively (created with sample data when "
                            "missing)");
  parser.Flag("--verbose", "also print form keys, colour codes and the busy marker", options.verbose);
  parser.Value("--script", "FILE",
               "run the commands of FILE (- for standard input) and print the transcript; exit status 0 when every "
               "command ran and every expect held. Without --db the script runs on a fresh sample database in a "
               "temporary folder",
               options.script);
  parser.Flag("--demo", "a guided tour on a fresh sample database in a temporary folder", options.demo);
  usage = parser.Usage();
  if (auto problem = parser.Parse(std::vector<std::string>(argv + 1, argv + argc), std::getenv("TRF_DB"), options.app))
    return problem;
  if (options.demo && options.script) return "--script and --demo cannot be used together";
  if (options.demo && options.app.db) return "--demo always runs on a fresh sample database; leave out --db";
  return std::nullopt;
}

int RunDemo(bool verbose) {
  trf::TempFolder folder;
  trf::TrfSession session((folder.Path() / "trf.db").string(), std::cout, nullptr, trf::Access::kReadWrite, verbose);
  // A person at a terminal reads each step before the next one runs; a pipe or a test never waits.
  const bool person = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
  session.Interpreter().Add({"pause", "pause", "wait for Enter before the next step of the tour", 0, false, false,
                             [&session, person](const std::vector<std::string>&) {
                               if (!person) return;
                               session.Output().Prompt("(press Enter for the next step) ");
                               std::string line;
                               std::getline(std::cin, line);
                             }});
  std::istringstream tour(trf::DemoTourScript());
  if (session.RunScript(tour, true) != 0) {
    std::cerr << "trf: the tour stopped: the program did not behave as the tour expects (see above)\n";
    return 1;
  }
  std::cout << "\nThe tour is over. `make run` (or ./build/dev/trf) starts a session of your own on trf.db in the "
               "current folder.\n";
  return 0;
}

int RunScriptFile(const std::string& file, const Options& options) {
  const std::optional<std::string> db = options.app.Database();
  std::ifstream opened;
  if (file != "-") {
    opened.open(file);
    if (!opened) {
      std::cerr << "trf: cannot open the script " << file << "\n";
      return 2;
    }
  }
  std::istream& script = file == "-" ? std::cin : opened;
  std::optional<trf::TempFolder> folder;
  if (!db) folder.emplace();
  trf::TrfSession session(db ? *db : (folder->Path() / "trf.db").string(), std::cout, nullptr,
                          options.app.WantedAccess(), options.verbose);
  if (session.RunScript(script, true) != 0) {
    std::cerr << "trf: the script " << file << " failed (see the transcript above)\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::string usage;
  if (const auto problem = Parse(argc, argv, options, usage)) {
    std::cerr << "trf: " << *problem << "\n" << usage;
    return 2;
  }
  if (options.app.help) {
    std::cout << usage;
    return 0;
  }
  try {
    if (options.demo) return RunDemo(options.verbose);
    // A server database gets its tables (and the sample data when asked) before the session opens it.
    const std::optional<std::string> db = options.app.Database();
    if (db && trf::IsServerUri(*db)) {
      trf::OpenServerTrfDatabase(*db, options.app.WantedAccess(),
                                 options.app.sample ? trf::Seed::kSample : trf::Seed::kEmpty);
    }
    if (options.script) return RunScriptFile(*options.script, options);
    trf::TrfSession session(db.value_or("trf.db"), std::cout, &std::cin, options.app.WantedAccess(), options.verbose);
    session.RunInteractive(std::cin);
    return 0;
  } catch (const kw::Error& e) {
    // A start-up refusal is the sentence for the person and where to read how to name a database;
    // the error's number and the engine's words help nobody here.
    std::cerr << "trf: " << trf::SentenceOf(e) << " (trf --help tells how to name a database)\n";
  } catch (const std::exception& e) {
    std::cerr << "trf: " << e.what() << "\n";
  }
  return 1;
}
