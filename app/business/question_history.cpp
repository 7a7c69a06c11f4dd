// A question's steps, from the question, its replies and its month's filings.
#include "app/business/question_history.h"

#include <algorithm>

namespace trf {

std::vector<QuestionStep> QuestionHistory(Database& database, const RegionQuestion& question) {
  std::vector<QuestionStep> steps{{question.asked_at, question.asked_by, "asked: " + question.text}};
  for (const QuestionReply& reply : question.replies)
    steps.push_back({reply.when, reply.who, "replied: " + reply.text});
  auto filings = database.Prepare(
      "SELECT H_FiledBy, H_FiledAt, H_ReopenedBy, H_ReopenedAt, H_ReopenReason FROM tbH_MonthFilings "
      "WHERE H_HomeMonthlyStatsID = ? ORDER BY H_MonthFilingsID");
  filings->Bind(1, kw::Variant::Double(static_cast<double>(question.month_id)));
  while (filings->Step()) {
    const std::string filed_at = filings->Column(1).ToText();
    if (filed_at > question.asked_at) steps.push_back({filed_at, filings->Column(0).ToText(), "filed the month again"});
    if (filings->Column(3).IsNull()) continue;
    const std::string reopened_at = filings->Column(3).ToText();
    if (reopened_at >= question.asked_at) {
      steps.push_back({reopened_at, filings->Column(2).ToText(),
                       "reopened the month: " + (filings->Column(4).IsNull() ? "" : filings->Column(4).ToText())});
    }
  }
  if (!question.Open()) steps.push_back({question.closed_at, question.closed_by, "closed: " + question.close_text});
  std::stable_sort(steps.begin(), steps.end(),
                   [](const QuestionStep& a, const QuestionStep& b) { return a.when < b.when; });
  return steps;
}

}  // namespace trf
