// Connecting to a server, and its refusals in words.
#include "app/data/server_connection.h"

#include <libpq-fe.h>
#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <string_view>

#include "app/data/connection_text.h"
#include "app/data/database.h"
#include "ui_shared/platform/error.h"

namespace trf {

namespace {

// How long each step of connecting may wait for the server, in milliseconds, as the text's
// connect_timeout says (libpq's least is 2 seconds); -1, no bound, when it says nothing.
int StepTimeoutMs(PGconn* conn) {
  PQconninfoOption* options = PQconninfo(conn);
  int seconds = 0;
  for (const PQconninfoOption* option = options; option && option->keyword; ++option) {
    if (std::string_view(option->keyword) == "connect_timeout" && option->val) seconds = std::atoi(option->val);
  }
  PQconninfoFree(options);
  return seconds > 0 ? std::max(seconds, 2) * 1000 : -1;
}

// Takes libpq's steps of connecting until the connection is made or has failed; false when the
// server kept a step waiting longer than `timeout_ms`.
bool Steps(PGconn* conn, int timeout_ms) {
  PostgresPollingStatusType step = PGRES_POLLING_WRITING;  // what libpq asks first, by its rules
  while (PQstatus(conn) != CONNECTION_BAD && step != PGRES_POLLING_OK && step != PGRES_POLLING_FAILED) {
    // The socket may change between steps (another address, another host): asked for each time.
    pollfd socket{.fd = PQsocket(conn),
                  .events = static_cast<short>(step == PGRES_POLLING_READING ? POLLIN : POLLOUT),
                  .revents = 0};
    if (socket.fd < 0) break;
    if (poll(&socket, 1, timeout_ms) == 0) return false;
    step = PQconnectPoll(conn);
  }
  return true;
}

// The SQLSTATE of the last refusal a server gave in libpq's verbose words ("FATAL:  28P01:
// password authentication failed ..."); "" when no server answered.
std::string RefusalState(const std::string& message) {
  static const std::regex kState(R"((?:FATAL|ERROR|PANIC):  ([0-9A-Z]{5}): )");
  std::string state;
  for (auto found = std::sregex_iterator(message.begin(), message.end(), kState); found != std::sregex_iterator();
       ++found) {
    state = (*found)[1];
  }
  return state;
}

// What the refusal of `conn` with SQLSTATE `state` means for the person; "" for a server that
// could not be reached.
std::string Refusal(PGconn* conn, const std::string& state, const std::string& shown) {
  const std::string role = PQuser(conn) ? PQuser(conn) : "";
  const std::string database = PQdb(conn) ? PQdb(conn) : "";
  if (PQconnectionNeedsPassword(conn)) {
    return "The database server asks for the password of role " + role +
           ", and none was given: put it in the connection text (password=...) or in the password file "
           "(~/.pgpass).";
  }
  if (state == "28P01") {
    return "The database server refused the password of role " + role + ": give the role's right password.";
  }
  if (state == "28000") {
    return "The database server does not let role " + role + " connect to " + database +
           ": there is no such role, or the server's access rules leave it out. Ask the server's administrator.";
  }
  if (state == "3D000") return "The database server has no database " + database + ": name one that is there.";
  if (state == "53300") return "The database server takes no more connections now: try again in a moment.";
  // Class 57P0x: a server shutting down or starting up is one not to be reached now.
  if (state.empty() || state.starts_with("57P0")) return "";
  return "The database server at " + shown + " refused the connection: ask the server's administrator.";
}

}  // namespace

std::string PostgresSaid(const std::string& context, const char* message) {
  std::string line = message ? message : "";
  return "PostgreSQL said (" + context + "): " + line.substr(0, line.find('\n'));
}

pg_conn* ConnectToServer(const std::string& location, const std::string& shown) {
  RequireReadableConnection(location);
  PGconn* conn = PQconnectStart(location.c_str());
  if (!conn) kw::Raise(kw::err::kOutOfMemory);
  // The server's refusal then carries its SQLSTATE, which tells a refused password from a server
  // out of reach in any language the server speaks.
  PQsetErrorVerbosity(conn, PQERRORS_VERBOSE);
  const bool answered = Steps(conn, StepTimeoutMs(conn));
  if (answered && PQstatus(conn) == CONNECTION_OK) {
    PQsetErrorVerbosity(conn, PQERRORS_DEFAULT);
    return conn;
  }
  const std::string said =
      PostgresSaid("connect", answered ? PQerrorMessage(conn) : "no answer within the connect_timeout");
  const std::string refusal = Refusal(conn, RefusalState(PQerrorMessage(conn)), shown);
  PQfinish(conn);
  if (!refusal.empty()) RaiseDataError(kDatabaseError, refusal, said);
  RaiseDataError(kServerUnreachableError,
                 "The database server at " + shown + " could not be reached: start it, or name another database.",
                 said);
}

}  // namespace trf
