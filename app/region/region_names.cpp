// The word lists of a made region.
#include "app/region/region_names.h"

#include <array>

namespace trf::region {

namespace {

constexpr std::array<const char*, 24> kTrees = {"Maple",    "Birch",    "Cedar",  "Willow",  "Oak",    "Rowan",
                                                "Alder",    "Hazel",    "Linden", "Elm",     "Ash",    "Holly",
                                                "Poplar",   "Aspen",    "Laurel", "Juniper", "Spruce", "Larch",
                                                "Hawthorn", "Chestnut", "Yew",    "Beech",   "Pine",   "Sorrel"};
constexpr std::array<const char*, 8> kKinds = {"House", "Court", "Lodge", "Gardens", "Manor", "View", "Place", "Hall"};
constexpr std::array<const char*, 40> kSurnames = {
    "Andersen", "Okafor",  "Lindqvist", "Moreau",   "Pike",      "Reyes",    "Chen",      "Holt",
    "Petrov",   "Silva",   "Baker",     "Nakamura", "O'Brien",   "Kowalski", "Haddad",    "Fischer",
    "Mensah",   "Rossi",   "Nguyen",    "Dubois",   "Jensen",    "Alvarez",  "Murphy",    "Novak",
    "Tanaka",   "Schmidt", "Kaur",      "Walsh",    "Ferreira",  "Ivanova",  "Larsen",    "Byrne",
    "Costa",    "Horvath", "Svensson",  "Quinn",    "Abernathy", "Sato",     "Whitfield", "Lopez"};
constexpr std::array<const char*, 40> kGivenNames = {
    "Ada",   "Ben",    "Clara",  "Nora",     "Tom",    "Lily",  "Paul",  "Irene",  "Sam",    "Ruth",
    "Ivan",  "Maria",  "Joe",    "Agnes",    "Walter", "Edith", "Frank", "Hilda",  "Oscar",  "Mabel",
    "Percy", "Doris",  "Harold", "Winifred", "Arthur", "Elsie", "Cyril", "Gladys", "Leon",   "Vera",
    "Emil",  "Ingrid", "Rosa",   "Jakob",    "Yuki",   "Amara", "Kofi",  "Lucia",  "Henrik", "Margaret"};
constexpr std::array<const char*, 12> kStreets = {"Harbour Road", "Mill Lane",    "Quay Street", "Church Row",
                                                  "Station Road", "Elm Avenue",   "Kings Way",   "Bridge Street",
                                                  "Meadow Close", "Orchard Lane", "High Street", "Park Terrace"};
constexpr std::array<const char*, 10> kTowns = {"Northport", "Eastwick",  "Southby",  "Westford",  "Lakeside",
                                                "Hillcrest", "Riverbend", "Oakridge", "Fairhaven", "Stonebridge"};
constexpr std::array<const char*, 12> kNoteSentences = {
    "The boiler was serviced and the heating checked in every room.",
    "Two residents were seen by the visiting doctor; both are well.",
    "Families joined us for the monthly lunch, with music in the afternoon.",
    "The kitchen received new shelving; the food budget was kept.",
    "A resident was in hospital for four days and came back on the ward.",
    "Staff completed their first-aid refresher course this month.",
    "The garden was replanted with help from the local school.",
    "One room was repainted after a small leak under the window.",
    "We welcomed a new resident who moved from the hospital's care.",
    "Fire drill held; everyone was out in under four minutes.",
    "The hairdresser now visits on Tuesdays instead of Fridays.",
    "A thank-you card came from the family of a former resident."};

}  // namespace

std::string HomeName(int64_t home) {
  const auto index = static_cast<size_t>(home - 1);
  return std::string(kTrees[index % kTrees.size()]) + " " + kKinds[(index / kTrees.size()) % kKinds.size()];
}

std::string Surname(Draws& draws) { return draws.Pick(kSurnames); }

std::string PersonName(Draws& draws, const std::string& surname) {
  return std::string(draws.Pick(kGivenNames)) + " " + surname;
}

std::string Address(Draws& draws) {
  return std::to_string(draws.Between(1, 240)) + " " + draws.Pick(kStreets) + ", " + draws.Pick(kTowns);
}

Notes DrawNotes(Draws& draws) {
  Notes notes;
  notes.rtf = R"({\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}}\f0\fs20 )";
  const int paragraphs = draws.Between(2, 5);
  for (int p = 0; p < paragraphs; ++p) {
    std::string& paragraph = notes.paragraphs.emplace_back();
    const int sentences = draws.Between(1, 3);
    for (int s = 0; s < sentences; ++s) paragraph += std::string(s ? " " : "") + draws.Pick(kNoteSentences);
    notes.rtf += paragraph + "\\par\n";
  }
  notes.rtf += "}";
  return notes;
}

}  // namespace trf::region
