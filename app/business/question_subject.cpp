// Finding a question's record and field in a filed month's report.
#include "app/business/question_subject.h"

#include "ui_shared/platform/text.h"

namespace trf {

namespace {

bool SameWords(const std::string& a, const std::string& b) { return kw::text::Lower(a) == kw::text::Lower(b); }

}  // namespace

QuestionSubject SubjectIn(const MonthReport& report, const std::string& record, const std::string& field) {
  if (record.empty()) {
    if (!field.empty())
      RaiseDataError(kDatabaseError, "A field is asked about on a record: name the record too (--record).");
    return {};
  }
  const ReportTable* table = nullptr;
  const ReportRow* row = nullptr;
  for (const ReportTable& candidate : report.tables) {
    for (const ReportRow& candidate_row : candidate.rows) {
      const bool named = !candidate_row.cells.empty() && SameWords(candidate_row.cells.front().text, record);
      if (!named && candidate_row.key != record) continue;
      if (table && table != &candidate) {
        RaiseDataError(kDatabaseError, record + " names a record of " + table->title + " and one of " +
                                           candidate.title + ": name it by its key instead.");
      }
      if (table == &candidate && row != &candidate_row) {
        RaiseDataError(kDatabaseError,
                       record + " names more than one record of " + candidate.title + ": name it by its key instead.");
      }
      table = &candidate;
      row = &candidate_row;
    }
  }
  if (!row)
    RaiseDataError(kDatabaseError, "The filed report of " + ReportMonthText(report) + " has no record " + record + ".");
  QuestionSubject subject{table->name, row->key, row->cells.front().text, ""};
  if (field.empty()) return subject;
  std::string captions;
  for (const ReportColumn& column : table->columns) {
    if (SameWords(column.caption, field)) {
      subject.field = column.caption;
      return subject;
    }
    captions += (captions.empty() ? "" : ", ") + column.caption;
  }
  RaiseDataError(kDatabaseError, table->title + " have no field " + field + "; their fields are " + captions + ".");
}

std::string SubjectText(const QuestionSubject& subject, const MonthReport* report) {
  if (subject.table.empty()) return "the month";
  std::string title = subject.table;
  if (report) {
    for (const ReportTable& table : report->tables)
      if (table.name == subject.table) title = table.title;
  } else if (!title.empty()) {
    title[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(title[0])));
  }
  return title + ", " + subject.record + (subject.field.empty() ? "" : ", " + subject.field);
}

}  // namespace trf
