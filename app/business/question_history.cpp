// A question's steps, from the question, its replies and its month's filings.
#include "app/business/question_history.h"

#include <algorithm>

#include "app/data/stored_values.h"

namespace trf {

std::vector<QuestionStep> QuestionHistory(Database& database, const RegionQuestion& question) {
  std::vector<QuestionStep> steps{{question.asked_at, question.asked_by, "asked: " + question.text}};
  for (const QuestionReply& reply : question.replies)
    steps.push_back({reply.when, reply.who, "replied: " + reply.text});
  // The filings after the one asked about, and the reopenings from it on, by their numbers: a step
  // taken in the second the question was asked is still after it.
  auto filings = database.Prepare(
      "SELECT H_MonthFilingsID, H_FiledBy, H_FiledAt, H_ReopenedBy, H_ReopenedAt, H_ReopenReason "
      "FROM tbH_MonthFilings WHERE H_HomeMonthlyStatsID = ? AND H_MonthFilingsID >= ? ORDER BY H_MonthFilingsID");
  filings->Bind(1, StoredKey(question.month_id)).Bind(2, StoredKey(question.filing_id));
  while (filings->Step()) {
    if (KeyOf(filings->Column(0)) > question.filing_id)
      steps.push_back({TextOf(filings->Column(2)), TextOf(filings->Column(1)), "filed the month again"});
    if (filings->Column(4).IsNull()) continue;
    steps.push_back(
        {TextOf(filings->Column(4)), TextOf(filings->Column(3)), "reopened the month: " + TextOf(filings->Column(5))});
  }
  if (!question.Open()) steps.push_back({question.closed_at, question.closed_by, "closed: " + question.close_text});
  std::stable_sort(steps.begin(), steps.end(),
                   [](const QuestionStep& a, const QuestionStep& b) { return a.when < b.when; });
  return steps;
}

}  // namespace trf
