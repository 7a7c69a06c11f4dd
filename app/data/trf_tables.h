// The tables of the TRF database, each described once (see table_description.h). Adding a field to
// a table is one more column here (with `since` set to the next schema version) plus its rules:
// the schemas, the business object and the screen's field follow.
#pragma once

#include <span>
#include <string_view>

#include "app/data/table_description.h"

namespace trf::tables {

// What every amount holds: no less than nothing, and more than any fee or expense, exact in cents.
inline constexpr Bounds kAmounts{.least = 0, .most = 9'999'999.99};
// The most characters of a name or of a line of an address.
inline constexpr size_t kNameLength = 100;
inline constexpr size_t kAddressLength = 200;

// The names of the columns that code outside these descriptions reaches, by position or by name,
// each written once: the descriptions below use them, and a name that is no table's column fails to
// compile (see the checks at the end of this file).
namespace column {
inline constexpr char kTrfTypesCD[] = "HU_TrfTypesCD";
inline constexpr char kTrfTypeDescription[] = "HU_Description";
inline constexpr char kHomesID[] = "H_HomesID";
inline constexpr char kRegionCD[] = "H_RegionCD";
inline constexpr char kHomeNum[] = "H_HomeNum";
inline constexpr char kHomeName[] = "H_HomeName";
inline constexpr char kCapacity[] = "H_Capacity";
inline constexpr char kHomeMonthlyStatsID[] = "H_HomeMonthlyStatsID";
inline constexpr char kStatStatus[] = "StatStatus";
inline constexpr char kStatMonth[] = "H_StatMonth";
inline constexpr char kResidentName[] = "H_ResidentName";
inline constexpr char kMonthlyFee[] = "H_MonthlyFee";
inline constexpr char kMailingAddress[] = "H_MailingAddress";
inline constexpr char kMMLOFee[] = "H_MMLOFee";
inline constexpr char kGroupName[] = "H_GroupName";
inline constexpr char kFamilyGroupsID[] = "H_FamilyGroupsID";
inline constexpr char kBirthDate[] = "H_BirthDate";
inline constexpr char kAmount[] = "H_Amount";
inline constexpr char kAdmissionDate[] = "H_AdmissionDate";
inline constexpr char kAMFee[] = "H_AMFee";
inline constexpr char kExpenseCategoriesID[] = "HU_ExpenseCategoriesID";
inline constexpr char kCategoryName[] = "HU_CategoryName";
inline constexpr char kFiledReport[] = "H_Report";
inline constexpr char kReportDigest[] = "H_ReportDigest";
inline constexpr char kFiledChainDigest[] = "H_ChainDigest";
inline constexpr char kChainDigest[] = "S_Digest";
inline constexpr char kQuestionsID[] = "R_QuestionsID";
}  // namespace column

inline constexpr ColumnDescription kTrfTypeColumns[] = {
    {.name = column::kTrfTypesCD, .caption = "TRF type", .key = true, .max_length = 10},
    {.name = "HU_TrfTypeNum",
     .kind = ColumnKind::kWholeNumber,
     .caption = "TRF type number",
     .required = true,
     .unique = true},
    {.name = column::kTrfTypeDescription, .caption = "Description", .required = true, .max_length = kNameLength},
};
inline constexpr TableDescription kTrfTypes{.name = "tbHU_TrfTypes", .plural = "TRF types", .columns = kTrfTypeColumns};

inline constexpr ColumnDescription kTrfTypeScreenColumns[] = {
    {.name = "HU_TrfTypeScreensID",
     .kind = ColumnKind::kWholeNumber,
     .caption = "TRF type screen",
     .key = true,
     .counted = true},
    {.name = column::kTrfTypesCD,
     .kind = ColumnKind::kLookup,
     .caption = "TRF type",
     .required = true,
     .lookup = {.table = "tbHU_TrfTypes", .name_column = column::kTrfTypeDescription}},
    {.name = "HU_FormKey", .caption = "Screen", .required = true},
    {.name = "HU_ScreenOrder", .kind = ColumnKind::kWholeNumber, .caption = "Order", .required = true},
};
inline constexpr TableDescription kTrfTypeScreens{
    .name = "tbHU_TrfTypeScreens", .plural = "TRF type screens", .columns = kTrfTypeScreenColumns};

inline constexpr ColumnDescription kHomeColumns[] = {
    {.name = column::kHomesID, .kind = ColumnKind::kWholeNumber, .caption = "Home", .key = true, .counted = true},
    {.name = column::kRegionCD, .caption = "Region", .max_length = 10},
    {.name = column::kHomeNum, .caption = "Home number", .required = true, .unique = true, .max_length = 20},
    {.name = column::kHomeName, .caption = "Home name", .required = true, .max_length = kNameLength},
    {.name = column::kCapacity, .kind = ColumnKind::kWholeNumber, .caption = "Capacity", .required = true},
};
inline constexpr TableDescription kHomes{
    .name = "tbH_Homes", .plural = "homes", .columns = kHomeColumns, .home_data = HomeData::kHomes};

inline constexpr ColumnDescription kHomeMonthColumns[] = {
    {.name = column::kHomeMonthlyStatsID,
     .kind = ColumnKind::kWholeNumber,
     .caption = "Month record",
     .key = true,
     .counted = true},
    {.name = column::kHomesID,
     .kind = ColumnKind::kLookup,
     .caption = "Home",
     .required = true,
     .indexed = true,
     .lookup = {.table = "tbH_Homes", .name_column = column::kHomeName}},
    {.name = column::kStatMonth, .kind = ColumnKind::kDate, .caption = "Month", .required = true},
    {.name = column::kTrfTypesCD,
     .kind = ColumnKind::kLookup,
     .caption = "TRF type",
     .required = true,
     .lookup = {.table = "tbHU_TrfTypes", .name_column = column::kTrfTypeDescription}},
    {.name = column::kStatStatus, .kind = ColumnKind::kWholeNumber, .caption = "Status", .required = true},
};
inline constexpr TableDescription kHomeMonths{.name = "tbH_HomeMonthlyStats",
                                              .plural = "month records",
                                              .columns = kHomeMonthColumns,
                                              .home_data = HomeData::kByHome,
                                              .filed_with_month = true};

inline constexpr ColumnDescription kFamilyGroupColumns[] = {
    {.name = column::kFamilyGroupsID,
     .kind = ColumnKind::kWholeNumber,
     .caption = "Family group",
     .key = true,
     .counted = true},
    {.name = column::kHomesID,
     .kind = ColumnKind::kLookup,
     .caption = "Home",
     .required = true,
     .indexed = true,
     .lookup = {.table = "tbH_Homes", .name_column = column::kHomeName}},
    {.name = column::kGroupName,
     .caption = "Group name",
     .field = "name",
     .required = true,
     .max_length = kNameLength,
     .list_width = 2600},
    {.name = column::kMailingAddress, .caption = "Mailing address", .field = "address", .max_length = kAddressLength},
    {.name = column::kMMLOFee,
     .kind = ColumnKind::kMoney,
     .caption = "Monthly mail-out fee",
     .field = "mailout",
     .bounds = kAmounts,
     .list_width = 2600},
    {.name = column::kAMFee,
     .kind = ColumnKind::kMoney,
     .caption = "Annual mailing fee",
     .field = "annual",
     .bounds = kAmounts,
     .list_width = 2400},
};
inline constexpr TableDescription kFamilyGroups{.name = "tbH_FamilyGroups",
                                                .plural = "family groups",
                                                .columns = kFamilyGroupColumns,
                                                .home_data = HomeData::kByHome};

inline constexpr ColumnDescription kResidentColumns[] = {
    {.name = "H_ResidentsID", .kind = ColumnKind::kWholeNumber, .caption = "Resident", .key = true, .counted = true},
    {.name = column::kHomeMonthlyStatsID,
     .kind = ColumnKind::kLookup,
     .caption = "Month record",
     .required = true,
     .indexed = true,
     .lookup = {.table = "tbH_HomeMonthlyStats", .name_column = column::kStatMonth}},
    {.name = column::kResidentName,
     .caption = "Resident name",
     .field = "name",
     .required = true,
     .max_length = kNameLength,
     .list_width = 2600},
    {.name = column::kBirthDate,
     .kind = ColumnKind::kDate,
     .caption = "Birth date",
     .field = "birthdate",
     .list_width = 1700},
    {.name = column::kAdmissionDate,
     .kind = ColumnKind::kDate,
     .caption = "Admission date",
     .field = "admission",
     .required = true,
     .list_width = 2000},
    {.name = column::kMonthlyFee,
     .kind = ColumnKind::kMoney,
     .caption = "Monthly fee",
     .field = "fee",
     .bounds = kAmounts,
     .list_width = 1700},
    {.name = column::kFamilyGroupsID,
     .kind = ColumnKind::kLookup,
     .caption = "Family group",
     .field = "family",
     .indexed = true,
     .lookup = {.table = "tbH_FamilyGroups", .name_column = column::kGroupName},
     .list_width = 2400},
};
inline constexpr TableDescription kResidents{.name = "tbH_Residents",
                                             .plural = "residents",
                                             .columns = kResidentColumns,
                                             .home_data = HomeData::kByMonth,
                                             .filed_with_month = true};

inline constexpr ColumnDescription kExpenseCategoryColumns[] = {
    {.name = column::kExpenseCategoriesID,
     .kind = ColumnKind::kWholeNumber,
     .caption = "Category",
     .key = true,
     .counted = true},
    {.name = column::kTrfTypesCD,
     .kind = ColumnKind::kLookup,
     .caption = "TRF type",
     .required = true,
     .lookup = {.table = "tbHU_TrfTypes", .name_column = column::kTrfTypeDescription}},
    {.name = column::kCategoryName, .caption = "Category name", .required = true, .max_length = kNameLength},
};
inline constexpr TableDescription kExpenseCategories{
    .name = "tbHU_ExpenseCategories", .plural = "expense categories", .columns = kExpenseCategoryColumns};

inline constexpr ColumnDescription kMonthlyExpenseColumns[] = {
    {.name = "H_MonthlyExpensesID",
     .kind = ColumnKind::kWholeNumber,
     .caption = "Expense",
     .key = true,
     .counted = true},
    {.name = column::kHomeMonthlyStatsID,
     .kind = ColumnKind::kLookup,
     .caption = "Month record",
     .required = true,
     .indexed = true,
     .lookup = {.table = "tbH_HomeMonthlyStats", .name_column = column::kStatMonth}},
    {.name = column::kExpenseCategoriesID,
     .kind = ColumnKind::kLookup,
     .caption = "Category",
     .required = true,
     .lookup = {.table = "tbHU_ExpenseCategories", .name_column = column::kCategoryName},
     .list_width = 2800},
    {.name = column::kAmount,
     .kind = ColumnKind::kMoney,
     .caption = "Amount",
     .field = "amount",
     .bounds = kAmounts,
     .list_width = 1700},
};
inline constexpr TableDescription kMonthlyExpenses{.name = "tbH_MonthlyExpenses",
                                                   .plural = "monthly expenses",
                                                   .columns = kMonthlyExpenseColumns,
                                                   .home_data = HomeData::kByMonth,
                                                   .filed_with_month = true};

inline constexpr ColumnDescription kMonthlyNoteColumns[] = {
    {.name = column::kHomeMonthlyStatsID,
     .kind = ColumnKind::kLookup,
     .caption = "Month record",
     .key = true,
     .lookup = {.table = "tbH_HomeMonthlyStats", .name_column = column::kStatMonth}},
    {.name = "H_NotesRTF", .kind = ColumnKind::kRichText, .caption = "Notes", .required = true},
};
inline constexpr TableDescription kMonthlyNotes{.name = "tbH_MonthlyNotes",
                                                .plural = "monthly notes",
                                                .columns = kMonthlyNoteColumns,
                                                .home_data = HomeData::kByMonth,
                                                .filed_with_month = true};

inline constexpr ColumnDescription kClassDependsOnColumns[] = {
    {.name = "S_ClassEnum", .kind = ColumnKind::kWholeNumber, .caption = "Class", .key = true},
    {.name = "S_ClassName", .caption = "Class name", .required = true},
    {.name = "S_DependsOn", .kind = ColumnKind::kWholeNumber, .caption = "Depends on", .required = true},
};
inline constexpr TableDescription kClassDependsOn{
    .name = "tbS_ClassDependsOn", .plural = "class dependencies", .columns = kClassDependsOnColumns};

// Who filed a month (its send-off passed) and when, and the report as it was filed; a month with a
// filing not reopened is locked. Reopening fills in who reopened it, when and why. The engine stamps
// who and when; a filing is never removed, and nothing of it changes but its reopening.
inline constexpr ColumnDescription kMonthFilingColumns[] = {
    {.name = "H_MonthFilingsID", .kind = ColumnKind::kWholeNumber, .caption = "Filing", .key = true, .counted = true},
    {.name = column::kHomeMonthlyStatsID,
     .kind = ColumnKind::kLookup,
     .caption = "Month record",
     .required = true,
     .indexed = true,
     .lookup = {.table = "tbH_HomeMonthlyStats", .name_column = column::kStatMonth}},
    {.name = "H_FiledBy", .caption = "Filed by", .required = true},
    {.name = "H_FiledAt", .caption = "Filed at", .required = true},
    {.name = "H_ReopenedBy", .caption = "Reopened by"},
    {.name = "H_ReopenedAt", .caption = "Reopened at"},
    {.name = "H_ReopenReason", .caption = "Reason for reopening"},
    // The month's report as it was filed (JSON), and the SHA-256 of its text, in hex.
    {.name = column::kFiledReport, .caption = "Filed report", .since = 3},
    {.name = column::kReportDigest, .caption = "Digest of the filed report", .since = 3},
    // The digest of the home's change record when the month was filed: the chain's head just before
    // the filing's own entry. A report of the month prints it, so that whoever keeps the report can
    // later show that no entry up to it was changed or removed.
    {.name = column::kFiledChainDigest, .caption = "Digest of the change record at filing", .since = 3},
};
inline constexpr TableDescription kMonthFilings{.name = "tbH_MonthFilings",
                                                .plural = "filings",
                                                .columns = kMonthFilingColumns,
                                                .since = 2,
                                                .home_data = HomeData::kByMonth};

// The change record: one row per changed field of a home's data (a whole row for an insert or a
// delete, as JSON), and one per soft question a person accepted. Written by the engines' triggers
// in the transaction of the change; never changed or removed.
inline constexpr ColumnDescription kChangeRecordColumns[] = {
    {.name = "S_ChangeID", .kind = ColumnKind::kWholeNumber, .caption = "Change", .key = true, .counted = true},
    {.name = "S_Who", .caption = "Who", .required = true},
    {.name = "S_When", .caption = "When", .required = true},  // UTC, "2026-12-06 19:05:45"
    {.name = "S_Table", .caption = "Table", .required = true},
    {.name = "S_RecordKey", .caption = "Record", .required = true, .indexed = true},
    // The home the row belongs to (whose chain the entry is on); for a month's row also its month record.
    {.name = "S_HomesID", .kind = ColumnKind::kWholeNumber, .caption = "Home"},
    {.name = "S_HomeMonthlyStatsID", .kind = ColumnKind::kWholeNumber, .caption = "Month record"},
    {.name = "S_Field", .caption = "Field"},  // empty for a whole row
    {.name = "S_OldValue", .caption = "Old value"},
    {.name = "S_NewValue", .caption = "New value"},
    {.name = "S_RuleNumber", .kind = ColumnKind::kWholeNumber, .caption = "Rule"},  // an accepted soft question
    {.name = "S_Message", .caption = "Message shown"},
    // SHA-256 (hex) over the entry's content and the digest of the home's entry before it: the home's
    // chain (see change_chain.h). Empty on a file until the entry is sealed, at the end of the
    // transaction that wrote it.
    {.name = column::kChainDigest, .caption = "Chain digest", .since = 3},
};
inline constexpr TableDescription kChangeRecord{
    .name = "tbS_ChangeRecord", .plural = "changes", .columns = kChangeRecordColumns, .since = 2, .append_only = true};

// On a server: which role (a desk) may work on which home. Managed by the administrator only.
inline constexpr ColumnDescription kHomeAccessColumns[] = {
    {.name = "S_HomeAccessID", .kind = ColumnKind::kWholeNumber, .caption = "Access", .key = true, .counted = true},
    {.name = "S_Role", .caption = "Role", .required = true, .indexed = true},
    {.name = column::kHomesID,
     .kind = ColumnKind::kLookup,
     .caption = "Home",
     .required = true,
     .lookup = {.table = "tbH_Homes", .name_column = column::kHomeName}},
};
inline constexpr TableDescription kHomeAccess{
    .name = "tbS_HomeAccess", .plural = "home permissions", .columns = kHomeAccessColumns, .since = 2};

// The head of each home's chain of changes: the digest of its newest sealed entry. Written by the
// engine alone (on a server, in the transaction that adds the entries).
inline constexpr ColumnDescription kChainHeadColumns[] = {
    {.name = "S_HomesID", .kind = ColumnKind::kWholeNumber, .caption = "Home", .key = true},
    {.name = column::kChainDigest, .caption = "Chain digest", .required = true},
    // The newest change the head covers (on a file, where entries are sealed after they are written).
    {.name = "S_ChangeID", .kind = ColumnKind::kWholeNumber, .caption = "Newest change"},
};
inline constexpr TableDescription kChainHeads{
    .name = "tbS_ChainHeads", .plural = "chain heads", .columns = kChainHeadColumns, .since = 3};

// On a server: the keys the server gave out for new records and to which role, each until the record
// that takes it is written. A desk writes a new record only under a key given to it.
inline constexpr ColumnDescription kIssuedKeyColumns[] = {
    {.name = "S_IssuedKey", .caption = "Table and key", .key = true},  // "tbh_residents:1234"
    {.name = "S_Role", .caption = "Role", .required = true},
};
inline constexpr TableDescription kIssuedKeys{
    .name = "tbS_IssuedKeys", .plural = "issued keys", .columns = kIssuedKeyColumns, .since = 3};

// On a server: which role (a reviewer of the region) may read the filings of which home. Granted by
// the administrator, home by home or every home of a region at once (the region it came with is kept
// for the list). A reviewer reads the homes and stored filings granted here, and nothing of a month
// that is not filed.
inline constexpr ColumnDescription kReviewAccessColumns[] = {
    {.name = "S_ReviewAccessID", .kind = ColumnKind::kWholeNumber, .caption = "Review", .key = true, .counted = true},
    {.name = "S_Role", .caption = "Role", .required = true, .indexed = true},
    {.name = column::kHomesID,
     .kind = ColumnKind::kLookup,
     .caption = "Home",
     .required = true,
     .lookup = {.table = "tbH_Homes", .name_column = column::kHomeName}},
    {.name = column::kRegionCD, .caption = "Region", .max_length = 10},
};
inline constexpr TableDescription kReviewAccess{.name = "tbS_ReviewAccess",
                                                .plural = "review permissions",
                                                .columns = kReviewAccessColumns,
                                                .since = 4,
                                                .region = true};

// On a server: a reviewer's question on a filed month, about a record and field of its report (the
// report's table by its name, the record by its key and name, the field by its caption) or about the
// month as a whole (all three empty). The engine stamps the home, the filing asked about, who asked
// and when (and the home and month, for those who read no month record); nothing of a question
// changes but its closing, once, with who, when and why.
inline constexpr ColumnDescription kRegionQuestionColumns[] = {
    {.name = column::kQuestionsID,
     .kind = ColumnKind::kWholeNumber,
     .caption = "Question",
     .key = true,
     .counted = true},
    {.name = column::kHomeMonthlyStatsID,
     .kind = ColumnKind::kLookup,
     .caption = "Month record",
     .required = true,
     .indexed = true,
     .lookup = {.table = "tbH_HomeMonthlyStats", .name_column = column::kStatMonth}},
    {.name = column::kHomesID, .kind = ColumnKind::kWholeNumber, .caption = "Home", .required = true},
    {.name = column::kStatMonth, .kind = ColumnKind::kDate, .caption = "Month", .required = true},
    {.name = "H_MonthFilingsID", .kind = ColumnKind::kWholeNumber, .caption = "Filing asked about", .required = true},
    {.name = "R_Table", .caption = "Table"},  // the report table's name: "residents"
    {.name = "R_RecordKey", .caption = "Record"},
    {.name = "R_Record", .caption = "Record name"},
    {.name = "R_Field", .caption = "Field"},  // the field's caption: "Monthly fee"
    {.name = "R_Text", .caption = "Question", .required = true},
    {.name = "R_AskedBy", .caption = "Asked by", .required = true},
    {.name = "R_AskedAt", .caption = "Asked at", .required = true},  // UTC, "2026-12-06 19:05:45"
    {.name = "R_ClosedBy", .caption = "Closed by"},
    {.name = "R_ClosedAt", .caption = "Closed at"},
    {.name = "R_CloseText", .caption = "Why it was closed"},
};
inline constexpr TableDescription kRegionQuestions{
    .name = "tbR_Questions", .plural = "questions", .columns = kRegionQuestionColumns, .since = 4, .region = true};

// On a server: a desk's reply to a question on one of its months, in words, with who and when, which
// the engine stamps. Never changed or removed.
inline constexpr ColumnDescription kQuestionReplyColumns[] = {
    {.name = "R_QuestionRepliesID", .kind = ColumnKind::kWholeNumber, .caption = "Reply", .key = true, .counted = true},
    {.name = column::kQuestionsID,
     .kind = ColumnKind::kLookup,
     .caption = "Question",
     .required = true,
     .indexed = true,
     .lookup = {.table = "tbR_Questions", .name_column = "R_Text"}},
    {.name = column::kHomesID, .kind = ColumnKind::kWholeNumber, .caption = "Home", .required = true},
    {.name = "R_Text", .caption = "Reply", .required = true},
    {.name = "R_RepliedBy", .caption = "Replied by", .required = true},
    {.name = "R_RepliedAt", .caption = "Replied at", .required = true},
};
inline constexpr TableDescription kQuestionReplies{
    .name = "tbR_QuestionReplies", .plural = "replies", .columns = kQuestionReplyColumns, .since = 4, .region = true};

// On a server: the filed months of homes that work on a file of their own, as each home sent its
// report (the JSON of a filed month's report, checked against its schema and its digest on import).
// The report is kept as it was filed, with the facts of its filing; the engine stamps who imported it
// and when. Never changed or removed.
inline constexpr ColumnDescription kImportedFilingColumns[] = {
    {.name = "R_ImportedFilingsID",
     .kind = ColumnKind::kWholeNumber,
     .caption = "Import",
     .key = true,
     .counted = true},
    {.name = column::kHomesID,
     .kind = ColumnKind::kLookup,
     .caption = "Home",
     .required = true,
     .indexed = true,
     .lookup = {.table = "tbH_Homes", .name_column = column::kHomeName}},
    {.name = column::kStatMonth, .kind = ColumnKind::kDate, .caption = "Month", .required = true},
    {.name = column::kFiledReport, .caption = "Filed report", .required = true},
    {.name = column::kReportDigest, .caption = "Digest of the filed report", .required = true},
    {.name = column::kFiledChainDigest, .caption = "Digest of the change record at filing"},
    {.name = "H_FiledBy", .caption = "Filed by", .required = true},
    {.name = "H_FiledAt", .caption = "Filed at", .required = true},
    {.name = "R_ImportedBy", .caption = "Imported by", .required = true},
    {.name = "R_ImportedAt", .caption = "Imported at", .required = true},
};
inline constexpr TableDescription kImportedFilings{.name = "tbR_ImportedFilings",
                                                   .plural = "imported filings",
                                                   .columns = kImportedFilingColumns,
                                                   .since = 4,
                                                   .region = true};

// Every table, each after the tables it refers to.
inline constexpr TableDescription kAll[] = {
    kTrfTypes,        kTrfTypeScreens, kHomes,          kHomeMonths,   kFamilyGroups, kResidents, kExpenseCategories,
    kMonthlyExpenses, kMonthlyNotes,   kClassDependsOn, kMonthFilings, kChangeRecord, kChainHeads};
// The tables of a server database: every table, who may work on which home, the keys given out, and
// the region's: who reviews which home, the questions on filed months and filings imported from files.
inline constexpr TableDescription kAllOnServer[] = {
    kTrfTypes,     kTrfTypeScreens,    kHomes,           kHomeMonths,     kFamilyGroups,
    kResidents,    kExpenseCategories, kMonthlyExpenses, kMonthlyNotes,   kClassDependsOn,
    kMonthFilings, kChangeRecord,      kChainHeads,      kHomeAccess,     kIssuedKeys,
    kReviewAccess, kRegionQuestions,   kQuestionReplies, kImportedFilings};

// The TRF's tables, in the order above.
inline constexpr std::span<const TableDescription> All() { return kAll; }
inline constexpr std::span<const TableDescription> AllOnServer() { return kAllOnServer; }

// Whether `name` is a column of some table; the server's database holds every table.
constexpr bool IsDescribedColumn(std::string_view name) {
  // Names compared, not Find's pointer: a sanitized build cannot compare an address with nullptr
  // at compile time.
  for (const TableDescription& table : kAllOnServer)
    for (const ColumnDescription& column : table.columns)
      if (column.name == name) return true;
  return false;
}

// Whether every amount says the range it holds: the rules, the editors and the help read it there.
constexpr bool AmountsBounded() {
  for (const TableDescription& table : kAllOnServer)
    for (const ColumnDescription& column : table.columns)
      if (column.kind == ColumnKind::kMoney && !column.bounds) return false;
  return true;
}
static_assert(AmountsBounded());

// Each named column is a column of a described table, so that renaming a column in its description
// alone does not compile.
static_assert(IsDescribedColumn(column::kTrfTypesCD));
static_assert(IsDescribedColumn(column::kTrfTypeDescription));
static_assert(IsDescribedColumn(column::kHomesID));
static_assert(IsDescribedColumn(column::kRegionCD));
static_assert(IsDescribedColumn(column::kHomeNum));
static_assert(IsDescribedColumn(column::kHomeName));
static_assert(IsDescribedColumn(column::kCapacity));
static_assert(IsDescribedColumn(column::kHomeMonthlyStatsID));
static_assert(IsDescribedColumn(column::kStatStatus));
static_assert(IsDescribedColumn(column::kStatMonth));
static_assert(IsDescribedColumn(column::kResidentName));
static_assert(IsDescribedColumn(column::kMonthlyFee));
static_assert(IsDescribedColumn(column::kMailingAddress));
static_assert(IsDescribedColumn(column::kMMLOFee));
static_assert(IsDescribedColumn(column::kGroupName));
static_assert(IsDescribedColumn(column::kFamilyGroupsID));
static_assert(IsDescribedColumn(column::kBirthDate));
static_assert(IsDescribedColumn(column::kAmount));
static_assert(IsDescribedColumn(column::kAdmissionDate));
static_assert(IsDescribedColumn(column::kAMFee));
static_assert(IsDescribedColumn(column::kExpenseCategoriesID));
static_assert(IsDescribedColumn(column::kCategoryName));
static_assert(IsDescribedColumn(column::kFiledReport));
static_assert(IsDescribedColumn(column::kReportDigest));
static_assert(IsDescribedColumn(column::kFiledChainDigest));
static_assert(IsDescribedColumn(column::kChainDigest));
static_assert(IsDescribedColumn(column::kQuestionsID));

}  // namespace trf::tables
