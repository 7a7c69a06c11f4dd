// trf: the program that runs the screens of the TRF on the shared user-interface library:
// interactively, from a script, or as a guided tour.
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/data/backup.h"
#include "app/data/change_chain.h"
#include "app/data/home_access.h"
#include "app/data/memory_policy.h"
#include "app/data/review_access.h"
#include "app/data/trf_database.h"
#include "app/siblings/program.h"
#include "app/terminal/demo_tour.h"
#include "app/terminal/temp_folder.h"
#include "app/terminal/trf_session.h"
#include "ui_shared/platform/error.h"

namespace {

struct Options {
  trf::AppOptions app;
  std::optional<std::string> script;
  std::optional<std::string> backup;
  std::optional<std::string> restore;
  std::vector<std::string> admin;     // the action and its words
  std::optional<std::string> region;  // --region: grant-review of every home of a region
  bool demo = false;
  bool verbose = false;
  bool verify = false;
};

// The program's own options, declared with the shared parser.
void Declare(trf::OptionsParser& parser, Options& options) {
  parser.Flag("--verbose", "also print form keys, colour codes and the busy marker", options.verbose);
  parser.Value("--script", "FILE",
               "run the commands of FILE (- for standard input) and print the transcript; exit status 0 when every "
               "command ran and every expect held. Without --db the script runs on a fresh sample database in a "
               "temporary folder",
               options.script);
  parser.Flag("--demo", "a guided tour on a fresh sample database in a temporary folder", options.demo);
  parser.Value("--backup", "FILE", "copy the database file into FILE while desks keep working", options.backup);
  parser.Value("--restore", "FILE", "replace the database file by the copy FILE, once the copy is checked",
               options.restore);
  parser.Flag("--verify",
              "walk the change record's chains and the filings of the database, and say whether all is intact "
              "or name the first entry of each home that does not fit; reads only. Exit status 0 when intact",
              options.verify);
  parser.Words("--admin", "grant ROLE HOME|revoke ROLE HOME|grant-review ROLE HOME|list",
               "on a server database (--db URI): let the desk ROLE work on the home numbered HOME, no longer let "
               "it, let the reviewer ROLE read the filings of the home HOME (or of every home of a region, with "
               "--region), or list who may work on and review which home",
               options.admin);
  parser.Value("--region", "REGION", "with --admin grant-review ROLE: every home of the region REGION", options.region);
}

// What is wrong with options that each read well alone; nothing when they go together.
std::optional<std::string> Check(const Options& options) {
  if (!options.admin.empty()) {
    const std::string& action = options.admin[0];
    if (action != "grant" && action != "revoke" && action != "grant-review" && action != "list")
      return "--admin takes grant, revoke, grant-review or list, not \"" + action + "\"";
    if (action == "grant-review" && (options.admin.size() == 2) != options.region.has_value())
      return "--admin grant-review takes a role and a home number, or a role and --region REGION";
    const size_t words = action == "list" ? 1 : action == "grant-review" && options.region ? 2 : 3;
    if (options.admin.size() != words)
      return action == "list" ? std::string("--admin list takes no further word")
                              : "--admin " + action + " takes a role and a home number";
  }
  if (options.region && (options.admin.empty() || options.admin[0] != "grant-review"))
    return "--region goes with --admin grant-review ROLE";
  if (options.demo && options.script) return "--script and --demo cannot be used together";
  if (options.verify && (options.demo || options.script || options.backup || options.restore || !options.admin.empty()))
    return "--verify only reads the database: give it alone, with --db";
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

// --verify: walks the chains and the filings and says what it found; status 1 when something does not fit.
int RunVerify(const Options& options) {
  const std::string db = options.app.Database().value_or("trf.db");
  auto database = trf::OpenTrfDatabase(db, trf::Access::kReadOnly);
  const trf::TrustCheck check = trf::VerifyTrust(*database);
  for (const std::string& finding : check.findings) std::cout << finding << "\n";
  std::cout << check.Summary() << "\n";
  return check.Intact() ? 0 : 1;
}

// --admin: grants, revokes or lists the homes of the desks of a server database.
int RunAdmin(const Options& options) {
  const std::optional<std::string> db = options.app.Database();
  if (!db || !trf::IsServerLocation(*db)) {
    std::cerr << "trf: --admin works on a server database: name it with --db postgresql://... (or host=... "
                 "dbname=...)\n";
    return 2;
  }
  auto database = trf::OpenNamedDatabase(options.app, *db);
  for (const std::string& notice : database->TakeNotices()) std::cerr << "trf: note: " << notice << "\n";
  const std::string& action = options.admin[0];
  if (action == "grant") {
    trf::GrantHome(*database, options.admin[1], options.admin[2]);
    std::cout << options.admin[1] << " may work on home " << options.admin[2] << " from now on\n";
  } else if (action == "grant-review" && options.region) {
    const std::vector<std::string> homes = trf::GrantReviewOfRegion(*database, options.admin[1], *options.region);
    std::cout << options.admin[1] << " may review "
              << (homes.size() == 1 ? "the one home" : "the " + std::to_string(homes.size()) + " homes")
              << " of region " << *options.region << " from now on:";
    for (const std::string& home : homes) std::cout << " " << home;
    std::cout << "\n";
  } else if (action == "grant-review") {
    trf::GrantReview(*database, options.admin[1], options.admin[2]);
    std::cout << options.admin[1] << " may review home " << options.admin[2] << " from now on\n";
  } else if (action == "revoke") {
    trf::RevokeHome(*database, options.admin[1], options.admin[2]);
    std::cout << options.admin[1] << " may no longer work on home " << options.admin[2] << "\n";
  } else {
    const std::vector<trf::HomePermission> permissions = trf::ListPermissions(*database);
    if (permissions.empty()) std::cout << "no desk may work on any home yet: grant one with --admin grant\n";
    for (const trf::HomePermission& permission : permissions)
      std::cout << permission.role << " may work on " << permission.home_number << " " << permission.home_name << "\n";
    for (const trf::ReviewPermission& review : trf::ListReviews(*database)) {
      std::cout << review.role << " may review " << review.home_number << " " << review.home_name
                << (review.region.empty() ? "" : " (region " + review.region + ")") << "\n";
    }
  }
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
  trf::TrfSession session(trf::OpenNamedDatabase(options.app, db ? *db : (folder->Path() / "trf.db").string()),
                          std::cout, nullptr, options.verbose);
  if (session.RunScript(script, true) != 0) {
    std::cerr << "trf: the script " << file << " failed (see the transcript above)\n";
    return 1;
  }
  return 0;
}

// Runs what the options ask for; its exit status.
int Run(const Options& options) {
  if (options.demo) return RunDemo(options.verbose);
  if (!options.admin.empty()) return RunAdmin(options);
  if (options.verify) return RunVerify(options);
  const std::string db = options.app.Database().value_or("trf.db");
  if (options.backup) {
    trf::BackUpTrfFile(db, *options.backup);
    std::cout << "backed up " << db << " into " << *options.backup << "\n";
    return 0;
  }
  if (options.restore) {
    trf::RestoreTrfFile(*options.restore, db);
    std::cout << "restored " << db << " from " << *options.restore << "\n";
    return 0;
  }
  if (options.script) return RunScriptFile(*options.script, options);
  trf::TrfSession session(trf::OpenNamedDatabase(options.app, db), std::cout, &std::cin, options.verbose);
  session.RunInteractive(std::cin);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  trf::KeepFreedMemoryForReloads();  // months are loaded again and again
  Options options;
  trf::OptionsParser parser("trf",
                            "trf.db in the current folder, interactively (created with sample data when "
                            "missing)");
  Declare(parser, options);
  if (const auto status = trf::ReadOptions(parser, argc, argv, options.app, [&] { return Check(options); }))
    return *status;
  // A start-up refusal is the sentence for the person and where to read how to name a database.
  const bool naming = options.admin.empty() && !options.backup && !options.restore;
  return trf::RunProgram(
      "trf", 1, [&] { return Run(options); }, naming ? "(trf --help tells how to name a database)" : "");
}
