// Chaining the change record per home, sealing a file's entries, and walking the chains and filings.
#include "app/data/change_chain.h"

#include <array>
#include <map>
#include <optional>
#include <set>
#include <unordered_set>

#include "app/data/schema.h"
#include "app/data/sha256.h"
#include "app/data/trf_tables.h"
#include "ui_shared/platform/dates.h"

namespace trf {

namespace {

// The columns of the change record an entry is read with: its number, the chained values, its digest.
std::string EntryColumns() {
  std::string columns = "c.S_ChangeID";
  for (const char* column : kChainedColumns) columns += std::string(", c.") + column;
  return columns + ", c.S_Digest";
}

// A month record's month as a person reads it: "March 2004".
std::string MonthText(double serial) {
  static constexpr std::array<const char*, 12> kMonths = {"January", "February", "March",     "April",
                                                          "May",     "June",     "July",      "August",
                                                          "September", "October", "November", "December"};
  const kw::dates::Civil month = kw::dates::CivilOf(serial);
  return std::string(kMonths[static_cast<size_t>(month.month - 1)]) + " " + std::to_string(month.year);
}

// One entry as read: its number, its chained values and its digest (empty while unsealed).
struct Entry {
  int64_t id = 0;
  std::vector<kw::Variant> values;
  std::string digest;
};

// Reads the current row of `query`, made of EntryColumns, into an entry.
Entry ReadEntry(const Statement& query) {
  Entry entry;
  entry.id = static_cast<int64_t>(query.Column(0).ToDouble());
  entry.values.reserve(kChainedColumnCount);
  for (size_t i = 0; i < kChainedColumnCount; ++i) entry.values.push_back(query.Column(static_cast<int>(i + 1)));
  const kw::Variant digest = query.Column(static_cast<int>(kChainedColumnCount + 1));
  entry.digest = digest.IsNull() ? "" : digest.ToText();
  return entry;
}

constexpr size_t kHomeValue = 4;  // S_HomesID among the chained values

int64_t HomeOf(const Entry& entry) {
  const kw::Variant& home = entry.values[kHomeValue];
  return home.IsNull() ? 0 : static_cast<int64_t>(home.ToDouble());
}

// The home numbers by key, for sentences.
std::map<int64_t, std::string> HomeNumbers(Database& database) {
  std::map<int64_t, std::string> numbers;
  auto query = database.Prepare("SELECT H_HomesID, H_HomeNum FROM tbH_Homes");
  while (query->Step()) numbers[static_cast<int64_t>(query->Column(0).ToDouble())] = query->Column(1).ToText();
  return numbers;
}

std::string HomeName(const std::map<int64_t, std::string>& numbers, int64_t home) {
  const auto found = numbers.find(home);
  return found != numbers.end() ? found->second : "home " + std::to_string(home);
}

// An entry as a sentence names it: "change 12 (tbH_Residents, record 4, by maple at 2026-12-07 10:00:00)".
std::string Named(const Entry& entry) {
  return "change " + std::to_string(entry.id) + " (" + entry.values[2].ToText() + ", record " +
         entry.values[3].ToText() + ", by " + entry.values[0].ToText() + " at " + entry.values[1].ToText() + ")";
}

// A read of its own: on a server every statement of the walk sees the same committed state.
class ReadSnapshot {
 public:
  explicit ReadSnapshot(Database& database) : database_(database) {
    database_.Exec(DialectOf(database) == Dialect::kPostgres ? "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"
                                                             : "BEGIN");
  }
  ~ReadSnapshot() {
    try {
      database_.Exec("ROLLBACK");
    } catch (...) {  // a lost connection ends the read by itself
    }
  }
  ReadSnapshot(const ReadSnapshot&) = delete;
  ReadSnapshot& operator=(const ReadSnapshot&) = delete;

 private:
  Database& database_;
};

// Walks the sealed entries, home by home, and keeps each home's digests for the filings.
void WalkChains(Database& database, const std::map<int64_t, std::string>& numbers, TrustCheck& check,
                std::map<int64_t, std::unordered_set<std::string>>& digests) {
  std::map<int64_t, std::string> heads;
  auto head_query = database.Prepare("SELECT S_HomesID, S_Digest FROM tbS_ChainHeads");
  while (head_query->Step()) heads[static_cast<int64_t>(head_query->Column(0).ToDouble())] = head_query->Column(1).ToText();
  auto query = database.Prepare("SELECT " + EntryColumns() +
                                " FROM tbS_ChangeRecord c WHERE c.S_Digest IS NOT NULL ORDER BY c.S_HomesID, c.S_ChangeID");
  Sha256 sha;
  std::optional<int64_t> home;
  std::string previous;
  bool broken = false;
  std::set<int64_t> walked;
  const auto end_chain = [&] {
    if (!home) return;
    walked.insert(*home);
    if (!broken && heads[*home] != previous) {
      check.findings.push_back("The change record of " + HomeName(numbers, *home) +
                               " ends before its recorded head: changes at its end were removed.");
    }
  };
  while (query->Step()) {
    const Entry entry = ReadEntry(*query);
    if (HomeOf(entry) != home) {
      end_chain();
      home = HomeOf(entry);
      previous = kChainGenesis;
      broken = false;
      ++check.homes;
    }
    ++check.changes;
    digests[*home].insert(entry.digest);
    if (!broken && sha.Hex(ChainContent(previous, entry.values)) != entry.digest) {
      check.findings.push_back("The change record of " + HomeName(numbers, *home) + " does not fit at " +
                               Named(entry) + ": that entry, or one before it, was changed or removed.");
      broken = true;
    }
    previous = entry.digest;
  }
  end_chain();
  for (const auto& [head_home, digest] : heads) {
    if (!walked.contains(head_home) && digest != kChainGenesis) {
      check.findings.push_back("The change record of " + HomeName(numbers, head_home) +
                               " has a head but no entries: its changes were removed.");
    }
  }
}

// Checks each filing's report against its digest, and its chain digest against the home's chain.
void CheckFilings(Database& database, const std::map<int64_t, std::string>& numbers, TrustCheck& check,
                  const std::map<int64_t, std::unordered_set<std::string>>& digests) {
  auto query = database.Prepare(
      "SELECT m.H_HomesID, m.H_StatMonth, f.H_Report, f.H_ReportDigest, f.H_ChainDigest FROM tbH_MonthFilings f "
      "JOIN tbH_HomeMonthlyStats m ON m.H_HomeMonthlyStatsID = f.H_HomeMonthlyStatsID ORDER BY f.H_MonthFilingsID");
  Sha256 sha;
  while (query->Step()) {
    ++check.filings;
    const auto home = static_cast<int64_t>(query->Column(0).ToDouble());
    const std::string filing = "The filing of " + MonthText(query->Column(1).ToDouble()) + " of " +
                               HomeName(numbers, home);
    const kw::Variant report = query->Column(2);
    const kw::Variant report_digest = query->Column(3);
    if (!report.IsNull() && (report_digest.IsNull() || sha.Hex(report.ToText()) != report_digest.ToText())) {
      check.findings.push_back(filing + " does not match its digest: the filed report was changed.");
    }
    const kw::Variant chain_digest = query->Column(4);
    if (chain_digest.IsNull() || chain_digest.ToText() == kChainGenesis) continue;
    const auto chain = digests.find(home);
    if (chain == digests.end() || !chain->second.contains(chain_digest.ToText())) {
      check.findings.push_back(filing + " recorded a digest of the change record that the record no longer holds: "
                                        "a change up to that filing was changed or removed.");
    }
  }
}

}  // namespace

std::string ChainContent(std::string_view previous, std::span<const kw::Variant> values) {
  std::string content = "(";
  const auto append = [&content](std::string_view text) {
    const bool quoted = text.empty() || text.find_first_of("\"\\(), \t\n\v\f\r") != std::string_view::npos;
    if (quoted) content += '"';
    for (const char c : text) {
      if (c == '"' || c == '\\') content += c;
      content += c;
    }
    if (quoted) content += '"';
  };
  append(previous);
  for (const kw::Variant& value : values) {
    content += ',';
    if (!value.IsNull() && !value.IsEmpty()) append(value.ToText());
  }
  return content + ")";
}

std::string ChainContentSql(const std::string& previous, std::span<const std::string> values) {
  std::string sql = "ROW((" + previous + ")::text";
  for (const std::string& value : values) sql += ", " + (value.empty() ? std::string("NULL") : "(" + value + ")") + "::text";
  return sql + ")::text";
}

void SealChanges(Database& database) {
  auto query = database.Prepare(
      "SELECT " + EntryColumns() +
      ", (SELECT m.H_HomesID FROM tbH_HomeMonthlyStats m WHERE m.H_HomeMonthlyStatsID = c.S_HomeMonthlyStatsID) "
      "FROM tbS_ChangeRecord c WHERE c.S_Digest IS NULL ORDER BY c.S_ChangeID");
  std::vector<Entry> entries;
  while (query->Step()) {
    Entry entry = ReadEntry(*query);
    // An entry written before entries named their home takes its month's.
    const kw::Variant month_home = query->Column(static_cast<int>(kChainedColumnCount + 2));
    if (entry.values[kHomeValue].IsNull() && !month_home.IsNull()) entry.values[kHomeValue] = month_home;
    entries.push_back(std::move(entry));
  }
  query.reset();
  if (entries.empty()) return;
  std::map<int64_t, std::pair<std::string, int64_t>> heads;  // home -> digest, newest change
  auto head_query = database.Prepare("SELECT S_Digest FROM tbS_ChainHeads WHERE S_HomesID = ?");
  auto seal = database.Prepare("UPDATE tbS_ChangeRecord SET S_HomesID = ?, S_Digest = ? WHERE S_ChangeID = ?");
  Sha256 sha;
  for (const Entry& entry : entries) {
    const int64_t home = HomeOf(entry);
    auto [head, inserted] = heads.try_emplace(home);
    if (inserted) {
      head_query->Reset();
      head_query->Bind(1, kw::Variant::Double(static_cast<double>(home)));
      head->second.first = head_query->Step() ? head_query->Column(0).ToText() : kChainGenesis;
      head_query->Reset();
    }
    head->second.first = sha.Hex(ChainContent(head->second.first, entry.values));
    head->second.second = entry.id;
    seal->Reset();
    seal->Bind(1, entry.values[kHomeValue])
        .Bind(2, kw::Variant::Text(head->second.first))
        .Bind(3, kw::Variant::Double(static_cast<double>(entry.id)))
        .Step();
  }
  auto move_head = database.Prepare(
      "INSERT INTO tbS_ChainHeads (S_HomesID, S_Digest, S_ChangeID) VALUES (?, ?, ?) ON CONFLICT (S_HomesID) "
      "DO UPDATE SET S_Digest = excluded.S_Digest, S_ChangeID = excluded.S_ChangeID");
  for (const auto& [home, head] : heads) {
    move_head->Reset();
    move_head->Bind(1, kw::Variant::Double(static_cast<double>(home)))
        .Bind(2, kw::Variant::Text(head.first))
        .Bind(3, kw::Variant::Double(static_cast<double>(head.second)))
        .Step();
  }
}

std::string TrustCheck::Summary() const {
  if (!Intact()) {
    return std::to_string(findings.size()) + (findings.size() == 1 ? " thing does" : " things do") +
           " not fit: the change record or a filing was changed outside the TRF's rules.";
  }
  std::string summary = "All is intact: " + std::to_string(changes) + (changes == 1 ? " change" : " changes") +
                        " on the chains of " +
                        std::to_string(homes) + (homes == 1 ? " home" : " homes") + ", and " +
                        std::to_string(filings) + (filings == 1 ? " filing." : " filings.");
  if (unsealed > 0) {
    summary += " " + std::to_string(unsealed) + (unsealed == 1 ? " change was" : " changes were") +
               " written by another program since this program last saved; the next save seals them.";
  }
  return summary;
}

TrustCheck VerifyTrust(Database& database) {
  TrustCheck check;
  const ReadSnapshot snapshot(database);
  const std::map<int64_t, std::string> numbers = HomeNumbers(database);
  std::map<int64_t, std::unordered_set<std::string>> digests;
  WalkChains(database, numbers, check, digests);
  auto unsealed = database.Prepare("SELECT COUNT(*) FROM tbS_ChangeRecord WHERE S_Digest IS NULL");
  if (unsealed->Step()) check.unsealed = static_cast<int64_t>(unsealed->Column(0).ToDouble());
  unsealed.reset();
  // On a server every entry is chained as it is written: one without a digest went past the triggers.
  if (check.unsealed > 0 && DialectOf(database) == Dialect::kPostgres) {
    check.findings.push_back(std::to_string(check.unsealed) +
                             " changes carry no digest: they were written past the database's triggers.");
  }
  CheckFilings(database, numbers, check, digests);
  return check;
}

}  // namespace trf
