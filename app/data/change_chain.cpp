// Chaining the change record per home, sealing a file's entries, and walking the chains and filings.
#include "app/data/change_chain.h"

#include <array>
#include <charconv>
#include <map>
#include <optional>
#include <set>

#include "app/data/moment_text.h"
#include "app/data/schema.h"
#include "app/data/sha256.h"
#include "app/data/trf_tables.h"

namespace trf {

namespace {

// The columns of the change record an entry is read with: its number, the chained values, its digest.
std::string EntryColumns() {
  std::string columns = "c.S_ChangeID";
  for (const char* column : kChainedColumns) columns += std::string(", c.") + column;
  return columns + ", c.S_Digest";
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
// Which of the chained values are whole numbers: S_HomesID, S_HomeMonthlyStatsID, S_RuleNumber.
constexpr std::array<bool, kChainedColumnCount> kChainedNumbers = {false, false, false, false, true, true,
                                                                   false, false, false, true,  false};

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

// The state of one home's chain during a walk.
struct Chain {
  std::string previous = kChainGenesis;
  bool broken = false;
};

// An entry as a sentence names it, from the row of a walk:
// "change 12 (tbH_Residents, record 4, by maple at 2026-12-07 10:00:00)".
std::string Named(std::string_view id, std::span<const std::optional<std::string_view>> values) {
  const auto text = [&](size_t i) { return std::string(values[i].value_or("")); };
  return "change " + std::string(id) + " (" + text(2) + ", record " + text(3) + ", by " + text(0) + " on " +
         StampText(text(1)) + ")";
}

// Walks the sealed entries in the order they were written, each on its home's chain (a chain's
// entries are in that order among themselves), and notes which of the digests the filings recorded
// the chains hold. Every value is read as text in place: the walk allocates nothing per entry.
void WalkChains(Database& database, const std::map<int64_t, std::string>& numbers, TrustCheck& check,
                std::set<std::pair<int64_t, std::string>>& held, const std::set<std::string>& recorded) {
  std::map<int64_t, std::string> heads;
  auto head_query = database.Prepare("SELECT S_HomesID, S_Digest FROM tbS_ChainHeads");
  while (head_query->Step()) {
    heads[static_cast<int64_t>(head_query->Column(0).ToDouble())] = head_query->Column(1).ToText();
  }
  head_query.reset();
  auto query = database.Prepare("SELECT " + EntryColumns() +
                                " FROM tbS_ChangeRecord c WHERE c.S_Digest IS NOT NULL ORDER BY c.S_ChangeID");
  Sha256 sha;
  std::map<int64_t, Chain> chains;
  std::array<std::optional<std::string_view>, kChainedColumnCount> values;
  // The whole numbers among the values, written out here: the texts are read where they stand.
  std::array<std::array<char, 24>, kChainedColumnCount> numbers_written{};
  std::string content;
  const int digest_column = static_cast<int>(kChainedColumnCount + 1);
  while (query->Step()) {
    int64_t home = 0;
    for (size_t i = 0; i < values.size(); ++i) {
      const int column = static_cast<int>(i + 1);
      if (!kChainedNumbers[i]) {
        values[i] = query->TextView(column);
        continue;
      }
      const kw::Variant number = query->Column(column);
      if (number.IsNull()) {
        values[i] = std::nullopt;
        continue;
      }
      const auto whole = static_cast<int64_t>(number.ToDouble());
      if (i == kHomeValue) home = whole;
      char* start = numbers_written[i].data();
      values[i] = std::string_view(
          start, static_cast<size_t>(std::to_chars(start, start + numbers_written[i].size(), whole).ptr - start));
    }
    const std::string_view digest = query->TextView(digest_column).value_or("");
    Chain& chain = chains[home];
    ++check.changes;
    if (!chain.broken) {
      ChainContentInto(content, chain.previous, values);
      const std::array<char, 64> expected = sha.HexDigits(content);
      if (std::string_view(expected.data(), expected.size()) != digest) {
        check.findings.push_back("The change record of " + HomeName(numbers, home) + " does not fit at " +
                                 Named(std::to_string(static_cast<int64_t>(query->Column(0).ToDouble())), values) +
                                 ": that entry, or one before it, was changed or removed.");
        chain.broken = true;
      }
    }
    chain.previous.assign(digest);
    if (!recorded.empty() && recorded.contains(chain.previous)) held.emplace(home, chain.previous);
  }
  check.homes = static_cast<int64_t>(chains.size());
  for (const auto& [home, chain] : chains) {
    if (!chain.broken && heads[home] != chain.previous) {
      check.findings.push_back("The change record of " + HomeName(numbers, home) +
                               " ends before its recorded head: changes at its end were removed.");
    }
  }
  for (const auto& [home, digest] : heads) {
    if (!chains.contains(home) && digest != kChainGenesis) {
      check.findings.push_back("The change record of " + HomeName(numbers, home) +
                               " has a head but no entries: its changes were removed.");
    }
  }
}

// One filing as the walk checks it.
struct FiledMonth {
  int64_t home = 0;
  std::string name;  // "The filing of March 2004 of H-101"
  kw::Variant report, report_digest, chain_digest;
};

std::vector<FiledMonth> Filings(Database& database, const std::map<int64_t, std::string>& numbers) {
  auto query = database.Prepare(
      "SELECT m.H_HomesID, m.H_StatMonth, f.H_Report, f.H_ReportDigest, f.H_ChainDigest FROM tbH_MonthFilings f "
      "JOIN tbH_HomeMonthlyStats m ON m.H_HomeMonthlyStatsID = f.H_HomeMonthlyStatsID ORDER BY f.H_MonthFilingsID");
  std::vector<FiledMonth> filings;
  while (query->Step()) {
    FiledMonth& filing = filings.emplace_back();
    filing.home = static_cast<int64_t>(query->Column(0).ToDouble());
    filing.name =
        "The filing of " + MonthOfSerialText(query->Column(1).ToDouble()) + " of " + HomeName(numbers, filing.home);
    filing.report = query->Column(2);
    filing.report_digest = query->Column(3);
    filing.chain_digest = query->Column(4);
  }
  return filings;
}

// Checks each filing's report against its digest, and its chain digest against the home's chain.
void CheckFilings(const std::vector<FiledMonth>& filings, TrustCheck& check,
                  const std::set<std::pair<int64_t, std::string>>& held) {
  Sha256 sha;
  for (const FiledMonth& filing : filings) {
    ++check.filings;
    if (!filing.report.IsNull() &&
        (filing.report_digest.IsNull() || sha.Hex(filing.report.ToText()) != filing.report_digest.ToText())) {
      check.findings.push_back(filing.name + " does not match its digest: the filed report was changed.");
    }
    if (filing.chain_digest.IsNull() || filing.chain_digest.ToText() == kChainGenesis) continue;
    if (!held.contains({filing.home, filing.chain_digest.ToText()})) {
      check.findings.push_back(filing.name +
                               " recorded a digest of the change record that the record no longer "
                               "holds: a change up to that filing was changed or removed.");
    }
  }
}

}  // namespace

void ChainContentInto(std::string& content, std::string_view previous,
                      std::span<const std::optional<std::string_view>> values) {
  // The characters that put a value in quotes, as the server writes a row.
  static constexpr std::array<bool, 256> kQuoting = [] {
    std::array<bool, 256> quoting{};
    for (const unsigned char c : std::string_view("\"\\(), \t\n\v\f\r")) quoting[c] = true;
    return quoting;
  }();
  content.assign(1, '(');
  const auto append = [&content](std::string_view text) {
    bool quoted = text.empty();
    for (size_t i = 0; i < text.size() && !quoted; ++i) quoted = kQuoting[static_cast<unsigned char>(text[i])];
    if (!quoted) {
      content += text;
      return;
    }
    // Runs without a quote or a backslash go in whole; each of those goes in twice.
    content += '"';
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '"' && text[i] != '\\') continue;
      content.append(text.data() + start, i + 1 - start);
      start = i;
    }
    content.append(text.data() + start, text.size() - start);
    content += '"';
  };
  append(previous);
  for (const std::optional<std::string_view>& value : values) {
    content += ',';
    if (value) append(*value);
  }
  content += ')';
}

std::string ChainContent(std::string_view previous, std::span<const kw::Variant> values) {
  std::vector<std::string> texts;
  std::vector<std::optional<std::string_view>> views;
  texts.reserve(values.size());
  for (const kw::Variant& value : values) {
    const bool missing = value.IsNull() || value.IsEmpty();
    texts.push_back(missing ? std::string() : value.ToText());
  }
  for (size_t i = 0; i < values.size(); ++i) {
    views.push_back(values[i].IsNull() || values[i].IsEmpty() ? std::nullopt
                                                              : std::optional<std::string_view>(texts[i]));
  }
  std::string content;
  ChainContentInto(content, previous, views);
  return content;
}

std::string ChainContentSql(const std::string& previous, std::span<const std::string> values) {
  std::string sql = "ROW((" + previous + ")::text";
  for (const std::string& value : values)
    sql += ", " + (value.empty() ? std::string("NULL") : "(" + value + ")") + "::text";
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
                        " on the chains of " + std::to_string(homes) + (homes == 1 ? " home" : " homes") + ", and " +
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
  const std::vector<FiledMonth> filings = Filings(database, numbers);
  std::set<std::string> recorded;
  for (const FiledMonth& filing : filings) {
    if (!filing.chain_digest.IsNull()) recorded.insert(filing.chain_digest.ToText());
  }
  std::set<std::pair<int64_t, std::string>> held;
  WalkChains(database, numbers, check, held, recorded);
  auto unsealed = database.Prepare("SELECT COUNT(*) FROM tbS_ChangeRecord WHERE S_Digest IS NULL");
  if (unsealed->Step()) check.unsealed = static_cast<int64_t>(unsealed->Column(0).ToDouble());
  unsealed.reset();
  // On a server every entry is chained as it is written: one without a digest went past the triggers.
  if (check.unsealed > 0 && DialectOf(database) == Dialect::kPostgres) {
    check.findings.push_back(std::to_string(check.unsealed) +
                             " changes carry no digest: they were written past the database's triggers.");
  }
  CheckFilings(filings, check, held);
  return check;
}

}  // namespace trf
