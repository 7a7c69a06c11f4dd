// Recognising a connection text and showing it without its password, on libpq's own parser.
#include "app/data/connection_text.h"

#include <libpq-fe.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <memory>
#include <string_view>

#include "app/data/database.h"

namespace trf {

namespace {

constexpr std::array<std::string_view, 2> kUriSchemes = {"postgresql://", "postgres://"};
constexpr const char* kSpaces = " \t\r\n";

// libpq's reading of a connection text, freed with it; empty when libpq cannot read the text.
using Options = std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)>;

Options Parsed(const std::string& text) {
  char* error = nullptr;
  PQconninfoOption* options = PQconninfoParse(text.c_str(), &error);
  // libpq's words about a text it cannot read quote the text, its password perhaps: they go nowhere.
  PQfreemem(error);
  return {options, &PQconninfoFree};
}

// What a location is, as libpq reads it.
enum class Form { kFile, kUri, kWords, kUnreadableUri, kUnreadableWords };

struct Reading {
  Form form = Form::kFile;
  std::string_view scheme;  // for a URI: the scheme it was given with
  Options options{nullptr, &PQconninfoFree};
};

// Whether the first word of `text` is one of libpq's keys followed by "=" ("host=..."): a text
// meant for a server.
bool StartsWithKey(std::string_view text) {
  const size_t start = text.find_first_not_of(kSpaces);
  const size_t equals = text.find('=');
  if (start == std::string_view::npos || equals == std::string_view::npos || equals < start) return false;
  const std::string_view word = text.substr(start, equals - start);
  const std::string key(word.substr(0, word.find_last_not_of(kSpaces) + 1));
  const Options keys = Parsed("");  // every key libpq knows, none of them given
  for (const PQconninfoOption* option = keys.get(); option && option->keyword; ++option) {
    if (key == option->keyword) return true;
  }
  return false;
}

Reading Read(const std::string& location) {
  for (const std::string_view scheme : kUriSchemes) {
    if (!location.starts_with(scheme)) continue;
    Options options = Parsed(location);
    const Form form = options ? Form::kUri : Form::kUnreadableUri;
    return {.form = form, .scheme = scheme, .options = std::move(options)};
  }
  // libpq reads a blank text as a connection with every default; here it names no file, which the
  // opening of a file refuses in words.
  if (location.find_first_not_of(kSpaces) == std::string::npos) return {};
  if (Options options = Parsed(location)) return {.form = Form::kWords, .scheme = "", .options = std::move(options)};
  return {.form = StartsWithKey(location) ? Form::kUnreadableWords : Form::kFile,
          .scheme = "",
          .options = Options(nullptr, &PQconninfoFree)};
}

// Whether libpq hides the value of `option` when it shows a connection's options: a password.
bool Hidden(const PQconninfoOption& option) { return option.dispchar && option.dispchar[0] == '*'; }

// `value` percent-encoded for a URI: every byte but letters, digits, "-._~" and those in `kept`.
std::string Encoded(std::string_view value, std::string_view kept = "") {
  std::string out;
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x80 && std::isalnum(byte)) || std::string_view("-._~").find(c) != std::string_view::npos ||
        kept.find(c) != std::string_view::npos) {
      out += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      out += escaped;
    }
  }
  return out;
}

// The options of a URI rebuilt as one, without what libpq hides: user, host, port and database
// where a URI usually has them, everything else in its query. A socket folder or a list of hosts
// goes in the query too, where libpq reads it as well.
std::string AsUri(std::string_view scheme, const PQconninfoOption* options) {
  std::string user, host, port, database, query;
  for (const PQconninfoOption* option = options; option->keyword; ++option) {
    if (!option->val || Hidden(*option)) continue;
    const std::string_view key = option->keyword;
    if (key == "user") {
      user = option->val;
    } else if (key == "host") {
      host = option->val;
    } else if (key == "port") {
      port = option->val;
      // Hosts without ports ("h1,h2") leave one empty port each (","), which says nothing.
      if (port.find_first_not_of(',') == std::string::npos) port.clear();
    } else if (key == "dbname") {
      database = option->val;
    } else {
      query += "&" + std::string(key) + "=" + Encoded(option->val, "/,");
    }
  }
  const bool host_in_authority = !host.empty() && host.find_first_of("/,") == std::string::npos;
  const bool port_in_authority = host_in_authority && !port.empty() && port.find(',') == std::string::npos;
  if (!port.empty() && !port_in_authority) query = "&port=" + Encoded(port, ",") + query;
  if (!host.empty() && !host_in_authority) query = "&host=" + Encoded(host, "/,") + query;
  std::string uri(scheme);
  if (!user.empty()) uri += Encoded(user) + "@";
  if (host_in_authority) uri += host.find(':') == std::string::npos ? Encoded(host) : "[" + Encoded(host, ":") + "]";
  if (port_in_authority) uri += ":" + port;
  if (!database.empty() || !query.empty()) uri += "/" + Encoded(database);
  if (!query.empty()) uri += "?" + query.substr(1);
  return uri;
}

// `value` as a value of libpq's key=value words: as it is, or in single quotes with its quotes and
// backslashes escaped when it is empty or holds a blank, a quote or a backslash.
std::string WordValue(std::string_view value) {
  if (!value.empty() && value.find_first_of(" \t\r\n'\\") == std::string_view::npos) return std::string(value);
  std::string quoted = "'";
  for (const char c : value) {
    if (c == '\'' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "'";
}

// The options of key=value words rebuilt as words, without what libpq hides, in libpq's order; for
// words that gave nothing else, what libpq then connects to.
std::string AsWords(const PQconninfoOption* options) {
  std::string words;
  for (const PQconninfoOption* option = options; option->keyword; ++option) {
    if (!option->val || Hidden(*option)) continue;
    words += (words.empty() ? "" : " ") + std::string(option->keyword) + "=" + WordValue(option->val);
  }
  return words.empty() ? "libpq's default server" : words;
}

}  // namespace

bool IsServerLocation(const std::string& location) { return Read(location).form != Form::kFile; }

std::string ShownLocation(const std::string& location) {
  const Reading reading = Read(location);
  switch (reading.form) {
    case Form::kFile: return location;
    case Form::kUri: return AsUri(reading.scheme, reading.options.get());
    case Form::kWords: return AsWords(reading.options.get());
    case Form::kUnreadableUri: return "a server URI that cannot be read";
    case Form::kUnreadableWords: return "a server connection text that cannot be read";
  }
  return location;
}

void RequireReadableConnection(const std::string& location) {
  const Form form = Read(location).form;
  const std::string unshown = " It is not shown here, since what is wrong may be in its password.";
  if (form == Form::kUnreadableUri) {
    RaiseDataError(kDatabaseError,
                   "The server's URI cannot be read: look at its keys (libpq's own: host, port, dbname, user, "
                   "password, sslmode and the rest), its query (?key=value&key=value) and its percent signs (a % of "
                   "its own is written %25)." +
                       unshown);
  }
  if (form == Form::kUnreadableWords) {
    RaiseDataError(kDatabaseError,
                   "The server's connection text cannot be read: write it as key=value words with libpq's keys "
                   "(host, port, dbname, user, password, sslmode and the rest), a value with a blank or a quote in "
                   "single quotes, and a quote or a backslash inside them after a backslash ('it\\'s')." +
                       unshown);
  }
}

}  // namespace trf
