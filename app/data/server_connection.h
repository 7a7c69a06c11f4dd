// Connecting to a PostgreSQL server with libpq's non-blocking steps, so that a refusal carries the
// server's SQLSTATE, and each refusal in words that say what the person can do about it.
#pragma once

#include <string>

struct pg_conn;

namespace trf {

// Connects to the server `location` names (see connection_text.h) and answers the live connection,
// the caller's to finish. Raises, with libpq's words before the sentence for the error journal, and
// naming the server as `shown`: a text libpq cannot read (kDatabaseError, quoting none of it); a
// server that cannot be reached, or does not answer within the text's connect_timeout
// (kServerUnreachableError); a password refused or missing, a role or a database the server does not
// know, a server that takes no more connections (kDatabaseError, naming the role or the database).
pg_conn* ConnectToServer(const std::string& location, const std::string& shown);

// PostgreSQL's own words about a failure of `context` (the server's or libpq's `message`, its first
// line), for the error journal.
std::string PostgresSaid(const std::string& context, const char* message);

}  // namespace trf
