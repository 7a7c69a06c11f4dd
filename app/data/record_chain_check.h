// The check a restore makes of a copy's change record before it replaces anything: that each
// home's chain of entries is whole.
#pragma once

#include <string>

#include "app/data/database.h"

namespace trf {

// Raises a sentence naming `name` and the first entry of `copy`'s change record that does not fit
// its home's chain, when one does not.
//
// For now it checks nothing and raises nothing: the change record carries no chain yet. Each entry
// is to carry a SHA-256 digest over its content and over the digest of its home's entry before it;
// this check is then to walk every home's chain, as `--verify` does, so that a copy whose record
// was emptied or edited is refused.
void CheckChangeRecordChains(Database& copy, const std::string& name);

}  // namespace trf
