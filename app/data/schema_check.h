// What a stored TRF schema lacks of what this program makes of it: its tables, and the triggers
// that keep the change record and the lock of filed months, which whoever may write a file, or a
// server's superuser, can drop or alter. Opening a database for writing puts the triggers back;
// a restore refuses a copy that lacks any.
#pragma once

#include <string>
#include <vector>

#include "app/data/database.h"

namespace trf {

// A trigger by its name and the table it is on, as the schema spells them.
struct TriggerName {
  std::string name;
  std::string table;
};

// The triggers of a stored schema that are not as this program makes them.
struct TriggerGaps {
  // Missing, disabled (on a server), or altered (on a file, whose triggers keep their statements).
  std::vector<TriggerName> missing;
  // On a file: triggers on the TRF's tables that this program does not make (one of them could skip
  // the change record without a word).
  std::vector<TriggerName> foreign;

  bool Empty() const { return missing.empty() && foreign.empty(); }
  // What is wrong, in words: "2 missing or altered (trf_keep on tbH_Residents, ...)", and the
  // foreign ones after "; ".
  std::string Described() const;
};

// The trigger gaps of the TRF schema `database` holds, which must be of this program's version.
TriggerGaps FindTriggerGaps(Database& database);

// Makes every trigger of the schema anew (with the rest of its trust) and drops the foreign ones;
// the caller holds the transaction.
void PutBackTriggers(Database& database, const TriggerGaps& gaps);

// The sentence a person reads once after an opening put back what `gaps` lacked.
std::string PutBackNotice(const TriggerGaps& gaps);
// The sentence a person reads once after an opening that may not put back what `gaps` lacks: a
// read-only one.
std::string NotPutBackNotice(const TriggerGaps& gaps);

// Whether the stored trust is this program's: the digest its view holds is that of this program's
// trust statements. A schema whose trust differs (made by an earlier version, or before digests were
// kept) is given the trust anew by its next opening for writing (on a server, the administrator's).
bool TrustIsCurrent(Database& database);

// `names` in words: the first five, then how many more ("a, b, c, d, e and 3 more").
std::string Listed(const std::vector<std::string>& names);

// The tables the SQLite file `database`, of schema version `version`, lacks: those the version has
// by their description, and at this program's version also those its trust adds.
std::vector<std::string> MissingTables(Database& database, int version);

}  // namespace trf
