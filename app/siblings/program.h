// What the three programs (trf, trf-desktop, trf-report) share from start to exit: reading the
// options with the one parser, opening the database once, and one ladder from an error to the
// sentence on standard error and the exit status.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/data/database.h"
#include "app/siblings/app_options.h"

namespace trf {

// Reads the arguments of `program` (argv without the program's name) with `parser` into `options`,
// TRF_DB from the environment, then asks `check` what else is wrong. Nothing when the program goes
// on; otherwise its exit status: 2 after saying what is wrong with the usage on standard error, 0
// after printing the usage for --help or the version line for --version.
std::optional<int> ReadOptions(OptionsParser& parser, int argc, char** argv, AppOptions& options,
                               const std::function<std::optional<std::string>()>& check = {});

// Opens the database `options` name (else `fallback`) once, as the program works on it: a new file
// gets the sample data, a new server database only when --sample asks.
std::shared_ptr<Database> OpenNamedDatabase(const AppOptions& options, const std::string& fallback);

// Runs `body` and answers its exit status; an error on the way is said on standard error as
// "program: <sentence>" (with `hint` after it, when given) and answers `failure`.
int RunProgram(const std::string& program, int failure, const std::function<int()>& body, const std::string& hint = "");

}  // namespace trf
