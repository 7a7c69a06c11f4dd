// AppOptions and OptionsParser: the options every program takes (--db, TRF_DB, --sample,
// --read-only, --help, --version) and the one parser that reads them beside a program's own, so that `trf`
// and `trf-desktop` spell, check and explain them alike.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/data/connection_text.h"
#include "app/data/database.h"
#include "app/data/trf_database.h"

namespace trf {

struct AppOptions {
  std::optional<std::string> db;                   // --db PATH|URI
  std::optional<std::string> db_from_environment;  // TRF_DB, when set and not empty
  bool sample = false;                             // --sample: fill a new server database with the sample data
  bool read_only = false;                          // --read-only
  bool help = false;                               // --help or -h
  bool version = false;                            // --version

  // The database asked for: --db, else TRF_DB; nothing when neither names one.
  std::optional<std::string> Database() const { return db ? db : db_from_environment; }
  Access WantedAccess() const { return read_only ? Access::kReadOnly : Access::kReadWrite; }
  // What a new database at `location` gets: a file always the sample data, a server only with --sample.
  Seed NewDatabaseSeed(const std::string& location) const {
    return sample || !IsServerLocation(location) ? Seed::kSample : Seed::kEmpty;
  }
};

// The line `--version` prints for `program`: its name and the version of the TRF it belongs to,
// "trf-desktop 1.0.0".
std::string VersionLine(const std::string& program);

class OptionsParser {
 public:
  // `program`: the name the usage text starts with; `default_db`: where the program works when no
  // database is named, in words for the usage text.
  OptionsParser(std::string program, std::string default_db);

  // A switch of the program's own: `target` becomes true when it is given.
  void Flag(std::string name, std::string help, bool& target);
  // An option of the program's own that takes a value.
  void Value(std::string name, std::string placeholder, std::string help, std::optional<std::string>& target);
  // An option of the program's own followed by words of its own: every word up to the next option
  // (one that starts with "--"); at least one.
  void Words(std::string name, std::string placeholder, std::string help, std::vector<std::string>& target);

  // Reads the arguments (without the program's name) into `options` and the program's own
  // targets, and TRF_DB from `environment_db` (nullptr when unset); what is wrong with them in
  // words, or nothing.
  std::optional<std::string> Parse(const std::vector<std::string>& args, const char* environment_db,
                                   AppOptions& options);
  // The usage text: one line of synopsis, then each option with its help.
  std::string Usage() const;
  // The program's name, as its messages start.
  const std::string& Program() const { return program_; }

 private:
  struct Option {
    std::string name;
    std::string placeholder;  // "" for a switch
    std::string help;
    bool* flag = nullptr;
    std::optional<std::string>* value = nullptr;
    std::vector<std::string>* words = nullptr;
  };
  std::string program_;
  std::string default_db_;
  std::vector<Option> options_;
};

}  // namespace trf
