// Connection texts: what a database location names, and how a person reads it. A location is a
// SQLite file by its path, or a PostgreSQL server in either of libpq's forms: a URI
// ("postgresql://..." or "postgres://...") or "key=value" words ("host=... dbname=... user=...").
// libpq's own parser recognises a server's text and rebuilds it without its password; a text meant
// for a server that libpq cannot read is never shown, since what is wrong with it may be the password.
#pragma once

#include <string>

namespace trf {

// Whether `location` names a database server rather than a file: a URI; words libpq reads whole;
// or words that start as a server's ("host=", "dbname=", any of libpq's keys) but that libpq cannot
// read, which connecting then refuses in words. Anything else is a file; a file whose name starts
// with one of libpq's keys and "=" is named with "./" in front.
bool IsServerLocation(const std::string& location);

// `location` as every message, journal line, title and file name shows it: a file by the path as
// given; a server by its text rebuilt by libpq's parser in the form it was given, without its
// password or any other value libpq hides as one (sslpassword); a server text libpq cannot read
// by a phrase that quotes none of it.
std::string ShownLocation(const std::string& location);

// Raises kDatabaseError with a sentence that quotes nothing of `location` when it is meant for a
// server but libpq cannot read it: the sentence says which form it has and what to look at.
void RequireReadableConnection(const std::string& location);

}  // namespace trf
