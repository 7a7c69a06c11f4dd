// Reading the programs' options.
#include "app/siblings/app_options.h"

#include <algorithm>

namespace trf {
namespace {

// The options every program takes, for the usage text: name, placeholder, help.
struct SharedOption {
  const char* name;
  const char* placeholder;
  const char* help;
};
constexpr SharedOption kShared[] = {
    {"--db", "PATH|URI",
     "the database to work on: a file (created with sample data when missing), or a PostgreSQL server "
     "shared by many desks, as a URI (postgresql://user@host/dbname) or as libpq's key=value words "
     "('host=... dbname=... user=...'); its tables are created on first use, and its password is never "
     "shown. TRF_DB in the environment names it when --db is not given"},
    {"--sample", "", "fill a server database that is new with the sample data"},
    {"--read-only", "",
     "only look: the database is opened read-only and nothing is saved (a file you may not write, or one in a "
     "folder you may not write, opens this way by itself)"},
    {"--help", "", "this text"},
    {"--version", "", "the program's name and version"},
};

// `text` wrapped to lines of at most `width` characters, each but the first indented by `indent`.
std::string Wrapped(const std::string& text, size_t indent, size_t width) {
  std::string out;
  size_t line = indent;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find(' ', at), text.size());
    const std::string word = text.substr(at, end - at);
    if (line > indent && line + 1 + word.size() > width) {
      out += "\n" + std::string(indent, ' ');
      line = indent;
    } else if (line > indent) {
      out += ' ';
      ++line;
    }
    out += word;
    line += word.size();
    at = end + 1;
  }
  return out;
}

std::string UsageLine(const std::string& name, const std::string& placeholder, const std::string& help) {
  constexpr size_t kIndent = 22;
  std::string head = "  " + name + (placeholder.empty() ? "" : " " + placeholder);
  head += head.size() + 2 <= kIndent ? std::string(kIndent - head.size(), ' ') : "\n" + std::string(kIndent, ' ');
  return head + Wrapped(help, kIndent, 100) + "\n";
}

}  // namespace

std::string VersionLine(const std::string& program) { return program + " " + TRF_VERSION + "\n"; }

OptionsParser::OptionsParser(std::string program, std::string default_db)
    : program_(std::move(program)), default_db_(std::move(default_db)) {}

void OptionsParser::Flag(std::string name, std::string help, bool& target) {
  options_.push_back(Option{.name = std::move(name), .placeholder = "", .help = std::move(help), .flag = &target});
}

void OptionsParser::Value(std::string name, std::string placeholder, std::string help,
                          std::optional<std::string>& target) {
  options_.push_back(Option{
      .name = std::move(name), .placeholder = std::move(placeholder), .help = std::move(help), .value = &target});
}

void OptionsParser::Words(std::string name, std::string placeholder, std::string help,
                          std::vector<std::string>& target) {
  options_.push_back(Option{
      .name = std::move(name), .placeholder = std::move(placeholder), .help = std::move(help), .words = &target});
}

std::optional<std::string> OptionsParser::Parse(const std::vector<std::string>& args, const char* environment_db,
                                                AppOptions& options) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // An option's value follows it; a next option, or nothing, means the value is missing.
    const auto value = [&](std::optional<std::string>& target) -> std::optional<std::string> {
      if (i + 1 >= args.size()) return arg + " needs a value";
      if (args[i + 1].starts_with("--")) return arg + " needs a value before the next option, " + args[i + 1];
      target = args[++i];
      return std::nullopt;
    };
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--sample") {
      options.sample = true;
    } else if (arg == "--read-only") {
      options.read_only = true;
    } else if (arg == "--db") {
      if (auto problem = value(options.db)) return problem;
    } else {
      const auto own = std::ranges::find(options_, arg, &Option::name);
      if (own == options_.end()) return "unknown option \"" + arg + "\"";
      if (own->flag) {
        *own->flag = true;
      } else if (own->words) {
        own->words->clear();
        while (i + 1 < args.size() && !args[i + 1].starts_with("--")) own->words->push_back(args[++i]);
        if (own->words->empty()) return arg + " needs a value";
      } else if (auto problem = value(*own->value)) {
        return problem;
      }
    }
  }
  if (environment_db && *environment_db) options.db_from_environment = environment_db;
  return std::nullopt;
}

std::string OptionsParser::Usage() const {
  std::string synopsis = "usage: " + program_ + " [--db PATH|URI] [--sample] [--read-only]";
  for (const Option& option : options_)
    synopsis += " [" + option.name + (option.placeholder.empty() ? "" : " " + option.placeholder) + "]";
  std::string text = synopsis + "\n" + UsageLine("(no option)", "", "work on " + default_db_);
  for (const SharedOption& option : kShared) text += UsageLine(option.name, option.placeholder, option.help);
  for (const Option& option : options_) text += UsageLine(option.name, option.placeholder, option.help);
  return text;
}

}  // namespace trf
