// Every step taken on a question of the region, with who and when, oldest first: its asking, the
// desks' replies, the month reopened and filed again since it was asked (from the month's filings),
// and its closing.
#pragma once

#include <string>
#include <vector>

#include "app/data/region_questions.h"

namespace trf {

struct QuestionStep {
  std::string when;  // UTC, "2026-12-06 19:05:45"
  std::string who;
  std::string what;  // "asked: Is this fee right?", "reopened the month: ...", "filed the month again"
};

// The steps of `question`, oldest first, as the connection may read them.
std::vector<QuestionStep> QuestionHistory(Database& database, const RegionQuestion& question);

}  // namespace trf
