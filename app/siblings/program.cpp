// The programs' start and exit: options, the database, and errors in words.
#include "app/siblings/program.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <vector>

#include "app/data/trf_database.h"
#include "ui_shared/platform/error.h"

namespace trf {

std::optional<int> ReadOptions(OptionsParser& parser, int argc, char** argv, AppOptions& options,
                               const std::function<std::optional<std::string>()>& check) {
  std::optional<std::string> problem =
      parser.Parse(std::vector<std::string>(argv + 1, argv + argc), std::getenv("TRF_DB"), options);
  if (!problem && !options.help && !options.version && check) problem = check();
  if (problem) {
    std::cerr << parser.Program() << ": " << *problem << "\n" << parser.Usage();
    return 2;
  }
  if (options.help) {
    std::cout << parser.Usage();
    return 0;
  }
  if (options.version) {
    std::cout << VersionLine(parser.Program());
    return 0;
  }
  return std::nullopt;
}

std::shared_ptr<Database> OpenNamedDatabase(const AppOptions& options, const std::string& fallback) {
  const std::string db = options.Database().value_or(fallback);
  return OpenTrfDatabase(db, options.WantedAccess(), kDefaultBusyTimeoutMs, options.NewDatabaseSeed(db));
}

int RunProgram(const std::string& program, int failure, const std::function<int()>& body, const std::string& hint) {
  try {
    return body();
  } catch (const kw::Error& error) {
    // The sentence for the person; the error's number and the engine's words help nobody here.
    std::cerr << program << ": " << SentenceOf(error) << (hint.empty() ? "" : " " + hint) << "\n";
  } catch (const std::exception& error) {
    std::cerr << program << ": " << error.what() << "\n";
  }
  return failure;
}

}  // namespace trf
