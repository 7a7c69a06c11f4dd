// The words of a made region: the names of homes, people and family groups, addresses and the
// sentences of a month's notes, drawn so that texts have the lengths real ones have.
#pragma once

#include <string>
#include <vector>

#include "app/region/draws.h"

namespace trf::region {

// The name of home number `home` (1 for the first): "Maple House", "Birch Court", ...
std::string HomeName(int64_t home);
// A family name, and a person's whole name.
std::string Surname(Draws& draws);
std::string PersonName(Draws& draws, const std::string& surname);
// A mailing address: "14 Harbour Road, Northport".
std::string Address(Draws& draws);
// A month's notes: a few paragraphs of the sentences homes write, and the same as RTF.
struct Notes {
  std::vector<std::string> paragraphs;
  std::string rtf;
};
Notes DrawNotes(Draws& draws);

}  // namespace trf::region
