// Asking, replying to, closing and reading the region's questions in tbR_Questions and their replies.
#include "app/data/region_questions.h"

#include <map>

#include "app/data/stored_values.h"
#include "app/data/transaction.h"

namespace trf {

int64_t AskQuestion(Database& database, int64_t month_id, const QuestionSubject& subject, const std::string& text) {
  Transaction transaction(database);
  auto insert = database.Prepare(
      "INSERT INTO tbR_Questions (H_HomeMonthlyStatsID, R_Table, R_RecordKey, R_Record, R_Field, R_Text) "
      "VALUES (?, ?, ?, ?, ?, ?) RETURNING R_QuestionsID");
  insert->Bind(1, StoredKey(month_id))
      .Bind(2, TextOrNull(subject.table))
      .Bind(3, TextOrNull(subject.record_key))
      .Bind(4, TextOrNull(subject.record))
      .Bind(5, TextOrNull(subject.field))
      .Bind(6, kw::Variant::Text(text));
  insert->Step();
  const int64_t number = KeyOf(insert->Column(0));
  insert.reset();
  transaction.Commit();
  return number;
}

void ReplyToQuestion(Database& database, int64_t number, const std::string& text) {
  Transaction transaction(database);
  auto insert = database.Prepare("INSERT INTO tbR_QuestionReplies (R_QuestionsID, R_Text) VALUES (?, ?)");
  insert->Bind(1, StoredKey(number)).Bind(2, kw::Variant::Text(text)).Step();
  insert.reset();
  transaction.Commit();
}

void CloseQuestion(Database& database, int64_t number, const std::string& text) {
  Transaction transaction(database);
  auto update = database.Prepare("UPDATE tbR_Questions SET R_CloseText = ? WHERE R_QuestionsID = ?");
  update->Bind(1, kw::Variant::Text(text)).Bind(2, StoredKey(number)).Step();
  update.reset();
  if (database.Changes() == 0) {
    RaiseDataError(kDatabaseError,
                   "There is no question " + std::to_string(number) + " on the months this reviewer reviews.");
  }
  transaction.Commit();
}

std::vector<RegionQuestion> ReadQuestions(Database& database, int64_t month_id, bool open_only) {
  const std::string which = std::string(month_id != 0 ? " AND q.H_HomeMonthlyStatsID = ?" : "") +
                            (open_only ? " AND q.R_ClosedAt IS NULL" : "");
  auto query = database.Prepare(
      "SELECT q.R_QuestionsID, q.H_HomeMonthlyStatsID, h.H_HomeNum, q.H_StatMonth, q.R_Table, q.R_RecordKey, "
      "q.R_Record, q.R_Field, q.R_Text, q.R_AskedBy, q.R_AskedAt, q.R_ClosedBy, q.R_ClosedAt, q.R_CloseText, "
      "q.H_MonthFilingsID "
      "FROM tbR_Questions q LEFT JOIN tbH_Homes h ON h.H_HomesID = q.H_HomesID WHERE 1 = 1" +
      which + " ORDER BY q.R_QuestionsID");
  if (month_id != 0) query->Bind(1, StoredKey(month_id));
  std::vector<RegionQuestion> questions;
  std::map<int64_t, size_t> by_number;
  while (query->Step()) {
    RegionQuestion& question = questions.emplace_back();
    question.number = KeyOf(query->Column(0));
    question.month_id = KeyOf(query->Column(1));
    question.home_number = TextOf(query->Column(2));
    question.month = query->Column(3).ToDouble();
    question.subject = {TextOf(query->Column(4)), TextOf(query->Column(5)), TextOf(query->Column(6)),
                        TextOf(query->Column(7))};
    question.text = TextOf(query->Column(8));
    question.asked_by = TextOf(query->Column(9));
    question.asked_at = TextOf(query->Column(10));
    question.closed_by = TextOf(query->Column(11));
    question.closed_at = TextOf(query->Column(12));
    question.close_text = TextOf(query->Column(13));
    question.filing_id = KeyOf(query->Column(14));
    by_number[question.number] = questions.size() - 1;
  }
  query.reset();
  if (questions.empty()) return questions;
  auto replies = database.Prepare(
      "SELECT r.R_QuestionsID, r.R_RepliedBy, r.R_RepliedAt, r.R_Text FROM tbR_QuestionReplies r "
      "JOIN tbR_Questions q ON q.R_QuestionsID = r.R_QuestionsID WHERE 1 = 1" +
      which + " ORDER BY r.R_QuestionRepliesID");
  if (month_id != 0) replies->Bind(1, StoredKey(month_id));
  while (replies->Step()) {
    const auto found = by_number.find(KeyOf(replies->Column(0)));
    if (found == by_number.end()) continue;
    questions[found->second].replies.push_back(
        {TextOf(replies->Column(1)), TextOf(replies->Column(2)), TextOf(replies->Column(3))});
  }
  return questions;
}

}  // namespace trf
