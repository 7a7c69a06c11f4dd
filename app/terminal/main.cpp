// trf: the program that runs the screens of the TRF on the shared user-interface library:
// interactively, from a script, or as a guided tour.
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/data/backup.h"
#include "app/data/home_access.h"
#include "app/data/trf_database.h"
#include "app/terminal/demo_tour.h"
#include "app/terminal/temp_folder.h"
#include "app/terminal/trf_session.h"
#include "ui_shared/platform/error.h"

namespace {

constexpr const char* kUsage =
    "usage: trf [--db PATH|URI] [--sample] [--read-only] [--verbose] [--script FILE | --demo]\n"
    "       trf [--db PATH] --backup FILE | --restore FILE;  trf --db URI --admin ...\n"
    "  (no option)    work interactively on trf.db in the current folder,\n"
    "                 created with sample data when missing\n"
    "  --db PATH      the database file to work on (created with sample data when missing)\n"
    "  --db URI       a database on a PostgreSQL server shared by many desks, for example\n"
    "                 postgresql://user@host/dbname; its tables are created on first use\n"
    "                 (TRF_DB in the environment names the database when --db is not given)\n"
    "  --sample       fill a server database that is new with the sample data\n"
    "  --read-only    only look: the database is opened read-only and nothing is saved\n"
    "                 (a file you may not write, or one in a folder you may not write,\n"
    "                 opens this way by itself)\n"
    "  --admin grant ROLE HOME | --admin revoke ROLE HOME | --admin list\n"
    "                 on a server database, as its administrator: let the desk that connects\n"
    "                 as ROLE work on the home numbered HOME (H-101), take it back, or list\n"
    "                 who may work on which home\n"
    "  --backup FILE  copy the database file into FILE while desks keep working\n"
    "  --restore FILE replace the database file by the copy FILE, once the copy is checked\n"
    "  --verbose      also print form keys, colour codes and the busy marker\n"
    "  --script FILE  run the commands of FILE (- for standard input) and print the transcript;\n"
    "                 exit status 0 when every command ran and every expect held. Without --db\n"
    "                 the script runs on a fresh sample database in a temporary folder\n"
    "  --demo         a guided tour on a fresh sample database in a temporary folder\n"
    "  --help         this text\n";

struct Options {
  std::optional<std::string> db;
  std::optional<std::string> script;
  std::optional<std::string> backup;
  std::optional<std::string> restore;
  std::vector<std::string> admin;  // the action and its words
  bool demo = false;
  bool help = false;
  bool read_only = false;
  bool sample = false;
  bool verbose = false;

  trf::Access Access() const { return read_only ? trf::Access::kReadOnly : trf::Access::kReadWrite; }
};

// The options, or a message saying what is wrong with them.
std::optional<std::string> Parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--demo") {
      options.demo = true;
    } else if (arg == "--read-only") {
      options.read_only = true;
    } else if (arg == "--verbose") {
      options.verbose = true;
    } else if (arg == "--sample") {
      options.sample = true;
    } else if (arg == "--admin") {
      if (i + 1 >= argc) return std::string("--admin needs grant, revoke or list");
      options.admin.push_back(argv[++i]);
      const size_t words = options.admin[0] == "list" ? 0 : 2;
      if (options.admin[0] != "list" && options.admin[0] != "grant" && options.admin[0] != "revoke")
        return "--admin takes grant, revoke or list, not \"" + options.admin[0] + "\"";
      if (i + static_cast<int>(words) >= argc) return "--admin " + options.admin[0] + " needs a role and a home number";
      for (size_t w = 0; w < words; ++w) options.admin.push_back(argv[++i]);
    } else if (arg == "--backup" || arg == "--restore") {
      if (i + 1 >= argc) return arg + " needs a file";
      (arg == "--backup" ? options.backup : options.restore) = argv[++i];
    } else if (arg == "--db" || arg == "--script") {
      if (i + 1 >= argc) return arg + " needs a value";
      (arg == "--db" ? options.db : options.script) = argv[++i];
    } else {
      return "unknown option \"" + arg + "\"";
    }
  }
  if (options.demo && options.script) return "--script and --demo cannot be used together";
  if (options.demo && options.db) return "--demo always runs on a fresh sample database; leave out --db";
  const char* from_environment = std::getenv("TRF_DB");
  if (!options.demo && !options.db && from_environment && *from_environment) options.db = from_environment;
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

// --admin: grants, revokes or lists the homes of the desks of a server database.
int RunAdmin(const Options& options) {
  if (!options.db || !trf::IsServerUri(*options.db)) {
    std::cerr << "trf: --admin works on a server database: name it with --db postgresql://...\n";
    return 2;
  }
  auto database = trf::OpenServerTrfDatabase(*options.db, trf::Access::kReadWrite,
                                             options.sample ? trf::Seed::kSample : trf::Seed::kEmpty);
  const std::string& action = options.admin[0];
  if (action == "grant") {
    trf::GrantHome(*database, options.admin[1], options.admin[2]);
    std::cout << options.admin[1] << " may work on home " << options.admin[2] << " from its next connection on\n";
  } else if (action == "revoke") {
    trf::RevokeHome(*database, options.admin[1], options.admin[2]);
    std::cout << options.admin[1] << " may no longer work on home " << options.admin[2] << "\n";
  } else {
    const std::vector<trf::HomePermission> permissions = trf::ListPermissions(*database);
    if (permissions.empty()) std::cout << "no desk may work on any home yet: grant one with --admin grant\n";
    for (const trf::HomePermission& permission : permissions)
      std::cout << permission.role << " may work on " << permission.home_number << " " << permission.home_name << "\n";
  }
  return 0;
}

int RunScriptFile(const std::string& file, const Options& options) {
  const std::optional<std::string>& db = options.db;
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
  trf::TrfSession session(db ? *db : (folder->Path() / "trf.db").string(), std::cout, nullptr, options.Access(),
                          options.verbose);
  if (session.RunScript(script, true) != 0) {
    std::cerr << "trf: the script " << file << " failed (see the transcript above)\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const auto problem = Parse(argc, argv, options)) {
    std::cerr << "trf: " << *problem << "\n" << kUsage;
    return 2;
  }
  if (options.help) {
    std::cout << kUsage;
    return 0;
  }
  try {
    if (options.demo) return RunDemo(options.verbose);
    if (!options.admin.empty()) return RunAdmin(options);
    if (options.backup) {
      trf::BackUpTrfFile(options.db.value_or("trf.db"), *options.backup);
      std::cout << "backed up " << options.db.value_or("trf.db") << " into " << *options.backup << "\n";
      return 0;
    }
    if (options.restore) {
      trf::RestoreTrfFile(*options.restore, options.db.value_or("trf.db"));
      std::cout << "restored " << options.db.value_or("trf.db") << " from " << *options.restore << "\n";
      return 0;
    }
    // A server database gets its tables (and the sample data when asked) before the session opens it.
    if (options.db && trf::IsServerUri(*options.db)) {
      trf::OpenServerTrfDatabase(*options.db, options.Access(),
                                 options.sample ? trf::Seed::kSample : trf::Seed::kEmpty);
    }
    if (options.script) return RunScriptFile(*options.script, options);
    trf::TrfSession session(options.db.value_or("trf.db"), std::cout, &std::cin, options.Access(), options.verbose);
    session.RunInteractive(std::cin);
    return 0;
  } catch (const kw::Error& e) {
    // A start-up refusal is the sentence for the person and where to read how to name a database;
    // the error's number and the engine's words help nobody here.
    const bool naming = options.admin.empty() && !options.backup && !options.restore;
    std::cerr << "trf: " << trf::SentenceOf(e) << (naming ? " (trf --help tells how to name a database)" : "") << "\n";
  } catch (const std::exception& e) {
    std::cerr << "trf: " << e.what() << "\n";
  }
  return 1;
}
